#include "platform/ui/KeyFilter.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include "platform/ui/Services.h"

namespace platform {

namespace {

// Qt gives special keys codes from 0x01000000 on.
constexpr int kFirstSpecialKey = 0x01000000;

// Input-method text is committed without a key press; a filtered field refuses it.
class TInputMethodGuard : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::InputMethod) return false;
    if (!static_cast<QInputMethodEvent&>(*event).commitString().isEmpty()) Beep();
    return true;
  }
};

class TKeyFilter : public QObject {
 public:
  TKeyFilter(QObject* parent, std::function<bool(const QKeyEvent&)> accept)
      : QObject(parent), FAccept(std::move(accept)) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    // Swallowed: the key never reaches the field.
    return !FAccept(static_cast<const QKeyEvent&>(*event));
  }

 private:
  std::function<bool(const QKeyEvent&)> FAccept;
};

// The first code point of the event's text; 0 when it types nothing printable.
char32_t FirstCharacter(const QKeyEvent& key) {
  const QString text = key.text();
  if (text.isEmpty()) return 0;
  const char32_t c = text.toUcs4().value(0);
  return c < 0x20 || c == 0x7F ? 0 : c;
}

}  // namespace

TypedKey ClassifyKey(const QKeyEvent& key) {
  if (key.matches(QKeySequence::Paste)) return TypedKey::Paste;
  if (key.matches(QKeySequence::Copy)) return TypedKey::Copy;
  if (key.matches(QKeySequence::Cut)) return TypedKey::Cut;
  if (key.matches(QKeySequence::Undo)) return TypedKey::Undo;
  const int code = key.key();
  // Ctrl without Alt (Ctrl+Alt is AltGr on some systems, which types characters).
  const bool control =
      (key.modifiers() & Qt::ControlModifier) && !(key.modifiers() & Qt::AltModifier);
  if (code == Qt::Key_Backspace) return control ? TypedKey::ControlCharacter : TypedKey::Backspace;
  if (control) {
    const bool characterKey = code > 0 && code < kFirstSpecialKey;
    return characterKey ? TypedKey::ControlCharacter : TypedKey::NoCharacter;
  }
  const char32_t c = FirstCharacter(key);
  if (c == 0) return TypedKey::NoCharacter;
  return c >= U'0' && c <= U'9' && key.text().size() == 1 ? TypedKey::Digit : TypedKey::Character;
}

char32_t TypedCharacter(const QKeyEvent& key) {
  const TypedKey kind = ClassifyKey(key);
  return kind == TypedKey::Character || kind == TypedKey::Digit ? FirstCharacter(key) : 0;
}

void InstallKeyFilter(QWidget& field, std::function<bool(const QKeyEvent&)> accept) {
  field.installEventFilter(new TKeyFilter(&field, std::move(accept)));
  RefuseInputMethodText(field);
}

void RefuseInputMethodText(QWidget& field) {
  field.setAttribute(Qt::WA_InputMethodEnabled, false);
  field.installEventFilter(new TInputMethodGuard(&field));
}

}  // namespace platform
