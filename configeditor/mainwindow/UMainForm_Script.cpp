// The compile list pane: the script sources of "[CompileList]" with their kind and the
// "!Destination" kept in each script's own section.
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
#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UIcons.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/rules/UCompileList.h"
#include "configeditor/rules/UFileKinds.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/KeyValueList.h"
#include "platform/ui/StringGrid.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

constexpr int kScriptKeyWidth = 170;

}  // namespace

QWidget* TMainForm::CreateScriptPane() {
  QWidget* pane = NewPane(this, "paneScript");
  gridScript =
      NewKeyValueGrid(pane, "gridScript", "Doubleclick to edit the selected modifier in the list.");
  btnDelScript = NewImageButton(pane, "btnDelScript", TButtonImage::Delete,
                                "Delete the selected script file from the list.");
  btnScriptInfo =
      NewImageButton(pane, "btnScriptInfo", TButtonImage::Help,
                     "Show important help information about the Compile Files section.");
  btnEditScript = NewImageButton(pane, "btnEditScript", TButtonImage::Edit,
                                 "Edit the folder/file selected in the list.");
  btnAddScript =
      NewImageButton(pane, "btnAddScript", TButtonImage::Add, "Add folder/file to the list.");
  auto* group = new QGroupBox(QStringLiteral(" File to install "), pane);
  group->setObjectName(QStringLiteral("GroupBox3"));
  edScriptName = platform::Hinted(platform::Named(new QLineEdit(group), "edScriptName"),
                                  "The name of an NSS file to substitute tokens for values in and "
                                  "recompile. Include files will only get tokens processed and are "
                                  "not compiled.");
  btnGetScriptName = NewImageButton(group, "btnGetScriptName", TButtonImage::Open,
                                    "Select an NSS file to get the name from.");
  edScriptDest =
      platform::Hinted(platform::Named(new QLineEdit(group), "edScriptDest"),
                       "Set to 'override' to install into the override folder, or the "
                       "relative path and name of an ERF/RIM format file to insert the NCS "
                       "file into.");
  btnGetDestName = NewImageButton(group, "btnGetDestName", TButtonImage::Open,
                                  "Select an ERF file to get the name from.");
  cbScriptReplace = new QCheckBox(QStringLiteral("Replace existing:"), group);
  cbScriptReplace->setObjectName(QStringLiteral("cbScriptReplace"));
  cbScriptReplace->setLayoutDirection(Qt::RightToLeft);
  platform::SetHint(
      cbScriptReplace,
      "Toggle if existing NCS files with the same name should be overwritten, or if the file "
      "should be skipped.");

  auto* inputs = new QGridLayout(group);
  inputs->addWidget(platform::MakeLabel(group, "Label25", "File name:"), 0, 0);
  inputs->addWidget(edScriptName, 0, 1);
  inputs->addWidget(btnGetScriptName, 0, 2);
  inputs->addWidget(platform::MakeLabel(group, "Label24", "Destination:"), 1, 0);
  inputs->addWidget(edScriptDest, 1, 1);
  inputs->addWidget(btnGetDestName, 1, 2);
  inputs->addWidget(cbScriptReplace, 2, 0, 1, 2, Qt::AlignLeft);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(btnAddScript);
  buttons->addWidget(btnEditScript);
  buttons->addStretch(1);
  buttons->addWidget(btnDelScript);
  buttons->addWidget(btnScriptInfo);
  auto* list = new QHBoxLayout;
  list->addWidget(gridScript, 1);
  list->addLayout(buttons);
  auto* column = new QVBoxLayout(pane);
  column->addWidget(platform::MakeHeading(pane, "Label22", "Script Source files"));
  column->addWidget(platform::MakeLabel(
      pane, "Label23", "NWScript source code files to process for tokens and compile:"));
  column->addLayout(list, 1);
  column->addWidget(group);
  ConnectScriptPane();
  return pane;
}

