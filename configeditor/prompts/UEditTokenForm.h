// The StrRef token prompt: the token's number and the StrRef of its append.tlk entry.
// The opener fills both boxes and checks what comes back.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;
class QShowEvent;

namespace quennet {

class TEditTokenForm : public QDialog {
 public:
  explicit TEditTokenForm(QWidget* parent = nullptr);

  QLineEdit* edToken;
  QLineEdit* edStrRef;
  QPushButton* btnSave;
  QPushButton* btnCancel;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace quennet
