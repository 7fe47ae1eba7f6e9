#include "configeditor/help/UInfoCopyForm.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "configeditor/help/UHelpWindow.h"
#include "platform/ui/Application.h"

namespace quennet {

namespace {

const char kCopyRowHelp[] =
    "Copying 2DA lines:\n"
    "==================\n"
    "A CopyRow modifier adds a new line at the end of the 2DA file. The new line is a\n"
    "copy of an existing line, with the column values you list here changed.\n\n"
    "The line to copy is chosen either by its row index (the line number, counted from\n"
    "0) or by its row label (the text in the first, unnamed column).\n\n"
    "ExclusiveColumn (optional): a column whose new value must be unique in the table.\n"
    "If a line with that value already exists, no line is added; that existing line is\n"
    "modified with the listed values instead.\n\n"
    "NewRowLabel (optional): the row label of the new line. When used, this key must\n"
    "come first among the column values.\n\n"
    "Special values:\n"
    "    inc(#)   adds # to the copied line's number in that column\n"
    "    high()   one more than the highest number found in that column\n";

}  // namespace

TInfoCopyForm::TInfoCopyForm() : QDialog(nullptr) {
  setObjectName(QStringLiteral("TInfoCopyForm"));
  txtCopyInfo = NewHelpMemo(this, "txtCopyInfo", kCopyRowHelp);
  btnClose = new QPushButton(QStringLiteral("&Close"), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setDefault(true);
  auto* layout = new QGridLayout(this);
  layout->addWidget(txtCopyInfo, 0, 0);
  layout->addWidget(btnClose, 1, 0, Qt::AlignRight);
  MakeHelpWindow(*this, 592, 417);
  platform::Connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void TInfoCopyForm::Toggle() { setVisible(!isVisible()); }

void TInfoCopyForm::btnCloseClick() { hide(); }

}  // namespace quennet