void TMainForm::ConnectScriptPane() {
  platform::Connect(btnAddScript, &QToolButton::clicked, this, [this] { btnAddScriptClick(); });
  platform::Connect(btnEditScript, &QToolButton::clicked, this, [this] { btnEditScriptClick(); });
  platform::Connect(gridScript, &QAbstractItemView::doubleClicked, this,
                    [this] { btnEditScriptClick(); });
  platform::Connect(btnDelScript, &QToolButton::clicked, this, [this] { btnDelScriptClick(); });
  platform::Connect(btnGetScriptName, &QToolButton::clicked, this,
                    [this] { btnGetScriptNameClick(); });
  platform::Connect(btnGetDestName, &QToolButton::clicked, this, [this] { btnGetDestNameClick(); });
  platform::Connect(btnScriptInfo, &QToolButton::clicked, this, [this] { btnScriptInfoClick(); });
  auto whileShown = [this](void (TMainForm::*handler)()) {
    return [this, handler] {
      if (paneScript->isVisible()) (this->*handler)();
    };
  };
  OnCtrlShiftKeyRelease(edScriptName, Qt::Key_Up, whileShown(&TMainForm::btnAddScriptClick));
  OnCtrlShiftKeyRelease(edScriptDest, Qt::Key_Up, whileShown(&TMainForm::btnAddScriptClick));
  OnCtrlShiftKeyRelease(gridScript, Qt::Key_Down, whileShown(&TMainForm::btnEditScriptClick));
}

void TMainForm::LoadCompileList() {
  TIniReadScope reading(*ChangesIni);
  platform::KeyValueList(*gridScript).ShowRows(ReadCompileList(*ChangesIni));
  SetKeyValueColumns(*gridScript, kScriptKeyWidth);
}

void TMainForm::btnAddScriptClick() {
  if (!FileOpen) return;
  const std::optional<std::string> typed = platform::StorableText(this, edScriptName->text());
  if (!typed) return;
  const std::string name = TrimmedName(*typed);
  if (name.empty()) return;
  const std::optional<std::string> destination = platform::StorableText(this, edScriptDest->text());
  if (!destination) return;
  const std::string key =
      AddCompileEntry(*ChangesIni, name, cbScriptReplace->isChecked(), *destination);
  if (key.empty()) return;
  LoadCompileList();
  platform::KeyValueList(*gridScript).SelectKey(key);
  edScriptName->clear();
  edScriptName->setFocus();
}

void TMainForm::btnEditScriptClick() {
  if (!FileOpen) return;
  const int row = gridScript->Row();
  const std::string name(gridScript->Cell(1, row));
  edScriptName->setText(platform::ToQt(name));
  cbScriptReplace->setChecked(IsReplaceKey(gridScript->Cell(0, row)));
  edScriptDest->setText(platform::ToQt(name.empty() ? std::string("override")
                                                    : ScriptDestination(*ChangesIni, name)));
}

void TMainForm::btnDelScriptClick() {
  if (!FileOpen) return;
  const int row = gridScript->Row();
  const std::string key(gridScript->Cell(0, row));
  if (key.empty()) return;
  if (AskYesNo("Are you sure you wish to remove the file \"" +
               std::string(gridScript->Cell(1, row)) + "\"  from the list?") !=
      platform::MessageAnswer::Yes) {
    return;
  }
  ChangesIni->DeleteKey("CompileList", key);
  LoadCompileList();
  gridScript->SetRow(std::min(row, gridScript->RowCount() - 1));
}

std::optional<std::string> TMainForm::PickFileName(const char* filter, const char* extension,
                                                   const char* title) {
  OpenBox.mode = platform::FileDialogRequest::Mode::Open;
  OpenBox.filter = filter;
  OpenBox.defaultExtension = extension;
  OpenBox.fileName.clear();
  OpenBox.title = title;
  OpenBox.pathMustExist = true;
  OpenBox.fileMustExist = true;
  std::vector<std::string> chosen = platform::RunFileDialog(this, OpenBox);
  if (chosen.empty()) return std::nullopt;
  return platform::PathText(BareFileName(chosen.front()));
}

void TMainForm::btnGetScriptNameClick() {
  if (!FileOpen) return;
  const std::optional<std::string> name =
      PickFileName("NWScript Source files (*.nss)|*.nss", "nss",
                   "Select a script source code file to get the name of...");
  if (name) edScriptName->setText(platform::ToQt(*name));
  edScriptName->setFocus();
}

void TMainForm::btnGetDestNameClick() {
  if (!FileOpen) return;
  const std::optional<std::string> name = PickFileName(
      "ERF files (*.erf)|*.erf|MOD files (*.mod)|*.mod|SAV files (*.sav)|*.sav|HAK files "
      "(*.hak)|*.hak",
      "erf", "Select an ERF format file to get the name of...");
  edScriptDest->setText(platform::ToQt(name.value_or("override")));
  edScriptDest->setFocus();
}

void TMainForm::btnScriptInfoClick() {
  FForms.InfoForm->TogglePage(FForms.InfoForm->txtScriptInfo);
}

}  // namespace quennet
