#include "configeditor/prompts/UMassAddForm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/parts/UIcons.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "formats/UKV_Common.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

const char* const kExplanation[] = {
    "This will let you select multiple files that will be added to the ",
    "destination folder whose name you must specify below.",
    "The replace checkbox will determine the setting of all selected",
    "files you add to this folder here.",
};

}  // namespace

TMassAddForm::TMassAddForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TMassAddForm"));
  setWindowTitle(QStringLiteral("Install files - Mass Add"));
  edFoldername = new QLineEdit(this);
  edFoldername->setObjectName(QStringLiteral("edFoldername"));
  SpeedButton1 = NewImageButton(this, "SpeedButton1", TButtonImage::Open,
                                "Select a folder to get the name from.");
  cbReplace = new QCheckBox(QStringLiteral("Replace existing files in folder"), this);
  cbReplace->setObjectName(QStringLiteral("cbReplace"));
  btnOK = platform::MakeButton(this, "btnOK", "&Select");
  btnOK->setDefault(true);
  btnCancel = platform::MakeButton(this, "btnCancel", "&Cancel");

  auto* folder = new QHBoxLayout;
  folder->addWidget(new QLabel(QStringLiteral("Specify folder name:"), this));
  folder->addWidget(edFoldername, 1);
  folder->addWidget(SpeedButton1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(platform::MakeHeading(this, "lblHeading", "Mass add files"));
  for (const char* line : kExplanation) {
    layout->addWidget(new QLabel(QString::fromLatin1(line), this));
  }
  layout->addLayout(folder);
  layout->addWidget(cbReplace);
  layout->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(400, 0)));

  platform::Connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  platform::Connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  platform::Connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

// A cancelled picker empties the box.
void TMassAddForm::SpeedButton1Click() {
  const std::string folder = SelectFolderDialog("Please select a folder to get the name of", 0);
  edFoldername->setText(platform::PathToQt(LastPathPart(folder)));
}

// A folder name the code page cannot store is refused by name; the prompt stays open.
void TMassAddForm::btnOKClick() {
  std::optional<std::string> folder = platform::StorableText(this, edFoldername->text());
  if (!folder) return;
  FReplaceFiles = cbReplace->isChecked();
  FFolderName = std::move(*folder);
  cbReplace->setChecked(false);
  edFoldername->clear();
  accept();
}

}  // namespace quennet
