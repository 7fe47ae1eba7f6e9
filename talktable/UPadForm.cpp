#include "talktable/UPadForm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/ui/Codec.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/Services.h"
#include "talktable/UDialogParts.h"

namespace sorlith {

bool IsAcceptedNumberKey(const QKeyEvent& key) {
  switch (platform::ClassifyKey(key)) {
    case platform::TypedKey::Digit:
    case platform::TypedKey::Backspace:
    case platform::TypedKey::Copy:
    case platform::TypedKey::Cut:
    case platform::TypedKey::Paste:
    case platform::TypedKey::Undo:
    case platform::TypedKey::NoCharacter:
      return true;
    case platform::TypedKey::Character:
    case platform::TypedKey::ControlCharacter:
      break;
  }
  return false;
}

TPadEntriesForm::TPadEntriesForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TPadEntriesForm"));
  setWindowTitle(QStringLiteral("Pad to StrRef"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(this, "Label1", "Pad to StrRef"));
  layout->addWidget(MakeLabel(this, "Label2",
                              "This function will let you insert blank entries into the TLK file "
                              "up until the StrRef you enter "
                              "below."));
  layout->addWidget(MakeLabel(
      this, "Label3",
      "This can be used to have your own range of entries that does not follow directly after the "
      "standard "));
  layout->addWidget(MakeLabel(this, "Label4",
                              "entries, making it easier to re-append your own strings after the "
                              "developers have released a "
                              "new "));
  layout->addWidget(
      MakeLabel(this, "Label5", "version of the game that alters the dialog.tlk file."));

  edStrRef = new QLineEdit(this);
  edStrRef->setObjectName(QStringLiteral("edStrRef"));
  edStrRef->installEventFilter(this);
  platform::RefuseInputMethodText(*edStrRef);
  lblCurrent = MakeLabel(this, "lblCurrent", "");
  auto* fieldRow = new QHBoxLayout;
  fieldRow->addWidget(SetBold(MakeLabel(this, "Label6", "StrRef number to pad up to:")));
  fieldRow->addWidget(edStrRef);
  fieldRow->addWidget(lblCurrent);
  fieldRow->addStretch();
  layout->addLayout(fieldRow);

  btnOK = MakeButton(this, "btnOK", "&OK");
  btnCancel = MakeButton(this, "btnCancel", "&Cancel");
  btnCancel->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addLayout(ButtonRow(btnOK, btnCancel));
  FixSize(this);
  setTabOrder(edStrRef, btnOK);
  setTabOrder(btnOK, btnCancel);
}

void TPadEntriesForm::SetPosition(int left, int top) { move(left, top); }

std::string TPadEntriesForm::StrRefText() const { return platform::FromQt(edStrRef->text()); }

void TPadEntriesForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // the window system's show, not the program's
  FormShow();
}

void TPadEntriesForm::FormShow() {
  edStrRef->setText(QString::number(FEntryCount + 1));
  lblCurrent->setText(QStringLiteral("(current range: 0 to ") + QString::number(FEntryCount - 1) +
                      QStringLiteral(")"));
  edStrRef->setFocus(Qt::OtherFocusReason);
  // The new texts may need more room; the fixed border follows them at once.
  layout()->activate();
}

bool TPadEntriesForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edStrRef && event->type() == QEvent::KeyPress &&
      !edStrRefKeyPress(static_cast<const QKeyEvent&>(*event))) {
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool TPadEntriesForm::edStrRefKeyPress(const QKeyEvent& key) {
  if (IsAcceptedNumberKey(key)) return true;
  platform::Beep();
  return false;
}

}  // namespace sorlith
