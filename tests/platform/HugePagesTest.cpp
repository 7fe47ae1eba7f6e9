#include "platform/HugePages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/ProcessMemory.h"

namespace platform {
namespace {

using testing_support::ResidentBytes;

// Every size on both sides of the heap's limit gives a block that holds all its bytes;
// the large ones start on a 2 MiB boundary (where a huge page can lie).
TEST(HugePagesTest, EveryBlockHoldsItsBytes) {
  for (const size_t size : {size_t{1}, size_t{4095}, kHugePageSize - 1, kHugePageSize,
                            kHugePageSize + 1, 3 * kHugePageSize + 12345}) {
    auto* block = static_cast<unsigned char*>(AllocateLarge(size));
    ASSERT_NE(nullptr, block) << size;
    if (size >= kHugePageSize) {
      EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(block) % kHugePageSize) << size;
    }
    for (size_t at = 0; at < size; at += 4093) block[at] = static_cast<unsigned char>(at % 251);
    block[size - 1] = 0xA5;
    for (size_t at = 0; at + 1 < size; at += 4093)
      ASSERT_EQ(at % 251, block[at]) << size << " at " << at;
    EXPECT_EQ(0xA5, block[size - 1]) << size;
    FreeLarge(block, size);
  }
}

// Containers move their elements between heap blocks and mapped ones as they grow past
// the limit and shrink below it again; nothing is lost either way.
TEST(HugePagesTest, ContainersKeepTheirElementsAcrossTheLimit) {
  std::vector<uint32_t, HugePageAllocator<uint32_t>> numbers;
  const uint32_t count = static_cast<uint32_t>(3 * kHugePageSize / sizeof(uint32_t));
  for (uint32_t n = 0; n < count; ++n) numbers.push_back(n);
  for (uint32_t n = 0; n < count; ++n) ASSERT_EQ(n, numbers[n]);
  numbers.resize(10);
  numbers.shrink_to_fit();
  for (uint32_t n = 0; n < 10; ++n) EXPECT_EQ(n, numbers[n]);

  using Bytes = std::basic_string<char, std::char_traits<char>, HugePageAllocator<char>>;
  Bytes text;
  const std::string piece = "0123456789abcdef";
  while (text.size() < kHugePageSize + 100) text.append(piece);
  Bytes moved = std::move(text);
  EXPECT_EQ(std::string_view(moved).substr(kHugePageSize, 16), piece);
  Bytes copied = moved;
  EXPECT_EQ(moved, copied);
}

// Room reserved and never written takes no memory: a reservation for the most rows a
// list might need costs only the rows it gets.
TEST(HugePagesTest, UntouchedBytesTakeNoMemory) {
  const size_t size = 16 * kHugePageSize;
  const size_t before = ResidentBytes();
  auto* block = static_cast<char*>(AllocateLarge(size));
  block[0] = 1;
  block[kHugePageSize / 2] = 2;
  EXPECT_LE(ResidentBytes() - before, kHugePageSize + size_t{256} * 1024);
  FreeLarge(block, size);
}

// A block is mapped in whole huge pages, its end past the last full one included; freeing
// it gives all of them back, however much of the last one it used.
TEST(HugePagesTest, FreeingGivesBackEveryPageWritten) {
  for (const size_t size : {kHugePageSize, kHugePageSize + 1, 3 * kHugePageSize + 700 * 1024}) {
    const size_t before = ResidentBytes();
    auto* block = static_cast<char*>(AllocateLarge(size));
    for (size_t at = 0; at < size; at += 4096) block[at] = 1;
    block[size - 1] = 1;
    EXPECT_GE(ResidentBytes() - before, size - 4096) << size;
    FreeLarge(block, size);
    // Beside a little of the heap, an address sanitizer keeps the shadow of the bytes
    // written (one byte for eight); a huge page left mapped would be 2 MiB.
    EXPECT_LE(ResidentBytes(), before + size_t{256} * 1024 + size / 8) << size;
  }
}

}  // namespace
}  // namespace platform
