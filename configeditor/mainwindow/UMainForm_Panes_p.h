// What the GFF and soundset panes share beyond configeditor/UPaneParts.h.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

#include "configeditor/parts/UDropDownCombo.h"
#include "platform/ui/FormParts.h"

namespace quennet::pane_parts {

// An editable value box whose list is built when it opens, set up as
// NewEditableCombo sets up its boxes.
inline TDropDownCombo* NewTokenCombo(QWidget* parent, const char* name, const char* hint) {
  auto* box = platform::Hinted(platform::Named(new TDropDownCombo(parent), name), hint);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  return box;
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
