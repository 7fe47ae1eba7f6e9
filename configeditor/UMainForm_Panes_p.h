// Widget helpers shared by the panes of the main window (the GFF and soundset panes).
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include "configeditor/UIcons.h"

namespace quennet::pane_parts {

inline void SetHint(QWidget* control, const char* hint) {
  control->setStatusTip(QString::fromLatin1(hint));
  control->setToolTip(QString::fromLatin1(hint));
}

inline QToolButton* NewImageButton(QWidget* parent, const char* name, TButtonImage image,
                                   const char* hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(ButtonImage(image));
  button->setAutoRaise(true);
  SetHint(button, hint);
  return button;
}

// An editable drop-down that neither completes inline nor adds what Enter confirms.
template <typename Combo>
Combo* NewEditableCombo(QWidget* parent, const char* name, const char* hint) {
  auto* box = new Combo(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  SetHint(box, hint);
  return box;
}

inline QLabel* NewLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

// The large bold title of a pane.
inline QLabel* NewPaneTitle(QWidget* parent, const char* name, const char* text) {
  QLabel* title = NewLabel(parent, name, text);
  QFont large = title->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  title->setFont(large);
  return title;
}

// Keeps the press of Ctrl+Shift+Down from moving a list's current row, so that the
// command on its release takes the row the user chose.
class TKeepRowOnCtrlShiftDown : public QObject {
 public:
  explicit TKeepRowOnCtrlShiftDown(QAbstractItemView* list) : QObject(list) {
    list->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Down &&
          (key->modifiers() & ~Qt::KeypadModifier) == (Qt::ControlModifier | Qt::ShiftModifier))
        return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace quennet::pane_parts
