// Feeds arbitrary bytes to the 2DA reader: every failure must be an EDead; any other
// exception escapes and ends the run as a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/U2DAEdit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  T2DAHandler table;
  try {
    table.LoadFromMemory(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.2da");
  } catch (const EDead&) {
    return 0;
  }
  size_t total = 0;
  for (int32_t column = 0; column < table.ColumnCount(); ++column) {
    total += table.GetColumnLabel(column).size();
    table.GetColumnIndex(table.GetColumnLabel(column));
    for (int32_t row = 0; row < table.RowCount(); ++row) total += table.GetCell(row, column).size();
  }
  return total == SIZE_MAX;
}
