// Storage that grows in chunks, never moving what it holds: a std::vector that doubles
// holds its old and its new block at once, twice its size, and copies every element at
// each growth. The INI parse keeps its line records and added texts here, as a batch of
// a compare may add millions of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

// Frees what ::operator new gave: chunks are taken unwritten, without constructing.
struct FreeUnconstructed {
  void operator()(void* block) const { ::operator delete(block); }
};

// An array of trivially copyable values, in chunks of 2^16.
template <typename T>
class ChunkedArray {
  static_assert(std::is_trivially_copyable_v<T>);
  static constexpr size_t kChunkBits = 16;
  static constexpr size_t kChunkSize = size_t{1} << kChunkBits;

 public:
  size_t size() const { return FSize; }
  bool empty() const { return FSize == 0; }
  T& operator[](size_t i) { return FChunks[i >> kChunkBits][i & (kChunkSize - 1)]; }
  const T& operator[](size_t i) const { return FChunks[i >> kChunkBits][i & (kChunkSize - 1)]; }
  T& back() { return (*this)[FSize - 1]; }

  void push_back(const T& value) {
    if (FSize == FChunks.size() * kChunkSize) FChunks.push_back(NewChunk());
    std::memcpy(&(*this)[FSize], &value, sizeof(T));
    ++FSize;
  }
  // Keeps the chunks, for the next filling.
  void clear() { FSize = 0; }

 private:
  using Chunk = std::unique_ptr<T[], FreeUnconstructed>;
  // Left unwritten: a chunk takes memory only as it fills.
  static Chunk NewChunk() { return Chunk(static_cast<T*>(::operator new(kChunkSize * sizeof(T)))); }

  std::vector<Chunk> FChunks;
  size_t FSize = 0;
};

// Texts added one after another, each in one piece, at offsets that stay valid: chunks
// of a mebibyte, a text that does not fit the rest of one beginning the next, and a
// larger text a block of its own that counts as several chunks.
class ChunkedText {
  static constexpr size_t kChunkBits = 20;
  static constexpr size_t kChunkSize = size_t{1} << kChunkBits;

 public:
  // Adds `text` and `tail` as one piece; gives the offset of its first byte.
  size_t Add(std::string_view text, std::string_view tail) {
    const size_t length = text.size() + tail.size();
    if (length == 0) return FEnd;
    const size_t room = FEnd < FChunks.size() * kChunkSize ? FChunks.size() * kChunkSize - FEnd : 0;
    if (length > room) StartChunks(length);
    char* at = FChunks[FEnd >> kChunkBits] + (FEnd & (kChunkSize - 1));
    std::memcpy(at, text.data(), text.size());
    std::memcpy(at + text.size(), tail.data(), tail.size());
    const size_t offset = FEnd;
    FEnd += length;
    return offset;
  }
  std::string_view View(size_t offset, size_t length) const {
    if (length == 0) return {};
    return {FChunks[offset >> kChunkBits] + (offset & (kChunkSize - 1)), length};
  }
  // The bytes before `offset` lie in another piece of memory, when it begins a chunk.
  static bool BeginsAChunk(size_t offset) { return (offset & (kChunkSize - 1)) == 0; }

 private:
  // Begins a new chunk, or as many as `length` bytes take, at the next chunk's start.
  void StartChunks(size_t length) {
    FEnd = FChunks.size() * kChunkSize;
    const size_t count = (length + kChunkSize - 1) / kChunkSize;
    // Left unwritten: a block takes memory only as it fills.
    FBlocks.emplace_back(static_cast<char*>(::operator new(count* kChunkSize)));
    for (size_t i = 0; i < count; ++i) FChunks.push_back(FBlocks.back().get() + i * kChunkSize);
  }

  std::vector<std::unique_ptr<char[], FreeUnconstructed>> FBlocks;
  std::vector<char*> FChunks;  // where each chunk begins
  size_t FEnd = 0;
};

}  // namespace platform
