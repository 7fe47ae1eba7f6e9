// The Settings pane: the "[Settings]" section of changes.ini. Unlike the list panes
// it keeps its edits in its controls until "&Save changes" writes them all.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/rules/UChangesIniNames.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

constexpr const char* kSection = kSettingsSection;

QLineEdit* NewEdit(QWidget* parent, const char* name, const char* hint) {
  return platform::Hinted(platform::Named(new QLineEdit(parent), name), hint);
}

QComboBox* NewList(QWidget* parent, const char* name, const char* hint,
                   std::initializer_list<const char*> items) {
  auto* list = platform::Hinted(platform::Named(new QComboBox(parent), name), hint);
  list->setEditable(false);
  for (const char* item : items) list->addItem(QString::fromLatin1(item));
  return list;
}

std::string TextOf(const QLineEdit* edit) { return platform::FromQt(edit->text()); }

}  // namespace

QWidget* TMainForm::CreateSettingsPane() {
  QWidget* pane = NewPane(this, "paneSettings");
  edSetCaption =
      NewEdit(pane, "edSetCaption", "Name of the main window shown in the Orvandel title bar.");
  edSetConfirm =
      NewEdit(pane, "edSetConfirm",
              "Yes/No confirmation message before installation starts. Set to 'N/A' to disable.");
  bxSetLog = NewList(
      pane, "bxSetLog",
      "Sets the detail of the feedback shown in the progress log during installation.",
      {"0 - Silent Mode: No feedback (info text still displayed)",
       "1 - Lower: Generic progress feedback only", "2 - Low: Generic info and error messages",
       "3 - Default: Generic info, errors and warnings",
       "4 - Debug: Generic feedback, errors, alerts and verbose info"});
  cbMode =
      NewList(pane, "cbMode",
              "Determine if Orvandel should run as automatic installer or as a manual patcher.",
              {"Installer - Patches existing files in Override, copies new files.",
               "Patcher - Ask for location of each individual file to patch."});
  cbBackups = NewList(
      pane, "cbBackups",
      "Toggles the Orvandel doing backup copies of any files it is about to modify or overwrite.",
      {"Before modifying an existing file, if not already done.",
       "Do not make backups of files before patching."});
  cbLogstyle =
      NewList(pane, "cbLogstyle",
              "Allows using a plain text progress log to work around RichEdit DLL errors a few "
              "users seem to have.",
              {"Standard - color coded, formatted", "Compatibility - plaintext, unformated"});
  edSetReqFile = NewEdit(pane, "edSetReqFile",
                         "Name of file that must exist in the user's override folder in order for "
                         "installation to take place.");
  edSetReqMsg = NewEdit(
      pane, "edSetReqMsg",
      "Error message to display to the user if the file named in the above field is missing from "
      "their override folder.");
  cbLookup = NewList(pane, "cbLookup",
                     "Set how the Patcher should find the game folder when in Installer mode.",
                     {"Ask the user to select the folder location.",
                      "Look up folder path in the Windows Registry."});
  cbGameVer = NewList(pane, "cbGameVer",
                      "Set which game this Mod is for, if the patcher should look up the game "
                      "folder in the Registry.",
                      {"KotOR2:TSL", "KotOR1"});
  cbDebugScripts =
      new QCheckBox(QStringLiteral("Save processed script source code files for debugging"), pane);
  cbDebugScripts->setObjectName(QStringLiteral("cbDebugScripts"));
  btnSetSave = NewTextButton(pane, "btnSetSave", "&Save changes",
                             "Save changes made to input boxed in this section.");
  btnSetReset =
      NewTextButton(pane, "btnSetReset", "&Reset changes",
                    "Discard recently made changes and reload the values stored in the INI file.");

  QLabel* heading = platform::MakeHeading(pane, "lblSettingsHeading", "Settings");

  auto* rows = new QFormLayout;
  rows->addRow(QStringLiteral("Window caption:"), edSetCaption);
  rows->addRow(QStringLiteral("Confirm message:"), edSetConfirm);
  rows->addRow(QStringLiteral("Log level:"), bxSetLog);
  rows->addRow(QStringLiteral("Run mode:"), cbMode);
  rows->addRow(QStringLiteral("Make backups:"), cbBackups);
  rows->addRow(QStringLiteral("Progress log style:"), cbLogstyle);
  rows->addRow(QStringLiteral("Required file name:"), edSetReqFile);
  rows->addRow(QStringLiteral("Required error msg:"), edSetReqMsg);
  auto* lookup = new QHBoxLayout;
  lookup->addWidget(cbLookup, 1);
  lookup->addWidget(cbGameVer);
  rows->addRow(QStringLiteral("Ask for game folder:"), lookup);
  rows->addRow(QString(), cbDebugScripts);

  QHBoxLayout* buttons = platform::ButtonRow(btnSetSave, btnSetReset);

  auto* column = new QVBoxLayout(pane);
  column->addWidget(heading);
  column->addLayout(rows);
  column->addLayout(buttons);
  column->addStretch(1);

  platform::Connect(btnSetSave, &QPushButton::clicked, this, [this] { btnSetSaveClick(); });
  platform::Connect(btnSetReset, &QPushButton::clicked, this, [this] { btnSetResetClick(); });
  // Only the user's choice: loading sets the game list's state itself.
  platform::Connect(cbLookup, &QComboBox::activated, this, [this] { cbLookupChange(); });
  return pane;
}

