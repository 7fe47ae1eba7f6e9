// The one key-event classifier of both programs' filtered fields. A key press is
// judged by the character it types (the event's text, whatever its modifiers and
// code point); keys that type nothing (arrows, Tab, Enter, Esc, Delete) are not
// filtered. A filtered field takes no input-method text, so a dead key or a compose
// sequence cannot bypass its filter.
#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace platform {

enum class TypedKey {
  Digit,             // types 0 to 9, without Ctrl
  Backspace,         // without Ctrl
  Copy,              // the platform's copy keys (Ctrl+C, Ctrl+Insert)
  Cut,               // Ctrl+X, Shift+Delete
  Paste,             // Ctrl+V, Shift+Insert
  Undo,              // Ctrl+Z
  Character,         // types any other character (Alt combinations included)
  ControlCharacter,  // Ctrl with a character key, or Ctrl+Backspace
  NoCharacter,       // types nothing: navigation, Tab, Enter, Esc, Delete
};

TypedKey ClassifyKey(const QKeyEvent& key);
// The character a Character or Digit key types (a code point); 0 for other keys.
char32_t TypedCharacter(const QKeyEvent& key);

// Installs `accept` as the key filter of `field`: a key press it refuses never reaches
// the field. The filter beeps itself when it refuses. The field takes no input-method
// text from then on.
void InstallKeyFilter(QWidget& field, std::function<bool(const QKeyEvent&)> accept);
// Only the input-method part, for a field whose keys a window's own filter judges.
void RefuseInputMethodText(QWidget& field);

}  // namespace platform
