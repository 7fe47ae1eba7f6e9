// The "[Settings]" section as the Settings pane edits it: one table of its eleven keys
// with their defaults and what each stored value means for the pane's box. The pane
// shows what ReadSettings answers and hands its boxes' states back to WriteSettings.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "formats/UKV_IniFile.h"

namespace quennet {

enum class TSettingKind {
  Text,       // a typed text; an empty one removes the key
  Number,     // the choice is the stored number, limited to the choices
  Flag,       // "1" or "0": the choice whose value is "1" for any number but 0
  ExactValue  // the choice whose value is the stored number; the first otherwise
};

struct TSetting {
  const char* key;
  TSettingKind kind;
  // A text's default, or the number read when the key is missing or no number.
  const char* defaultValue;
  // What each choice stores, in the box's order (none for a text).
  std::array<const char*, 5> choiceValues;
  std::size_t choiceCount;
};

inline constexpr std::size_t kSettingCount = 11;
// In the pane's order, which is also the order of the writes.
extern const std::array<TSetting, kSettingCount> kSettings;

// A box's state: a text, or the index of a choice.
struct TSettingState {
  std::string text;
  int choice = 0;
};
using TSettingStates = std::array<TSettingState, kSettingCount>;

// The states of the stored keys, each key's default where it is missing.
TSettingStates ReadSettings(TCustomIniFile& ini);
// Writes each key in turn, in the table's order (keys new to the section follow it):
// a text, or its deletion when it is empty; a choice's value.
void WriteSettings(TCustomIniFile& ini, const TSettingStates& states);

// "[Settings]" holds a key: the mark of a file this program made or accepts.
bool HoldsSettings(TCustomIniFile& ini);
// The mark of a new file: "FileExists" = "1".
void MarkAsChangesIni(TCustomIniFile& ini);

}  // namespace quennet
