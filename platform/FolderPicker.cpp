#include "platform/FolderPicker.h"

namespace platform {

namespace {
FolderPicker*& Picker() {
  static FolderPicker* picker = nullptr;
  return picker;
}
}  // namespace

FolderPicker* CurrentFolderPicker() { return Picker(); }
void SetFolderPicker(FolderPicker* picker) { Picker() = picker; }

}  // namespace platform
