// The modal folder chooser behind the folder picker, replaceable by tests.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // The chosen folder's full path, or an empty text when the user cancels.
  virtual std::string PickFolder(const std::string& title, uint32_t flags) = 0;
};

// The picker in use; without one every pick is a cancel.
FolderPicker* CurrentFolderPicker();
void SetFolderPicker(FolderPicker* picker);

}  // namespace platform
