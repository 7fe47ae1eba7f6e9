// Feeds arbitrary bytes to the talk-table reader: every failure must be an EHell.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "talktable/UTLKFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTLKFileHandler table;
  try {
    table.LoadFromBuffer(std::string_view(reinterpret_cast<const char*>(data), size));
    table.SaveToBuffer();
  } catch (const EHell&) {
  }
  return 0;
}
