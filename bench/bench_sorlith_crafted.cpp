// Crafted talk tables that claim far more than they hold must be refused cheaply: a
// 1.2 MB table whose 4,000 records all point at one 1 MiB text, a sparse 2 GiB file
// that claims a billion entries and a sparse 2 GiB file of zeros. The peak memory of
// the process is reported (the crafted table runs first, in a process that holds
// nothing else).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "talktable/UTLKFile.h"
#include "tests/support/ProcessMemory.h"

namespace {

std::string ScratchPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("bench-crafted-" + std::to_string(::getpid()) + "-" + name))
      .string();
}

std::string U32(uint32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

std::string Header(uint32_t count, uint32_t dataOffset) {
  return "TLK V3.0" + U32(0) + U32(count) + U32(dataOffset);
}

// A file of `size` bytes that begins with `head`; the rest is a hole.
std::string SparseFile(const std::string& name, const std::string& head, off_t size) {
  const std::string path = ScratchPath(name);
  std::ofstream(path, std::ios::binary) << head;
  const int fd = ::open(path.c_str(), O_WRONLY);
  if (fd < 0 || ::ftruncate(fd, size) != 0) std::abort();
  ::close(fd);
  return path;
}

double PeakMegabytes() {
  return static_cast<double>(testing_support::PeakResidentBytes()) / (1024.0 * 1024.0);
}

void Refuse(benchmark::State& state, const std::string& path) {
  for (auto _ : state) {
    TTLKFileHandler table;
    try {
      table.LoadFromFile(path);
      state.SkipWithError("the table was not refused");
    } catch (const EHell&) {
    }
  }
  state.counters["peak_MB"] = PeakMegabytes();
  std::filesystem::remove(path);
}

void BM_SharedTextTable(benchmark::State& state) {
  const uint32_t count = 4000;
  std::string bytes = Header(count, 20 + 40 * count);
  std::string record(40, '\0');
  std::memcpy(record.data(), U32(1).data(), 4);
  std::memcpy(record.data() + 32, U32(1 << 20).data(), 4);
  for (uint32_t i = 0; i < count; ++i) bytes += record;
  bytes += std::string(1 << 20, 'x');
  const std::string path = ScratchPath("shared.tlk");
  std::ofstream(path, std::ios::binary) << bytes;
  Refuse(state, path);
}
BENCHMARK(BM_SharedTextTable)->Unit(benchmark::kMillisecond);

void BM_SparseBillionEntries(benchmark::State& state) {
  Refuse(state, SparseFile("billion.tlk", Header(1000000000u, 0xFFFFFFFFu), off_t{2} << 30));
}
BENCHMARK(BM_SparseBillionEntries)->Unit(benchmark::kMillisecond);

void BM_SparseZeros(benchmark::State& state) {
  Refuse(state, SparseFile("zeros.tlk", std::string(), off_t{2} << 30));
}
BENCHMARK(BM_SparseZeros)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
