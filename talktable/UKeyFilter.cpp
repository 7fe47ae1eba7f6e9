#include "talktable/UKeyFilter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace sorlith {

namespace {

// Qt gives special keys codes from 0x01000000 on; below that a key code is the
// character the key types.
constexpr int kFirstSpecialKey = 0x01000000;

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

}  // namespace

TTypedKey ClassifyKey(const QKeyEvent& key) {
  if (key.matches(QKeySequence::Paste)) return TTypedKey::Paste;
  if (key.matches(QKeySequence::Copy)) return TTypedKey::Copy;
  if (key.matches(QKeySequence::Cut)) return TTypedKey::Cut;
  if (key.matches(QKeySequence::Undo)) return TTypedKey::Undo;
  const Qt::KeyboardModifiers modifiers = key.modifiers();
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) return TTypedKey::NoCharacter;
  const int code = key.key();
  const bool characterKey = code > 0 && code < kFirstSpecialKey;
  if (modifiers & Qt::ControlModifier)
    return characterKey || code == Qt::Key_Backspace ? TTypedKey::ControlCharacter
                                                     : TTypedKey::NoCharacter;
  if (code == Qt::Key_Backspace) return TTypedKey::Backspace;
  if (code >= Qt::Key_0 && code <= Qt::Key_9) return TTypedKey::Digit;
  return characterKey ? TTypedKey::Character : TTypedKey::NoCharacter;
}

char TypedCharacter(const QKeyEvent& key) {
  const int code = key.key();
  return code > 0 && code <= 0xFF ? static_cast<char>(code) : '\0';
}

void InstallKeyFilter(QWidget& field, std::function<bool(const QKeyEvent&)> accept) {
  field.installEventFilter(new TKeyFilter(&field, std::move(accept)));
}

}  // namespace sorlith
