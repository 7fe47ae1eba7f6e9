// The peak memory of one piece of work, for the benchmarks' counters: the process's
// resident high-water mark is reset before the work (Linux: /proc/self/clear_refs) and
// read after it, less the resident size the work started from.
#pragma once

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace bench_support {

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

// The most memory `work` held at once beyond what was resident when it began, in bytes.
inline double PeakMemoryOf(const std::function<void()>& work) {
  std::ofstream("/proc/self/clear_refs") << "5";  // resets VmHWM to the current size
  const double before = StatusBytes("VmRSS");
  work();
  return StatusBytes("VmHWM") - before;
}

}  // namespace bench_support
