// Keeps examples/example.tlk equal to the table built here. Run with
// MT_WRITE_EXAMPLE=1 to write the file anew after changing the table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/Files.h"
#include "talktable/UTLKFile.h"
#include "tests/talktable/ExampleTable.h"

namespace {

const std::string kExamplePath = std::string(MT_SOURCE_DIR) + "/examples/example.tlk";

TEST(ExampleTable, ShippedFileIsUpToDate) {
  const std::string bytes = tlk_bytes::ExampleTable();
  if (std::getenv("MT_WRITE_EXAMPLE")) platform::ReplaceFile(kExamplePath, bytes);
  ASSERT_TRUE(platform::FileExists(kExamplePath));
  EXPECT_EQ(bytes, platform::ReadWholeFile(kExamplePath));
  TTLKFileHandler table(kExamplePath);
  EXPECT_EQ(22u, table.EntryCount());
}

}  // namespace
