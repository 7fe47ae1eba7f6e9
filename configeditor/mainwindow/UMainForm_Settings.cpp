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
#include "configeditor/rules/USettings.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

void ShowSettingState(QWidget& box, const TSettingState& state) {
  if (auto* edit = qobject_cast<QLineEdit*>(&box)) {
    edit->setText(platform::ToQt(state.text));
  } else if (auto* list = qobject_cast<QComboBox*>(&box)) {
    list->setCurrentIndex(state.choice);
  } else if (auto* check = qobject_cast<QCheckBox*>(&box)) {
    check->setChecked(state.choice != 0);
  }
}

// The box's state; none when its text cannot be stored (the warning was shown).
std::optional<TSettingState> SettingStateOf(QWidget* window, QWidget& box) {
  TSettingState state;
  if (auto* edit = qobject_cast<QLineEdit*>(&box)) {
    std::optional<std::string> text = platform::StorableText(window, edit->text());
    if (!text) return std::nullopt;
    state.text = std::move(*text);
  } else if (auto* list = qobject_cast<QComboBox*>(&box)) {
    state.choice = list->currentIndex();
  } else if (auto* check = qobject_cast<QCheckBox*>(&box)) {
    state.choice = check->isChecked() ? 1 : 0;
  }
  return state;
}

}  // namespace

QWidget* TMainForm::CreateSettingsPane() {
  QWidget* pane = NewPane(this, "paneSettings");
  edSetCaption = platform::Hinted(platform::MakeEdit(pane, "edSetCaption"),
                                  "Name of the main window shown in the Orvandel title bar.");
  edSetConfirm = platform::Hinted(
      platform::MakeEdit(pane, "edSetConfirm"),
      "Yes/No confirmation message before installation starts. Set to 'N/A' to disable.");
  bxSetLog = NewChoiceList(
      pane, "bxSetLog",
      "Sets the detail of the feedback shown in the progress log during installation.",
      {"0 - Silent Mode: No feedback (info text still displayed)",
       "1 - Lower: Generic progress feedback only", "2 - Low: Generic info and error messages",
       "3 - Default: Generic info, errors and warnings",
       "4 - Debug: Generic feedback, errors, alerts and verbose info"});
  cbMode = NewChoiceList(
      pane, "cbMode",
      "Determine if Orvandel should run as automatic installer or as a manual patcher.",
      {"Installer - Patches existing files in Override, copies new files.",
       "Patcher - Ask for location of each individual file to patch."});
  cbBackups = NewChoiceList(
      pane, "cbBackups",
      "Toggles the Orvandel doing backup copies of any files it is about to modify or overwrite.",
      {"Before modifying an existing file, if not already done.",
       "Do not make backups of files before patching."});
  cbLogstyle = NewChoiceList(
      pane, "cbLogstyle",
      "Allows using a plain text progress log to work around RichEdit DLL errors a few "
      "users seem to have.",
      {"Standard - color coded, formatted", "Compatibility - plaintext, unformated"});
  edSetReqFile =
      platform::Hinted(platform::MakeEdit(pane, "edSetReqFile"),
                       "Name of file that must exist in the user's override folder in order for "
                       "installation to take place.");
  edSetReqMsg = platform::Hinted(
      platform::MakeEdit(pane, "edSetReqMsg"),
      "Error message to display to the user if the file named in the above field is missing from "
      "their override folder.");
  cbLookup = NewChoiceList(
      pane, "cbLookup", "Set how the Patcher should find the game folder when in Installer mode.",
      {"Ask the user to select the folder location.",
       "Look up folder path in the Windows Registry."});
  cbGameVer =
      NewChoiceList(pane, "cbGameVer",
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

  // Named after its section, as its tree node is.
  QLabel* heading = platform::MakeHeading(pane, "lblSettingsHeading", kSettingsSection);

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
  return pane;
}

void TMainForm::ConnectSettingsPane() {
  platform::Connect(btnSetSave, &QPushButton::clicked, this, [this] { btnSetSaveClick(); });
  platform::Connect(btnSetReset, &QPushButton::clicked, this, [this] { btnSetResetClick(); });
  // Only the user's choice: loading sets the game list's state itself.
  platform::Connect(cbLookup, &QComboBox::activated, this, [this] { cbLookupChange(); });
}

void TMainForm::ResetSettingsPane() {
  edSetCaption->clear();
  edSetConfirm->clear();
  bxSetLog->setCurrentIndex(0);
}

std::array<QWidget*, kSettingCount> TMainForm::SettingBoxes() const {
  return {edSetCaption, edSetConfirm, bxSetLog, cbMode,    cbBackups,     cbLogstyle,
          edSetReqFile, edSetReqMsg,  cbLookup, cbGameVer, cbDebugScripts};
}

void TMainForm::LoadSettings() {
  if (!HoldsSettings(*FChangesIni)) return;
  const TSettingStates states = ReadSettings(*FChangesIni);
  const std::array<QWidget*, kSettingCount> boxes = SettingBoxes();
  for (std::size_t i = 0; i < kSettingCount; ++i) ShowSettingState(*boxes[i], states[i]);
  cbGameVer->setEnabled(cbLookup->currentIndex() != 0);
}

void TMainForm::btnSetResetClick() { LoadSettings(); }

void TMainForm::btnSetSaveClick() {
  TSettingStates states;
  const std::array<QWidget*, kSettingCount> boxes = SettingBoxes();
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    std::optional<TSettingState> state = SettingStateOf(this, *boxes[i]);
    if (!state) return;  // nothing is written
    states[i] = std::move(*state);
  }
  WriteSettings(*FChangesIni, states);
  ShowInfo("The settings have been stored in the open changes.ini file!");
}

void TMainForm::cbLookupChange() { cbGameVer->setEnabled(cbLookup->currentIndex() != 0); }

}  // namespace quennet
