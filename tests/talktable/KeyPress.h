// Sending one key press to a field, as the dialogs' key filter tests do.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>

namespace testing_support {

// Sends a key press and its release; `text` is what the event carries, which the
// filters must not judge by.
inline void PressKey(QWidget& field, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(&field, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(&field, &release);
}

// The Qt names of widgets in the order Tab visits them, from `first`.
inline std::vector<std::string> TabOrder(QWidget& first) {
  std::vector<std::string> names;
  QWidget* widget = &first;
  do {
    if (widget->focusPolicy() & Qt::TabFocus) names.push_back(widget->objectName().toStdString());
    widget = widget->nextInFocusChain();
  } while (widget != &first);
  return names;
}

}  // namespace testing_support
