// The 2DA and GFF readers on files far larger than any table or tree they could hold:
// 2 GiB sparse files whose first bytes are given and whose rest reads as zeros. The
// readers judge the header before they read on, so such a file is refused without its
// bytes ever being in memory; the peak of the process's memory shows it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "formats/U2DAEdit.h"
#include "formats/UGFFFile.h"
#include "tests/support/GameFileBuilders.h"
#include "tests/support/ProcessMemory.h"
#include "tests/support/Raises.h"
#include "tests/support/ScratchFolder.h"

namespace {

using game_file_builders::GffBuilder;
using game_file_builders::PatchU32;
using game_file_builders::TwoDaBuilder;

constexpr std::uintmax_t kFileSize = std::uintmax_t{2} << 30;
// Far less than the file: what a reader may use at most to refuse it.
constexpr long kMemoryAllowanceKiB = 256 * 1024;

long PeakMemoryKiB() { return static_cast<long>(testing_support::PeakResidentBytes() / 1024); }

std::string GffWithStructCount(uint32_t count) {
  GffBuilder builder;
  builder.AddStruct(0);
  std::string bytes = builder.Build();
  PatchU32(bytes, 12, count);
  return bytes;
}

TEST(ReadersOfLargeFilesTest, AHugeFileIsRefusedByItsHeader) {
  struct Case {
    const char* name;
    std::string head;  // the file's first bytes; zeros follow up to 2 GiB
    std::function<void(const std::string& path)> load;
    int code;
    std::string message;
  };
  auto load2da = [](const std::string& path) { T2DAHandler().LoadFromFile(path); };
  auto loadGff = [](const std::string& path) { TGFFFile().LoadFromFile(path); };
  TwoDaBuilder oneColumn;
  oneColumn.columnSection = std::string("a\t") + '\0';
  oneColumn.rowCount = 1;
  const Case cases[] = {
      {"a 2DA without its signature", "", load2da, 2,
       "Specified file is not a valid binary 2DA file. Unable to load."},
      {"a 2DA whose first row label never ends", oneColumn.Build(), load2da, 9,
       "Malformed 2DA data: the label of row 0 is longer than 4096 bytes."},
      {"a GFF without its version", "", loadGff, 1,
       "Invalid file version. Loaded file is not in GFF V3.2 format!"},
      {"a GFF that declares more structs than fit", GffWithStructCount(0xFFFFFFFF), loadGff, 30,
       "Malformed GFF data: the header declares 51539607540 bytes of struct entries at offset "
       "56, beyond the end of the file (2147483648 bytes)."},
  };
  testing_support::ScratchFolder scratch;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = scratch.Write("huge.bin", c.head);
    std::filesystem::resize_file(path, kFileSize);
    const long peakBefore = PeakMemoryKiB();
    testing_support::ExpectRaises([&] { c.load(path); }, c.message, c.code);
    EXPECT_LT(PeakMemoryKiB() - peakBefore, kMemoryAllowanceKiB)
        << "the reader took the file into memory";
    std::filesystem::remove(path);
  }
}

// Bytes after a table are never looked at: a table at the head of a huge file loads, and
// only as much of the file is read as a table can take up.
TEST(ReadersOfLargeFilesTest, ATableAtTheHeadOfAHugeFileLoads) {
  testing_support::ScratchFolder scratch;
  const std::string path =
      scratch.Write("huge.2da", TwoDaBuilder::Table({"a", "b"}, {{"1", "2"}}).Build());
  std::filesystem::resize_file(path, kFileSize);
  const long peakBefore = PeakMemoryKiB();
  T2DAHandler table;
  table.LoadFromFile(path);
  EXPECT_LT(PeakMemoryKiB() - peakBefore, kMemoryAllowanceKiB);
  ASSERT_EQ(1, table.Loaded());
  EXPECT_EQ(1, table.RowCount());
  EXPECT_EQ("2", table.GetCell(0, 1));
}

}  // namespace
