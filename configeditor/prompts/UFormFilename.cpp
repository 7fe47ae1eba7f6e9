#include "configeditor/prompts/UFormFilename.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/rules/UFileCategories.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/TypedText.h"

namespace quennet {

TFormFilename::TFormFilename(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFormFilename"));
  setWindowTitle(QStringLiteral("Specify file name"));
  lblTitle = platform::MakeHeading(this, "lblTitle", "");
  lblDescription = platform::MakeLabel(this, "lblDescription", "");
  edFilename = platform::Named(new QLineEdit(this), "edFilename");
  btnOpen = NewImageButton(this, "btnOpen", TButtonImage::Open, "Select file to get name from");
  btnOK = platform::MakeButton(this, "btnOK", "&OK");
  btnOK->setDefault(true);
  btnCancel = platform::MakeButton(this, "btnCancel", "&Cancel");

  dlgOpen.mode = platform::FileDialogRequest::Mode::Open;
  dlgOpen.filter = "All files (*.*)|*.*";
  dlgOpen.title = "Please select a file to get name from";
  dlgOpen.fileMustExist = true;

  auto* entry = new QHBoxLayout;
  entry->addWidget(new QLabel(QStringLiteral("Filename:"), this));
  entry->addWidget(edFilename, 1);
  entry->addWidget(btnOpen);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(lblDescription);
  layout->addLayout(entry);
  layout->addLayout(platform::ButtonRow(btnOK, btnCancel));
  SetFileType("2DA");
  platform::FixSizeAtLeast(this, 460, 0);

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

std::optional<std::string> TFormFilename::Ask(const std::string& word) {
  SetFileType(word);
  if (platform::RunModal(*this) != QDialog::Accepted) return std::nullopt;
  std::string name = TrimmedFileName(GetFilename());
  if (IsNoFileName(name)) return std::nullopt;
  return name;
}

void TFormFilename::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::RunGuarded([this] { FormShow(); });
}

void TFormFilename::FormShow() {
  platform::CentreOnDesktop(*this);
  edFilename->clear();
  edFilename->setFocus();
}

void TFormFilename::btnOpenClick() {
  std::vector<std::string> chosen = platform::RunFileDialog(this, dlgOpen);
  if (!chosen.empty()) edFilename->setText(platform::ToQt(BareFileName(chosen.front())));
}

}  // namespace quennet
