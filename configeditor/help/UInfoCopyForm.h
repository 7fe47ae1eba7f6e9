// The help window of CopyRow modifiers, toggled by the copy-line dialog's help button.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace quennet {

class TInfoCopyForm : public QDialog {
 public:
  TInfoCopyForm();

  // Hidden: shows the window; shown: hides it.
  void Toggle();

  QPlainTextEdit* txtCopyInfo;
  QPushButton* btnClose;

 private:
  void btnCloseClick();
};

}  // namespace quennet
