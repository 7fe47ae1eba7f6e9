// File > Setup Lists: creating and opening a namespaces.ini, which the setup-list
// editor then edits.
#include "configeditor/UForms.h"
#include "configeditor/editors/UNamespaceForm.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/rules/USetupList.h"
#include "platform/Files.h"
#include "platform/Locale.h"

namespace quennet {

void TMainForm::SetupsNewClick() {
  SaveBox = {};
  SaveBox.mode = platform::FileDialogRequest::Mode::Save;
  SaveBox.filter = "INI files (*.ini)|*.ini";
  SaveBox.defaultExtension = "ini";
  SaveBox.fileName = "namespaces.ini";
  SaveBox.overwritePrompt = true;
  std::vector<std::string> chosen = platform::RunFileDialog(this, SaveBox);
  if (chosen.empty()) return;
  const std::string& path = chosen.front();
  platform::ReplaceFile(path, NewSetupListText(platform::ShortDateToday()));
  if (!IsSetupListFileName(path)) {
    ShowInfo(
        "The Setup List file must be named \"namespaces.ini\" for Orvandel to recognize it. "
        "Remember to rename it before attempting to use it.");
  }
  RunSetupListEditor(path);
}

void TMainForm::SetupsOpenClick() {
  OpenBox.mode = platform::FileDialogRequest::Mode::Open;
  OpenBox.filter = "INI files (*.ini)|*.ini|All files (*.*)|*.*";
  OpenBox.defaultExtension = "ini";
  OpenBox.fileName = "namespaces.ini";
  OpenBox.title = "Select a namespaces.ini setup list to open...";
  OpenBox.fileMustExist = true;
  OpenBox.pathMustExist = true;
  std::vector<std::string> chosen = platform::RunFileDialog(this, OpenBox);
  if (chosen.empty()) return;
  const std::string& path = chosen.front();
  if (!platform::FileExists(path)) {
    ShowWarning("The selected file could not be opened. Unable to proceed.");
    return;
  }
  if (!TKV_Inifile(path).SectionExists(kNamespaces)) {
    ShowWarning("The opened file is not a valid Setup/Namespace file! Unable to edit it.");
    return;
  }
  RunSetupListEditor(path);
}

void TMainForm::RunSetupListEditor(const std::string& path) {
  TNamespaceForm& editor = *FForms.NamespaceForm;
  editor.SetSetupFileName(path);
  platform::RunModal(editor);
}

}  // namespace quennet
