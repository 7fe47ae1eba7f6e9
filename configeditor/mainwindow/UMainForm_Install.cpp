// The install list pane: the files the installer copies as they are into folders of
// the game, "[InstallList]" and one section per folder. Entries are added from the
// input boxes or many at once through the mass-add prompt, taken back into the boxes,
// and deleted after a question.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/UForms.h"
#include "configeditor/help/UInfoForm.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/parts/UIcons.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/prompts/UMassAddForm.h"
#include "configeditor/rules/UFileKinds.h"
#include "configeditor/rules/UInstallList.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/StringGrid.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

constexpr int kFolderWidth = 168;
constexpr int kKindWidth = 32;

const char* KindWord(bool replace) { return replace ? "Rep." : "Copy"; }

std::vector<std::string> Row(const TInstallEntry& entry) {
  return {entry.folder, entry.file, KindWord(entry.replace)};
}

}  // namespace

QWidget* TMainForm::CreateInstallPane() {
  QWidget* pane = NewPane(this, "paneInstall");
  gridInstall = NewKeyValueGrid(pane, "gridInstall",
                                "Doubleclick to edit the selected modifier in the list.");
  gridInstall->SetColCount(3);
  auto* group = new QGroupBox(QStringLiteral(" File to install "), pane);
  edFolderName = platform::Hinted(
      platform::Named(new QLineEdit(group), "edFolderName"),
      "Relative path (from the game folder) to the folder where this file should be placed.");
  edFileName =
      platform::Hinted(platform::Named(new QLineEdit(group), "edFileName"),
                       "The name of the file that should me copied from orvandeldata to its "
                       "destination folder.");
  btnGetFileName = NewImageButton(group, "btnGetFileName", TButtonImage::Open,
                                  "Select a file to get the name from.");
  cbFileReplace = new QCheckBox(QStringLiteral("Replace existing:"), group);
  cbFileReplace->setObjectName(QStringLiteral("cbFileReplace"));
  cbFileReplace->setLayoutDirection(Qt::RightToLeft);
  btnAddInstall =
      NewImageButton(pane, "btnAddInstall", TButtonImage::Add, "Add folder/file to the list.");
  btnEditInstall = NewImageButton(pane, "btnEditInstall", TButtonImage::Edit,
                                  "Edit the folder/file selected in the list.");
  btnMassAdd = NewImageButton(pane, "btnMassAdd", TButtonImage::Copy,
                              "Add multiple files to the list that should be installed into the "
                              "same folder with the same Replace setting.");
  btnInstallDelete = NewImageButton(pane, "btnInstallDelete", TButtonImage::Delete,
                                    "Delete the selected file in the list.");
  BtnInstallInfo = NewImageButton(pane, "BtnInstallInfo", TButtonImage::Help,
                                  "Display help information about the Install files feature.");

  auto* inputs = new QGridLayout(group);
  inputs->addWidget(new QLabel(QStringLiteral("Folder name:"), group), 0, 0);
  inputs->addWidget(edFolderName, 0, 1, 1, 2);
  inputs->addWidget(new QLabel(QStringLiteral("File name:"), group), 1, 0);
  inputs->addWidget(edFileName, 1, 1);
  inputs->addWidget(btnGetFileName, 1, 2);
  inputs->addWidget(cbFileReplace, 2, 0, 1, 2, Qt::AlignLeft);
  auto* buttons = new QVBoxLayout;
  for (QToolButton* button : {btnAddInstall, btnEditInstall, btnMassAdd}) {
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  buttons->addWidget(btnInstallDelete);
  buttons->addWidget(BtnInstallInfo);
  auto* list = new QHBoxLayout;
  list->addWidget(gridInstall, 1);
  list->addLayout(buttons);
  auto* column = new QVBoxLayout(pane);
  column->addWidget(platform::MakeHeading(pane, "lblInstallHeading", "Install files"));
  column->addWidget(new QLabel(QStringLiteral("Files to copy to game folder:"), pane));
  column->addLayout(list, 1);
  column->addWidget(group);
  return pane;
}

void TMainForm::ConnectInstallPane() {
  platform::Connect(btnAddInstall, &QToolButton::clicked, this, [this] { btnAddInstallClick(); });
  platform::Connect(btnEditInstall, &QToolButton::clicked, this, [this] { btnEditInstallClick(); });
  platform::Connect(btnInstallDelete, &QToolButton::clicked, this,
                    [this] { btnInstallDeleteClick(); });
  platform::Connect(btnGetFileName, &QToolButton::clicked, this, [this] { btnGetFileNameClick(); });
  platform::Connect(btnMassAdd, &QToolButton::clicked, this, [this] { btnMassAddClick(); });
  platform::Connect(BtnInstallInfo, &QToolButton::clicked, this, [this] { BtnInstallInfoClick(); });
  WireListPane(*paneInstall, *gridInstall, [this] { btnEditInstallClick(); });
  WireEntryBoxes(*paneInstall, {edFolderName, edFileName}, [this] { btnAddInstallClick(); });
}

void TMainForm::ResetInstallPane() {
  gridInstall->SetRows({{"", "", ""}});
  edFolderName->clear();
  edFileName->clear();
  cbFileReplace->setChecked(false);
}

void TMainForm::LoadInstallList() {
  TIniReadScope reading(*FChangesIni);
  std::vector<std::vector<std::string>> rows;
  for (const TInstallEntry& entry : ReadInstallList(*FChangesIni)) rows.push_back(Row(entry));
  if (rows.empty()) rows.push_back({"", "", ""});
  gridInstall->SetRows(std::move(rows));
  FitColumn(*gridInstall, 0, kFolderWidth);
  FitColumn(*gridInstall, 2, kKindWidth);
  gridInstall->SetColWidth(
      1, gridInstall->width() - gridInstall->ColWidth(0) - gridInstall->ColWidth(2) - 24);
}

void TMainForm::SelectInstallEntry(const TInstallEntry& entry) {
  const std::vector<std::string> wanted = Row(entry);
  for (int row = 0; row < gridInstall->RowCount(); ++row) {
    if (gridInstall->Cell(0, row) == wanted[0] && gridInstall->Cell(1, row) == wanted[1] &&
        gridInstall->Cell(2, row) == wanted[2]) {
      gridInstall->SetRow(row);
      return;
    }
  }
}

TInstallEntry TMainForm::SelectedInstallEntry() const {
  const int row = gridInstall->Row();
  return {std::string(gridInstall->Cell(0, row)), std::string(gridInstall->Cell(1, row)),
          gridInstall->Cell(2, row).starts_with('R')};
}

void TMainForm::btnAddInstallClick() {
  if (!FFileOpen) return;
  const std::optional<std::string> folder = platform::StorableText(this, edFolderName->text());
  if (!folder) return;
  const std::optional<std::string> file = platform::StorableText(this, edFileName->text());
  if (!file) return;
  const TInstallEntry entry{TrimmedName(*folder), TrimmedName(*file), cbFileReplace->isChecked()};
  if (entry.folder.empty() || entry.file.empty()) return;
  if (!AddInstallEntry(*FChangesIni, entry)) return;
  LoadInstallList();
  SelectInstallEntry(entry);
  edFileName->clear();
  edFileName->setFocus();
}

void TMainForm::btnEditInstallClick() {
  if (!FFileOpen) return;
  const TInstallEntry entry = SelectedInstallEntry();
  edFolderName->setText(platform::ToQt(entry.folder));
  edFileName->setText(platform::ToQt(entry.file));
  cbFileReplace->setChecked(entry.replace);
}

void TMainForm::btnInstallDeleteClick() {
  if (!FFileOpen) return;
  const TInstallEntry entry = SelectedInstallEntry();
  if (entry.folder.empty() || entry.file.empty()) return;
  if (AskYesNo("Are you sure you wish to delete the entry for the file \"" + entry.file +
               "\"  in the folder \"" + entry.folder + "\"?") != platform::MessageAnswer::Yes) {
    return;
  }
  const int row = gridInstall->Row();
  DeleteInstallEntry(*FChangesIni, entry);
  LoadInstallList();
  gridInstall->SetRow(std::min(row, gridInstall->RowCount() - 1));
}

void TMainForm::btnGetFileNameClick() {
  if (!FFileOpen) return;
  const std::optional<std::string> name =
      PickFileName("All files (*.*)|*.*", "", "Select a file to get the name of...");
  if (name) edFileName->setText(platform::ToQt(*name));
  edFileName->setFocus();
}

void TMainForm::btnMassAddClick() {
  if (!FFileOpen) return;
  TMassAddForm& prompt = *FForms.MassAddForm;
  if (platform::RunModal(prompt) != QDialog::Accepted) return;
  const std::string folder = TrimmedName(prompt.FolderName());
  const bool replace = prompt.ReplaceFiles();
  if (folder.empty()) return;
  OpenBox.mode = platform::FileDialogRequest::Mode::OpenMultiple;
  OpenBox.filter = "All files (*.*)|*.*";
  OpenBox.defaultExtension.clear();
  OpenBox.fileName.clear();
  OpenBox.title = "Select the files to get the names of (use shift to select multiple)";
  const std::vector<std::string> chosen = platform::RunFileDialog(this, OpenBox);
  if (chosen.empty()) return;
  std::vector<std::string> files;
  for (const std::string& path : chosen) files.push_back(platform::PathText(BareFileName(path)));
  AddInstallFiles(*FChangesIni, folder, files, replace);
  LoadInstallList();
  SelectInstallEntry({folder, files.back(), replace});
}

void TMainForm::BtnInstallInfoClick() {
  FForms.InfoForm->TogglePage(FForms.InfoForm->txtInstallInfo);
}

}  // namespace quennet
