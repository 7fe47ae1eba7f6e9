// Memory for large buffers that are filled soon after they are taken (a grid's rows, a
// loaded tree). Blocks of at least kHugePageSize bytes are mapped on a 2 MiB boundary
// and advised as huge pages where the system offers them: touching fresh memory costs a
// fault per 4 KiB page otherwise, which was most of what a first fill of new memory
// cost. Pages never touched take no memory, huge or not.
#pragma once

#include <cstddef>
#include <limits>
#include <new>

namespace platform {

inline constexpr size_t kHugePageSize = size_t{2} * 1024 * 1024;

// `bytes` (a multiple of the system's page size) on a kHugePageSize boundary, advised as
// huge pages; nullptr when the system maps nothing. Given back with UnmapHugePages.
// Only the whole 2 MiB pages of the block can be huge; its end past the last is not.
void* MapHugePages(size_t bytes);
void UnmapHugePages(void* block, size_t bytes);

// A block of kHugePageSize bytes or more is mapped as by MapHugePages, rounded up to
// whole huge pages (its end is huge too; it reads as zeros until written), a smaller one
// comes from the heap; FreeLarge takes the size it was given. Raises std::bad_alloc when
// no memory is left.
void* AllocateLarge(size_t bytes);
void FreeLarge(void* block, size_t bytes) noexcept;

// `bytes` in pages of the system's size, reading as zeros until written, for a block
// that is filled bit by bit (a hash table as it grows), where whole huge pages would each
// take 2 MiB as soon as one byte of them is written; nullptr when the system maps
// nothing. Given back with UnmapPages, taking the size it was given.
void* MapPages(size_t bytes);
void UnmapPages(void* block, size_t bytes) noexcept;
// Gives back the memory of the whole pages between `begin` and `end`, within a block
// from MapPages, whose content is no longer needed: they read as zeros if touched
// again. Lets a block be emptied while it is read.
void DiscardPages(const void* begin, const void* end) noexcept;

// A standard allocator over AllocateLarge, for containers that may grow large.
template <class T>
class HugePageAllocator {
 public:
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
  using value_type = T;

  HugePageAllocator() = default;
  template <class U>
  HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

  T* allocate(size_t count) {
    if (count > std::numeric_limits<size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateLarge(count * sizeof(T)));
  }
  void deallocate(T* block, size_t count) noexcept { FreeLarge(block, count * sizeof(T)); }

  template <class U>
  bool operator==(const HugePageAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace platform
