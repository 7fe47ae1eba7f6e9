// The memory this process has touched (its resident set), for the tests and benchmarks
// that check what a buffer costs. Qt-free, header only.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdio>

namespace testing_support {

inline size_t ResidentBytes() {
  size_t pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%zu %zu", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

}  // namespace testing_support
