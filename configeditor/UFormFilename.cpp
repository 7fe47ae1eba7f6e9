#include "configeditor/UFormFilename.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/UConventions.h"
#include "configeditor/UHelpWindow.h"
#include "configeditor/UIcons.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

TFormFilename::TFormFilename(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFormFilename"));
  setWindowTitle(QStringLiteral("Specify file name"));
  lblTitle = new QLabel(this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  QFont large = lblTitle->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  lblTitle->setFont(large);
  lblDescription = new QLabel(this);
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  edFilename = new QLineEdit(this);
  edFilename->setObjectName(QStringLiteral("edFilename"));
  btnOpen = new QToolButton(this);
  btnOpen->setObjectName(QStringLiteral("btnOpen"));
  btnOpen->setIcon(ButtonImage(TButtonImage::Open));
  btnOpen->setAutoRaise(true);
  btnOpen->setStatusTip(QStringLiteral("Select file to get name from"));
  btnOpen->setToolTip(btnOpen->statusTip());
  btnOK = NewButton(this, "btnOK", "&OK");
  btnOK->setDefault(true);
  btnCancel = NewButton(this, "btnCancel", "&Cancel");

  dlgOpen.mode = platform::FileDialogRequest::Mode::Open;
  dlgOpen.filter = "All files (*.*)|*.*";
  dlgOpen.title = "Please select a file to get name from";
  dlgOpen.fileMustExist = true;

  auto* entry = new QHBoxLayout;
  entry->addWidget(new QLabel(QStringLiteral("Filename:"), this));
  entry->addWidget(edFilename, 1);
  entry->addWidget(btnOpen);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(lblDescription);
  layout->addLayout(entry);
  layout->addLayout(buttons);
  SetFileType("2DA");
  setFixedSize(sizeHint().expandedTo(QSize(460, 0)));

  platform::Connect(btnOpen, &QToolButton::clicked, this, [this] { btnOpenClick(); });
  // A name the code page cannot store is refused by name; the prompt stays open.
  platform::Connect(btnOK, &QPushButton::clicked, this, [this] {
    if (platform::StorableText(this, edFilename->text())) accept();
  });
  platform::Connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TFormFilename::SetFileType(const std::string& word) {
  lblTitle->setText(platform::ToQt("Add " + word + " file"));
  lblDescription->setText(platform::ToQt("Please specify the name, with file-extension, of a " +
                                         word + " file to add modifiers for:"));
}

std::string TFormFilename::GetFilename() const { return platform::FromQt(edFilename->text()); }

void TFormFilename::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::RunGuarded([this] { FormShow(); });
}

void TFormFilename::FormShow() {
  CentreOnDesktop(*this);
  edFilename->clear();
  edFilename->setFocus();
}

void TFormFilename::btnOpenClick() {
  std::vector<std::string> chosen = platform::RunFileDialog(this, dlgOpen);
  if (!chosen.empty()) edFilename->setText(platform::ToQt(BareFileName(chosen.front())));
}

}  // namespace quennet
