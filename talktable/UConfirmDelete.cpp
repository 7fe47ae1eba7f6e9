#include "talktable/UConfirmDelete.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "talktable/UDialogParts.h"

namespace sorlith {

TConfirmDelete::TConfirmDelete(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TConfirmDelete"));
  setWindowTitle(QStringLiteral("Confirm Delete Entry"));

  lblHeader = MakeHeading(this, "lblHeader", "Delete entry");
  QLabel* warning = SetDarkRed(SetBold(MakeLabel(this, "Label1", "Warning:")));
  auto* firstLine = new QHBoxLayout;
  firstLine->addWidget(warning);
  firstLine->addWidget(MakeLabel(
      this, "Label2", "Deleting a TLK entry will automatically adjust the StrRef values of all"));
  firstLine->addStretch();

  auto* texts = new QVBoxLayout;
  texts->addWidget(
      MakeLabel(this, "Label3", "other entries that comes after it in the TLK table!"));
  texts->addWidget(
      MakeLabel(this, "Label4", "Only click OK below if you are very sure of what you are doing."));
  texts->addWidget(SetDarkRed(
      MakeLabel(this, "Label5",
                "If you delete one of the standard entries you run the risk of messing up a")));
  texts->addWidget(SetDarkRed(MakeLabel(this, "Label6", "lot of text that appears in the game.")));

  btnOk = MakeButton(this, "btnOk", "&OK");
  btnCancel = MakeButton(this, "btnCancel", "&Cancel");
  btnCancel->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  // QDialog sends Esc to reject(), which is Cancel's result.
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblHeader);
  layout->addLayout(firstLine);
  layout->addLayout(texts);
  layout->addLayout(ButtonRow(btnOk, btnCancel));
  FixSize(this);
  setTabOrder(btnOk, btnCancel);
}

void TConfirmDelete::SetPosition(int left, int top) { move(left, top); }

void TConfirmDelete::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // the window system's show, not the program's
  FormShow();
}

void TConfirmDelete::FormShow() {
  lblHeader->setText(QStringLiteral("Delete entry #") + QString::number(FEntryNumber));
  btnCancel->setFocus(Qt::OtherFocusReason);
  // The new texts may need more room; the fixed border follows them at once.
  layout()->activate();
}

}  // namespace sorlith
