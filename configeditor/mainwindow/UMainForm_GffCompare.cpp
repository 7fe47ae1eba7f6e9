// The GFF pane's compare button: two copies of the shown GFF file are asked for and
// their differences written into changes.ini as field changes and new-field modifiers.
// What the compare writes is decided in rules/UGffCompare.
#include <chrono>

#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/rules/UGffCompare.h"
#include "platform/Files.h"

namespace quennet {

namespace {

// Often enough for the window to repaint smoothly.
constexpr std::chrono::milliseconds kPendingMessagesInterval(20);

}  // namespace

void TMainForm::btnCompareGffClick() {
  if (!FFileOpen) return;
  const std::optional<std::string> unaltered =
      AskGffComparePath("Select ORIGINAL (Unaltered) GFF file to compare against:");
  if (!unaltered) return;
  const std::optional<std::string> modified =
      AskGffComparePath("Select MODIFIED GFF file to compare against original:");
  if (!modified) return;
  // Pinned at the start: the compare writes where it started. The pending messages it
  // lets run (at a Struct or List, at most every 20 ms) hold user input back, so nothing
  // can open another file or start a second compare meanwhile.
  TKV_Inifile& ini = *FChangesIni;
  const std::string fileSection = FCurrentSection;
  platform::HourglassCursor hourglass;
  platform::CursorService& cursor = *platform::CurrentServices().cursor;
  const std::optional<TGffCompareResult> result = CompareGffFiles(
      ini, fileSection, *unaltered, *modified,
      {[this](const std::string& text) { ShowWarning(text); },
       Paced([&cursor] { cursor.ProcessPendingMessages(); }, kPendingMessagesInterval)});
  if (result) {
    ShowInfo(GffCompareSummary(fileSection, result->counts));
    const std::string warning = GffCompareWarning(*result);
    if (!warning.empty()) ShowWarning(warning);
  }
  // The pane shows the compared file again, whichever node was chosen meanwhile.
  FCurrentSection = fileSection;
  LoadGffModifiers(fileSection);
}

std::optional<std::string> TMainForm::AskGffComparePath(const char* title) {
  OpenBox.mode = platform::FileDialogRequest::Mode::Open;
  OpenBox.filter = "GFF format file (*.*)|*.*";
  OpenBox.defaultExtension.clear();
  OpenBox.fileName = FCurrentSection;
  OpenBox.title = title;
  OpenBox.pathMustExist = true;
  OpenBox.fileMustExist = true;
  const std::vector<std::string> chosen = platform::RunFileDialog(this, OpenBox);
  if (chosen.empty() || !platform::FileExists(chosen.front())) return std::nullopt;
  return chosen.front();
}

}  // namespace quennet
