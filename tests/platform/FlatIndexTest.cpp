#include "platform/FlatIndex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct Entry {
  uint32_t hash = 0;
  uint32_t valueAfter = 0;  // value + 1; 0: empty
  bool Empty() const { return valueAfter == 0; }
};

uint32_t HashOf(const Entry& entry) { return entry.hash; }

// Few distinct hashes among many values: long probe runs that wrap around the end.
uint32_t HashOfValue(uint32_t value) { return platform::MixedHash(value % 50000) | 1; }

const Entry* Find(const platform::FlatIndex<Entry>& index, uint32_t value) {
  return index.Find(HashOfValue(value),
                    [value](const Entry& entry) { return entry.valueAfter == value + 1; });
}

// Past a few hundred thousand entries the table is a mapping of its own that gives its
// pages back as it grows; every entry must still be found, and erased ones not.
TEST(FlatIndexTest, EntriesSurviveGrowingPastMappedTablesAndErasing) {
  constexpr uint32_t kCount = 400000;
  platform::FlatIndex<Entry> index;
  for (uint32_t value = 0; value < kCount; ++value)
    index.Insert(Entry{HashOfValue(value), value + 1}, HashOfValue(value), HashOf);
  ASSERT_EQ(kCount, index.Size());
  for (uint32_t value = 0; value < kCount; value += 2) index.Erase(Find(index, value), HashOf);
  EXPECT_EQ(kCount / 2, index.Size());
  for (uint32_t value = 0; value < kCount; ++value)
    ASSERT_EQ(value % 2 == 1, Find(index, value) != nullptr) << value;

  platform::FlatIndex<Entry> moved = std::move(index);
  EXPECT_EQ(0u, index.Size());
  EXPECT_EQ(nullptr, Find(index, 1));
  EXPECT_NE(nullptr, Find(moved, 1));
}

}  // namespace
