#include "platform/HugePages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

namespace {

// A large block is mapped in whole huge pages: an end past the last full one would be
// faulted in 4 KiB at a time, which for a grid's spans of 6.7 MB was 170 faults, more than
// all the huge ones together. Its unused part takes memory only once the block's last
// bytes are written, and then at most one huge page less a byte.
size_t WholeHugePages(size_t bytes) {
  return (bytes + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
}

}  // namespace

// Mapped one huge page larger than asked, so that a 2 MiB boundary lies within; the
// parts before and after it are given back at once.
void* MapHugePages(size_t bytes) {
  if (bytes == 0 || bytes > SIZE_MAX - kHugePageSize) return nullptr;
  const size_t mapped = bytes + kHugePageSize;
  void* area = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (area == MAP_FAILED) return nullptr;
  char* start = static_cast<char*>(area);
  const size_t before =
      (kHugePageSize - reinterpret_cast<uintptr_t>(start) % kHugePageSize) % kHugePageSize;
  char* aligned = start + before;
  if (before > 0) ::munmap(start, before);
  const size_t after = mapped - before - bytes;
  if (after > 0) ::munmap(aligned + bytes, after);
  ::madvise(aligned, bytes, MADV_HUGEPAGE);
  return aligned;
}

void UnmapHugePages(void* block, size_t bytes) { ::munmap(block, bytes); }

void* AllocateLarge(size_t bytes) {
  if (bytes < kHugePageSize) return ::operator new(bytes);
  if (bytes > SIZE_MAX - 2 * kHugePageSize) throw std::bad_alloc();
  void* block = MapHugePages(WholeHugePages(bytes));
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void* MapPages(size_t bytes) {
  void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return block == MAP_FAILED ? nullptr : block;
}

void UnmapPages(void* block, size_t bytes) noexcept {
  if (block != nullptr) ::munmap(block, bytes);
}

void DiscardPages(const void* begin, const void* end) noexcept {
  static const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
  const uintptr_t last = reinterpret_cast<uintptr_t>(end) / page * page;
  if (first < last) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

void FreeLarge(void* block, size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes < kHugePageSize) {
    ::operator delete(block);
  } else {
    UnmapHugePages(block, WholeHugePages(bytes));
  }
}

}  // namespace platform
