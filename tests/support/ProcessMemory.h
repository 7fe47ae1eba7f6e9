// The memory this process has touched (its resident set), now, at its peak and during
// one piece of work, for the tests and benchmarks that check what a buffer costs.
// Linux, Qt-free, header only.
#pragma once

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace testing_support {

inline size_t ResidentBytes() {
  size_t pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%zu %zu", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// The most this process has held resident since it started.
inline size_t PeakResidentBytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<size_t>(usage.ru_maxrss) * 1024;
}

// A "Vm...:" line of /proc/self/status, in bytes; 0 where there is none.
inline double StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) != 0) continue;
    std::istringstream value(line.substr(field.size() + 1));
    double kilobytes = 0;
    value >> kilobytes;
    return kilobytes * 1024;
  }
  return 0;
}

// The most memory `work` held at once beyond what was resident when it began, in bytes:
// the heap first gives back what it holds free (freed memory it could reuse would hide
// what the work needs), then the resident high-water mark is reset
// (/proc/self/clear_refs).
inline double PeakMemoryOf(const std::function<void()>& work) {
  ::malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";  // resets VmHWM to the current size
  const double before = StatusBytes("VmRSS");
  work();
  return StatusBytes("VmHWM") - before;
}

}  // namespace testing_support
