// The keys of 2DA modifiers that the modifier dialogs, the 2DA pane and the compare
// share, kept apart from the widgets: the four modifier kinds and their key words,
// the line identifier of ChangeRow and CopyRow sections, the column settings of
// AddColumn sections.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "formats/UKV_IniFile.h"

namespace quennet {

enum class T2daModifierKind { AddRow, ChangeRow, CopyRow, AddColumn };

// In the order in which a key's kind is recognised.
inline constexpr std::array<T2daModifierKind, 4> kAll2daModifierKinds = {
    T2daModifierKind::AddRow, T2daModifierKind::ChangeRow, T2daModifierKind::CopyRow,
    T2daModifierKind::AddColumn};

// "AddRow", "ChangeRow", "CopyRow" or "AddColumn": the word a modifier key begins with.
const char* KindWord(T2daModifierKind kind);
// The kind whose word `key` begins with, exactly or (`ignoreCase`) without regard to case.
std::optional<T2daModifierKind> KindOfModifierKey(std::string_view key, bool ignoreCase);

// The names a line identifier (the first key of a ChangeRow or CopyRow section) may have.
inline constexpr std::array<const char*, 3> kRowIdentifierNames = {"RowIndex", "RowLabel",
                                                                   "LabelIndex"};
// The identifier name `key` stands for, compared without regard to case.
std::optional<std::string> RowIdentifierName(std::string_view key);

struct TRowIdentifier {
  std::string name;   // one of kRowIdentifierNames
  std::string value;  // empty after a repair, so that nothing is offered as the user's
};
// The line identifier of `section` as the dialogs load it. An empty section receives
// "RowIndex" = "0"; a section whose first key names no identifier in any case gets
// "RowIndex" = "0" put first (the repair). A first key that names one in another case
// counts as that identifier, and nothing is written.
TRowIdentifier LoadRowIdentifier(TCustomIniFile& ini, const std::string& section);
// Puts `name` = `value` first into `section`: in place when the section is empty or its
// first key is that identifier in any case, else by the keys-first rewrite, which drops
// every other identifier key.
void SetRowIdentifier(TCustomIniFile& ini, const std::string& section, const std::string& name,
                      const std::string& value);

// The AddRow and CopyRow key that names the column whose value must be unique.
inline constexpr char kExclusiveColumnKey[] = "ExclusiveColumn";
std::string ReadExclusiveColumn(TCustomIniFile& ini, const std::string& section);
// Writes the exclusive column, or removes the key when `column` is empty.
void StoreExclusiveColumn(TCustomIniFile& ini, const std::string& section,
                          const std::string& column);

struct TColumnSettings {
  std::string label;
  std::string defaultValue;
};
// The column label and default value of an AddColumn section as its dialog loads them:
// an empty section receives "ColumnLabel" = "NewColumn" and "DefaultValue" = "****"; a
// section not beginning with "ColumnLabel" gets both keys put first, keeping a stored
// label of any case (or "NewColumn" when there is none) and the stored default value
// (or "****" when there is none).
TColumnSettings LoadColumnSettings(TCustomIniFile& ini, const std::string& section);
// "ColumnLabel" = label and "DefaultValue" = defaultValue as the section's first two keys.
void SetColumnSettings(TCustomIniFile& ini, const std::string& section,
                       const std::string& defaultValue, const std::string& label);

}  // namespace quennet
