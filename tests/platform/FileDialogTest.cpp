// The file dialog's folder check and the folder a kept dialog component remembers.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ui/Services.h"
#include "tests/support/FakeServices.h"
#include "tests/support/ScratchFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(FileDialogTest, AChosenPathInAMissingFolderIsRefusedWhenTheFolderMustExist) {
  testing_support::ScopedFakeServices services;
  testing_support::ScratchFolder scratch;
  const fs::path folder = scratch.Path();
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.pathMustExist = true;
  EXPECT_TRUE(AcceptsChosenPath(nullptr, request, (folder / "a.tlk").string()));
  EXPECT_TRUE(AcceptsChosenPath(nullptr, request, "relative.tlk"));
  const std::string missing = (folder / "gone").string();
  services.messages.Expect(
      MessageKind::Warning,
      "The folder \"" + missing + "\" does not exist. Please choose an existing folder.");
  EXPECT_FALSE(AcceptsChosenPath(nullptr, request, missing + "/a.tlk"));
  request.pathMustExist = false;
  EXPECT_TRUE(AcceptsChosenPath(nullptr, request, missing + "/a.tlk"));
}

TEST(FileDialogTest, AKeptRequestStartsInTheFolderOfItsLastChoice) {
  testing_support::ScopedFakeServices services;
  FileDialogRequest kept;
  services.fileDialogs.Expect({"/mods/one/a.tlk"});
  RunFileDialog(nullptr, kept);
  EXPECT_EQ("/mods/one/", kept.initialDirectory);
  services.fileDialogs.ExpectCancel();
  RunFileDialog(nullptr, kept);
  EXPECT_EQ("/mods/one/", kept.initialDirectory) << "a cancel keeps the folder";
  EXPECT_EQ("/mods/one/", services.fileDialogs.Seen().back().initialDirectory);
}

}  // namespace
}  // namespace platform
