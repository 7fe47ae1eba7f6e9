// Feeds arbitrary bytes to the talk-table reader: every failure must be an EHell.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "talktable/UTLKFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTLKFileHandler table;
  try {
    table.LoadFromBuffer(std::string_view(reinterpret_cast<const char*>(data), size));
    table.SaveToBuffer();
    // A loaded text views the file's bytes, which the table keeps: an entry taken out
    // must keep its text when the table lets go of them.
    const std::string text(table.EntryList().First()->GetText());
    std::unique_ptr<TTLKString> taken = table.EntryList().DeleteCurrent(false);
    table.Clear();
    if (taken->GetText() != text) __builtin_trap();
  } catch (const EHell&) {
  }
  return 0;
}