void TMainForm::ResetSettingsPane() {
  edSetCaption->clear();
  edSetConfirm->clear();
  bxSetLog->setCurrentIndex(0);
}

void TMainForm::LoadSettings() {
  CurrentSection = kSection;
  if (!ChangesIni->SectionExists(kSection)) return;
  TKV_Inifile& ini = *ChangesIni;
  edSetConfirm->setText(platform::ToQt(ini.ReadString(kSection, "ConfirmMessage", "N/A")));
  edSetCaption->setText(platform::ToQt(ini.ReadString(kSection, "WindowCaption", "")));
  bxSetLog->setCurrentIndex(std::clamp(ini.ReadInteger(kSection, "LogLevel", 3), 0, 4));
  cbMode->setCurrentIndex(ini.ReadBool(kSection, "InstallerMode", true) ? 0 : 1);
  cbBackups->setCurrentIndex(ini.ReadBool(kSection, "BackupFiles", true) ? 0 : 1);
  cbLogstyle->setCurrentIndex(ini.ReadBool(kSection, "PlaintextLog", false) ? 1 : 0);
  edSetReqFile->setText(platform::ToQt(ini.ReadString(kSection, "Required", "")));
  edSetReqMsg->setText(platform::ToQt(ini.ReadString(kSection, "RequiredMsg", "")));
  cbGameVer->setCurrentIndex(ini.ReadInteger(kSection, "LookupGameNumber", 2) == 1 ? 1 : 0);
  const bool lookup = ini.ReadBool(kSection, "LookupGameFolder", false);
  cbLookup->setCurrentIndex(lookup ? 1 : 0);
  cbGameVer->setEnabled(lookup);
  cbDebugScripts->setChecked(ini.ReadBool(kSection, "SaveProcessedScripts", false));
}

void TMainForm::btnSetResetClick() { LoadSettings(); }

void TMainForm::btnSetSaveClick() {
  for (const QLineEdit* edit : {edSetCaption, edSetConfirm, edSetReqFile, edSetReqMsg})
    if (!platform::StorableText(this, edit->text())) return;  // nothing is written
  TKV_Inifile& ini = *ChangesIni;
  // Written one by one in this order, so keys new to the section follow it.
  auto writeOrDelete = [&ini](const char* key, const std::string& text) {
    if (text.empty()) {
      ini.DeleteKey(kSection, key);
    } else {
      ini.WriteString(kSection, key, text);
    }
  };
  auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  writeOrDelete("WindowCaption", TextOf(edSetCaption));
  writeOrDelete("ConfirmMessage", TextOf(edSetConfirm));
  ini.WriteString(kSection, "LogLevel", std::to_string(bxSetLog->currentIndex()));
  ini.WriteString(kSection, "InstallerMode", flag(cbMode->currentIndex() == 0));
  ini.WriteString(kSection, "BackupFiles", flag(cbBackups->currentIndex() == 0));
  ini.WriteString(kSection, "PlaintextLog", flag(cbLogstyle->currentIndex() != 0));
  writeOrDelete("Required", TextOf(edSetReqFile));
  writeOrDelete("RequiredMsg", TextOf(edSetReqMsg));
  ini.WriteString(kSection, "LookupGameFolder", flag(cbLookup->currentIndex() != 0));
  ini.WriteString(kSection, "LookupGameNumber", cbGameVer->currentIndex() == 1 ? "1" : "2");
  ini.WriteString(kSection, "SaveProcessedScripts", flag(cbDebugScripts->isChecked()));
  ShowInfo("The settings have been stored in the open changes.ini file!");
}

void TMainForm::cbLookupChange() { cbGameVer->setEnabled(cbLookup->currentIndex() != 0); }

}  // namespace quennet
