#include "configeditor/prompts/UEditTokenForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "configeditor/help/UHelpWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/Services.h"

namespace quennet {

namespace {

// The StrRef box takes the digits and backspace only; any other typed character is
// refused with a beep. Keys that type nothing and the clipboard keys pass (Save checks
// what the box holds).
bool AcceptStrRefKey(const QKeyEvent& key) {
  const platform::TypedKey typed = platform::ClassifyKey(key);
  if (typed != platform::TypedKey::Character && typed != platform::TypedKey::ControlCharacter) {
    return true;
  }
  platform::Beep();
  return false;
}

}  // namespace

TEditTokenForm::TEditTokenForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TEditTokenForm"));
  setWindowTitle(QStringLiteral("Edit String Token"));
  edToken = new QLineEdit(this);
  edToken->setObjectName(QStringLiteral("edToken"));
  edStrRef = new QLineEdit(this);
  edStrRef->setObjectName(QStringLiteral("edStrRef"));
  platform::InstallKeyFilter(*edStrRef, AcceptStrRefKey);
  btnSave = platform::MakeButton(this, "btnSave", "Save");
  btnSave->setDefault(true);
  btnCancel = platform::MakeButton(this, "btnCancel", "Cancel");

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("String Token:"), edToken);
  fields->addRow(QStringLiteral("StrRef in append.tlk:"), edStrRef);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnSave);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("String Token must be \"StrRef\" followed by a "), this));
  layout->addWidget(new QLabel(QStringLiteral("unique numeric value."), this));
  layout->addLayout(fields);
  layout->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(280, 0)));

  platform::Connect(btnSave, &QPushButton::clicked, this, [this] { accept(); });
  platform::Connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TEditTokenForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::RunGuarded([this] { CentreOnDesktop(*this); });
}

}  // namespace quennet
