// An array of trivially copyable values that grows without copying: past a megabyte its
// memory is a mapping of its own, and growing moves the mapping's pages (mremap) rather
// than their bytes. A std::vector that doubles holds its old and its new block at once,
// twice its size, at every growth; this one never holds more than its capacity, of which
// only what was written takes memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace platform {

// Raw blocks for GrowableArray: from the heap while small, mapped when large. Each call
// takes the block's capacity in bytes as it was given out. Raise std::bad_alloc.
void* GrowBlock(void* block, size_t usedBytes, size_t oldCapacity, size_t newCapacity);
void FreeBlock(void* block, size_t capacity) noexcept;

template <typename T>
class GrowableArray {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  GrowableArray() = default;
  GrowableArray(const GrowableArray&) = delete;
  GrowableArray& operator=(const GrowableArray&) = delete;
  GrowableArray(GrowableArray&& other) noexcept
      : FData(std::exchange(other.FData, nullptr)),
        FSize(std::exchange(other.FSize, 0)),
        FCapacity(std::exchange(other.FCapacity, 0)) {}
  GrowableArray& operator=(GrowableArray&& other) noexcept {
    if (this != &other) {
      FreeBlock(FData, FCapacity * sizeof(T));
      FData = std::exchange(other.FData, nullptr);
      FSize = std::exchange(other.FSize, 0);
      FCapacity = std::exchange(other.FCapacity, 0);
    }
    return *this;
  }
  ~GrowableArray() { FreeBlock(FData, FCapacity * sizeof(T)); }

  size_t size() const { return FSize; }
  bool empty() const { return FSize == 0; }
  T* data() { return FData; }
  const T* data() const { return FData; }
  T& operator[](size_t i) { return FData[i]; }
  const T& operator[](size_t i) const { return FData[i]; }
  T& back() { return FData[FSize - 1]; }
  T* begin() { return FData; }
  T* end() { return FData + FSize; }
  const T* begin() const { return FData; }
  const T* end() const { return FData + FSize; }

  void push_back(const T& value) {
    if (FSize == FCapacity) Reserve(FSize + 1);
    FData[FSize++] = value;
  }
  void append(const T* values, size_t count) {
    if (count == 0) return;
    if (FSize + count > FCapacity) Reserve(FSize + count);
    std::memcpy(FData + FSize, values, count * sizeof(T));
    FSize += count;
  }
  // Keeps the memory, for the next filling.
  void clear() { FSize = 0; }

 private:
  void Reserve(size_t count) {
    if (count > SIZE_MAX / 2 / sizeof(T)) throw std::bad_alloc();
    size_t capacity = FCapacity < 16 ? 16 : FCapacity;
    while (capacity < count) capacity *= 2;
    FData = static_cast<T*>(
        GrowBlock(FData, FSize * sizeof(T), FCapacity * sizeof(T), capacity * sizeof(T)));
    FCapacity = capacity;
  }

  T* FData = nullptr;
  size_t FSize = 0;
  size_t FCapacity = 0;
};

}  // namespace platform
