#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

namespace testing_support {

namespace {
const char* KindName(platform::MessageKind kind) {
  switch (kind) {
    case platform::MessageKind::Warning:
      return "warning";
    case platform::MessageKind::Information:
      return "information";
    case platform::MessageKind::Confirmation:
      return "confirmation";
    case platform::MessageKind::Error:
      return "error";
  }
  return "?";
}
}  // namespace

void ScriptedMessages::Expect(platform::MessageKind kind, std::string text,
                              platform::MessageAnswer answer, std::function<void()> whileShown) {
  FExpected.push_back({kind, std::move(text), answer, std::move(whileShown)});
}

platform::MessageAnswer ScriptedMessages::Show(QWidget*, const platform::MessageRequest& request) {
  FSeen.push_back({request.kind, request.caption, request.text, request.topLeft});
  if (FExpected.empty()) {
    ADD_FAILURE() << "Unexpected " << KindName(request.kind) << " box \"" << request.caption
                  << "\": " << request.text;
    return request.kind == platform::MessageKind::Confirmation ? platform::MessageAnswer::No
                                                               : platform::MessageAnswer::Ok;
  }
  Expected expected = FExpected.front();
  FExpected.pop_front();
  EXPECT_EQ(KindName(expected.kind), std::string(KindName(request.kind))) << request.text;
  EXPECT_EQ(expected.text, request.text);
  if (expected.whileShown) expected.whileShown();
  return expected.answer;
}

void ScriptedFileDialogs::Expect(std::vector<std::string> paths) {
  FExpected.push_back(std::move(paths));
}

std::vector<std::string> ScriptedFileDialogs::Run(QWidget*,
                                                  const platform::FileDialogRequest& request) {
  FSeen.push_back(request);
  if (FExpected.empty()) {
    ADD_FAILURE() << "Unexpected file dialog \"" << request.title << "\" with name "
                  << request.fileName;
    return {};
  }
  auto paths = FExpected.front();
  FExpected.pop_front();
  return paths;
}

void ScriptedModals::Expect(std::string dialogName, Script script) {
  FExpected.emplace_back(std::move(dialogName), std::move(script));
}

int ScriptedModals::Run(QDialog& dialog) {
  const std::string name = dialog.objectName().toStdString();
  FSeen.push_back(name);
  if (FExpected.empty()) {
    ADD_FAILURE() << "Unexpected modal dialog " << name;
    return QDialog::Rejected;
  }
  auto [expectedName, script] = FExpected.front();
  FExpected.pop_front();
  EXPECT_EQ(expectedName, name);
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  if (script) script(dialog);
  if (dialog.isVisible()) dialog.done(QDialog::Rejected);
  return dialog.result();
}

std::string ScriptedFolderPicker::PickFolder(const std::string& title, uint32_t) {
  FTitles.push_back(title);
  if (FExpected.empty()) {
    ADD_FAILURE() << "Unexpected folder picker \"" << title << "\"";
    return {};
  }
  std::string folder = FExpected.front();
  FExpected.pop_front();
  return folder;
}

ScopedFakeServices::ScopedFakeServices()
    : FPrevious(platform::CurrentServices()), FPreviousPicker(platform::CurrentFolderPicker()) {
  platform::InstallServices({&messages, &fileDialogs, &modals, &cursor, &beep, &clipboard});
  platform::SetFolderPicker(&folderPicker);
}

ScopedFakeServices::~ScopedFakeServices() {
  ExpectAllUsed();
  platform::InstallServices(FPrevious);
  platform::SetFolderPicker(FPreviousPicker);
}

void ScopedFakeServices::ExpectAllUsed() const {
  EXPECT_EQ(0u, messages.Pending()) << "expected message boxes were not shown";
  EXPECT_EQ(0u, fileDialogs.Pending()) << "expected file dialogs were not shown";
  EXPECT_EQ(0u, modals.Pending()) << "expected modal dialogs were not run";
  EXPECT_EQ(0u, folderPicker.Pending()) << "expected folder pickers were not shown";
}

}  // namespace testing_support
