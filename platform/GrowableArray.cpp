#include "platform/GrowableArray.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

namespace {

constexpr size_t kMappedFrom = size_t{1} << 20;

size_t WholePages(size_t bytes) {
  static const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

}  // namespace

void* GrowBlock(void* block, size_t usedBytes, size_t oldCapacity, size_t newCapacity) {
  void* grown = nullptr;
  if (newCapacity < kMappedFrom) {
    grown = std::realloc(block, newCapacity);
  } else if (oldCapacity < kMappedFrom) {
    void* mapped = ::mmap(nullptr, WholePages(newCapacity), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped != MAP_FAILED) {
      if (usedBytes > 0) std::memcpy(mapped, block, usedBytes);
      std::free(block);
      grown = mapped;
    }
  } else {
    void* moved = ::mremap(block, WholePages(oldCapacity), WholePages(newCapacity), MREMAP_MAYMOVE);
    if (moved != MAP_FAILED) grown = moved;
  }
  if (grown == nullptr) throw std::bad_alloc();
  return grown;
}

void FreeBlock(void* block, size_t capacity) noexcept {
  if (block == nullptr) return;
  if (capacity < kMappedFrom) {
    std::free(block);
  } else {
    ::munmap(block, WholePages(capacity));
  }
}

}  // namespace platform
