// Key filters of Sorlith's number fields. A filter judges a key press by its key and
// modifiers (never by the text the event carries) and decides whether it reaches the
// field; keys that type nothing (arrows, Tab, Enter, Delete) are not filtered.
#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace sorlith {

enum class TTypedKey {
  Digit,             // 0 to 9, without Ctrl or Alt
  Backspace,         // without Ctrl or Alt
  Copy,              // the platform's copy keys (Ctrl+C, Ctrl+Insert)
  Cut,               // Ctrl+X, Shift+Delete
  Paste,             // Ctrl+V, Shift+Insert
  Undo,              // Ctrl+Z
  Character,         // any other key that types a character; TypedCharacter tells which
  ControlCharacter,  // Ctrl with a character key, or Ctrl+Backspace
  NoCharacter,       // keys that type nothing: navigation, Tab, Enter, Esc, Alt combinations
};

TTypedKey ClassifyKey(const QKeyEvent& key);
// The Latin-1 character of a Character key (its key code); 0 for keys above Latin-1.
char TypedCharacter(const QKeyEvent& key);

// Installs `accept` as the key filter of `field`: a key press it refuses never reaches
// the field. The filter beeps itself when it refuses.
void InstallKeyFilter(QWidget& field, std::function<bool(const QKeyEvent&)> accept);

}  // namespace sorlith
