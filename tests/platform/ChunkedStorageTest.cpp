#include "platform/ChunkedStorage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::ChunkedArray;
using platform::ChunkedText;

constexpr size_t kMebibyte = size_t{1} << 20;

struct Record {
  uint32_t a;
  uint32_t b;
};

TEST(ChunkedArrayTest, ValuesStayWhereTheyWereAsItGrows) {
  ChunkedArray<Record> records;
  records.push_back({0, 0});
  const Record* first = &records[0];
  for (uint32_t i = 1; i < 200000; ++i) records.push_back({i, ~i});
  EXPECT_EQ(first, &records[0]) << "a growth moved the first chunk";
  ASSERT_EQ(200000u, records.size());
  for (uint32_t i = 0; i < 200000; ++i) {
    ASSERT_EQ(i, records[i].a);
    ASSERT_EQ(i == 0 ? 0u : ~i, records[i].b);
  }
  records.clear();
  EXPECT_TRUE(records.empty());
  records.push_back({7, 8});
  EXPECT_EQ(first, &records[0]) << "a cleared array fills its chunks again";
  EXPECT_EQ(7u, records.back().a);
}

// Every text is one piece at an offset that stays valid, whatever is added after it.
TEST(ChunkedTextTest, TextsKeepTheirOffsetsAndStayInOnePiece) {
  struct Added {
    size_t offset;
    std::string text;
  };
  const std::vector<std::string> texts = {
      "first",
      std::string(kMebibyte - 8, 'a'),  // the rest of the first chunk is too small for the next
      "crosses=no",
      std::string(3 * kMebibyte + 5, 'b'),  // larger than a chunk: a block of its own
      "after the large one",
      "",
  };
  ChunkedText store;
  std::vector<Added> added;
  for (const std::string& text : texts) {
    const size_t offset = store.Add(text, "\r\n");
    added.push_back({offset, text + "\r\n"});
  }
  for (const Added& entry : added)
    EXPECT_EQ(entry.text, store.View(entry.offset, entry.text.size())) << entry.text.size();
  EXPECT_TRUE(ChunkedText::BeginsAChunk(added[2].offset)) << "did not begin the next chunk";
  EXPECT_EQ(added[3].offset + added[3].text.size(), added[4].offset)
      << "the large block's rest takes the next text";
}

}  // namespace
