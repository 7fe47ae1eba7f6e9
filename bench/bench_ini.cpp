// The loads the INI accessor carries, each beside a floor measured in the same run:
// - a pane that lists a 2,000-key section and reads every value (floor: reading the
//   file's bytes and splitting them into lines once);
// - a batch that writes 260,000 keys in 10,000 new sections into a 1 MB changes.ini
//   (floor: writing the final bytes once with fsync and rename), on disk and in
//   /dev/shm, and for comparison 5,000 keys written one by one;
// - the index: finding a key, adding a key after the last key of a section in the
//   middle of the file and removing it, in a file of 20 and of 250,000 lines;
// - numbering 10,000 new keys of one section (floor: folding the taken names once);
// - the peak memory of parsing a 10 MiB file (floor: the file's own size).
// Files live in a folder on disk ($TMPDIR or /tmp) or in /dev/shm, where fsync costs
// nothing.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <thread>

#include "configeditor/rules/UKeyNumbering.h"
#include "formats/UKV_IniFile.h"
#include "platform/Files.h"
#include "platform/PrivateProfile.h"
#include "platform/Text.h"

// ---------------------------------------------------------------------------------------
// Heap accounting for the parse-memory benchmark: every allocation of the process counts.

namespace {
std::atomic<size_t> gHeapInUse{0};
std::atomic<size_t> gHeapPeak{0};

void* CountedAllocate(size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  const size_t now = gHeapInUse += malloc_usable_size(block);
  size_t peak = gHeapPeak.load();
  while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
  }
  return block;
}

void CountedFree(void* block) noexcept {
  if (block == nullptr) return;
  gHeapInUse -= malloc_usable_size(block);
  std::free(block);
}
}  // namespace

void* operator new(size_t size) { return CountedAllocate(size); }
void* operator new[](size_t size) { return CountedAllocate(size); }
void operator delete(void* block) noexcept { CountedFree(block); }
void operator delete[](void* block) noexcept { CountedFree(block); }
void operator delete(void* block, size_t) noexcept { CountedFree(block); }
void operator delete[](void* block, size_t) noexcept { CountedFree(block); }

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& parent) {
    std::string pattern = parent + "/bench-ini-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("no scratch folder in " + parent);
    FPath = pattern;
  }
  ~ScratchFolder() { std::filesystem::remove_all(FPath); }
  std::string File(const std::string& name) const { return FPath + "/" + name; }

 private:
  std::string FPath;
};

std::string DiskFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder && *folder ? folder : "/tmp";
}

void WriteBytes(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// A changes.ini with a few small sections around the one the benchmark works on.
std::string SurroundedSection(const std::string& section, int keyCount) {
  std::string content =
      "; generated\r\n[Settings]\r\nVersion=1\r\nLogLevel=3\r\n\r\n[2DAList]\r\n"
      "Table0=appearance.2da\r\n\r\n";
  content += "[" + section + "]\r\n";
  for (int i = 0; i < keyCount; ++i)
    content +=
        "ChangeRow" + std::to_string(i) + "=change_row_" + std::to_string(i) + "<#LF#>note\r\n";
  content += "\r\n[GFFList]\r\nFile0=a.utc\r\n\r\n[InstallList]\r\ninstall_folder0=override\r\n";
  return content;
}

// A file of `sections` sections of `keysPerSection` keys, each followed by a blank line.
std::string SectionsFile(int sections, int keysPerSection) {
  std::string content;
  for (int s = 0; s < sections; ++s) {
    content += "[modifier_" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < keysPerSection; ++k)
      content += "Column" + std::to_string(k) + "=value_" + std::to_string(k) + "\r\n";
    content += "\r\n";
  }
  return content;
}

// The floor of a view: the file's bytes read once and split into lines.
size_t ReadAndSplit(const std::string& path) {
  const std::string bytes = platform::ReadWholeFile(path);
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    lines.emplace_back(bytes.data() + start, end - start);
    start = end + 1;
  }
  benchmark::DoNotOptimize(lines.data());
  return lines.size();
}

size_t ShowPane(TKV_Inifile& ini, const std::string& section) {
  size_t total = 0;
  for (const std::string& key : ini.ReadSection(section))
    total += ini.ReadString(section, key, "").size();
  return total;
}

void SetRatio(benchmark::State& state, double measured, double floor) {
  state.counters["floor_ms"] = floor / static_cast<double>(state.iterations());
  state.counters["x_floor"] = measured / floor;
}

// ---------------------------------------------------------------------------------------
// Views

// Arg 0: every read on its own, file settled (its time stamps trusted). Arg 1: the same
// right after a write. Arg 2: in a read scope, settled. Arg 3: in a read scope, right
// after a write.
void BM_PaneOf2000Keys(benchmark::State& state) {
  const bool justWritten = state.range(0) % 2 == 1;
  const bool inScope = state.range(0) >= 2;
  ScratchFolder folder(DiskFolder());
  const std::string path = folder.File("changes.ini");
  WriteBytes(path, SurroundedSection("appearance.2da", 2000));
  TKV_Inifile ini(path);
  if (!justWritten) std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  double measured = 0;
  double floor = 0;
  for (auto _ : state) {
    if (justWritten) ini.WriteString("Settings", "LogLevel", "3");
    Clock::time_point start = Clock::now();
    if (inScope) {
      TIniReadScope scope(ini);
      benchmark::DoNotOptimize(ShowPane(ini, "appearance.2da"));
    } else {
      benchmark::DoNotOptimize(ShowPane(ini, "appearance.2da"));
    }
    const double once = MillisecondsSince(start);
    measured += once;
    state.SetIterationTime(once / 1000);
    start = Clock::now();
    benchmark::DoNotOptimize(ReadAndSplit(path));
    floor += MillisecondsSince(start);
  }
  SetRatio(state, measured, floor);
  static const char* kLabels[] = {"settled", "just written", "read scope, settled",
                                  "read scope, just written"};
  state.SetLabel(kLabels[state.range(0)]);
}
BENCHMARK(BM_PaneOf2000Keys)->DenseRange(0, 3)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------------
// Writes

// About 1 MB: 400 modifier sections of 100 keys.
std::string OneMegabyteChangesIni() { return SectionsFile(400, 100); }

// Writes the keys in one batch; the time of its commit alone is added to `commit`.
void WriteBatchOf260000Keys(TKV_Inifile& ini, double& commit) {
  TIniBatch batch(ini);
  for (int s = 0; s < 10000; ++s) {
    const std::string section = "new_modifier_" + std::to_string(s);
    for (int k = 0; k < 26; ++k)
      ini.WriteString(section, "Column" + std::to_string(k), "value_" + std::to_string(k));
  }
  const Clock::time_point start = Clock::now();
  batch.UpdateFile();
  commit += MillisecondsSince(start);
}

// Arg 0: on disk; Arg 1: in /dev/shm. The time is the commit's; total_ms is the whole
// batch (opening the file, the 260,000 writes in memory and the commit).
void BM_BatchOf260000Keys(benchmark::State& state) {
  const bool inMemory = state.range(0) == 1;
  ScratchFolder folder(inMemory ? "/dev/shm" : DiskFolder());
  const std::string path = folder.File("changes.ini");
  const std::string before = OneMegabyteChangesIni();
  WriteBytes(path, before);
  double commit = 0;
  {
    TKV_Inifile ini(path);
    WriteBatchOf260000Keys(ini, commit);
  }
  const std::string after = platform::ReadWholeFile(path);
  commit = 0;
  double total = 0;
  double floor = 0;
  for (auto _ : state) {
    WriteBytes(path, before);
    Clock::time_point start = Clock::now();
    const double commitBefore = commit;
    {
      TKV_Inifile ini(path);
      WriteBatchOf260000Keys(ini, commit);
    }
    total += MillisecondsSince(start);
    state.SetIterationTime((commit - commitBefore) / 1000);
    WriteBytes(path, before);
    start = Clock::now();
    if (!platform::TryReplaceFile(path, after)) state.SkipWithError("the floor's write failed");
    floor += MillisecondsSince(start);
  }
  SetRatio(state, commit, floor);
  state.counters["total_ms"] = total / static_cast<double>(state.iterations());
  state.counters["file_MB"] = static_cast<double>(after.size()) / 1e6;
  state.SetLabel(inMemory ? "/dev/shm" : "disk");
}
BENCHMARK(BM_BatchOf260000Keys)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// 5,000 new keys, one WriteString each (one file replace each). Arg 0: disk; 1: /dev/shm.
void BM_Write5000KeysOneByOne(benchmark::State& state) {
  const bool inMemory = state.range(0) == 1;
  ScratchFolder folder(inMemory ? "/dev/shm" : DiskFolder());
  const std::string path = folder.File("changes.ini");
  for (auto _ : state) {
    state.PauseTiming();
    WriteBytes(path, SurroundedSection("appearance.2da", 0));
    state.ResumeTiming();
    TKV_Inifile ini(path);
    for (int i = 0; i < 5000; ++i)
      ini.WriteString("appearance.2da", "ChangeRow" + std::to_string(i),
                      "change_row_" + std::to_string(i));
  }
  state.SetLabel(inMemory ? "/dev/shm" : "disk");
}
BENCHMARK(BM_Write5000KeysOneByOne)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---------------------------------------------------------------------------------------
// The index

// Times `operation` on a parse of about `lines` lines, in sections of 10 keys, working
// on the section in the middle.
template <typename Operation>
double NanosecondsPerOperation(int lines, Operation operation) {
  constexpr int kRepeats = 20000;
  const int sections = std::max(1, lines / 12);
  platform::ProfileText text(SectionsFile(sections, 10));
  const std::string middle = "modifier_" + std::to_string(sections / 2);
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kRepeats; ++i) operation(text, middle, i);
  return MillisecondsSince(start) * 1e6 / kRepeats;
}

void FindKey(platform::ProfileText& text, const std::string& section, int i) {
  benchmark::DoNotOptimize(text.Value(section, i % 2 ? "Column7" : "column3"));
}

void AddAfterLastKeyAndRemove(platform::ProfileText& text, const std::string& section, int) {
  text.SetValue(section, "NewColumn", "x");
  text.RemoveKey(section, "NewColumn");
}

void FindSection(platform::ProfileText& text, const std::string& section, int) {
  benchmark::DoNotOptimize(text.KeyNames(section).size());
}

// Arg: the operation (0 find a key, 1 add after the last key and remove it, 2 list the
// section's keys). The counter x_20_lines is the cost at 250,000 lines over that at 20.
void BM_IndexAt250000Lines(benchmark::State& state) {
  static void (*const kOperations[])(platform::ProfileText&, const std::string&, int) = {
      FindKey, AddAfterLastKeyAndRemove, FindSection};
  static const char* kLabels[] = {"find a key", "add after the last key, remove", "list a section"};
  auto* operation = kOperations[state.range(0)];
  double small = 0;
  double large = 0;
  for (auto _ : state) {
    small += NanosecondsPerOperation(20, operation);
    const double once = NanosecondsPerOperation(250000, operation);
    large += once;
    state.SetIterationTime(once / 1e9);
  }
  state.counters["ns_at_20_lines"] = small / static_cast<double>(state.iterations());
  state.counters["ns_at_250000_lines"] = large / static_cast<double>(state.iterations());
  state.counters["x_20_lines"] = large / small;
  state.SetLabel(kLabels[state.range(0)]);
}
BENCHMARK(BM_IndexAt250000Lines)->DenseRange(0, 2)->UseManualTime()->Iterations(5);

// ---------------------------------------------------------------------------------------
// Numbering

void BM_Number10000Keys(benchmark::State& state) {
  std::vector<std::string> taken;
  for (int i = 0; i < 10000; i += 2) taken.push_back("ChangeRow" + std::to_string(i * 3));
  for (int i = 0; i < 5000; ++i) taken.push_back("AddRow" + std::to_string(i));
  double measured = 0;
  double floor = 0;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    quennet::TKeyNumbering numbering(taken, "ChangeRow");
    for (int i = 0; i < 10000; ++i) benchmark::DoNotOptimize(numbering.Next());
    const double once = MillisecondsSince(start);
    measured += once;
    state.SetIterationTime(once / 1000);
    start = Clock::now();
    for (const std::string& name : taken) benchmark::DoNotOptimize(platform::AsciiLowerCase(name));
    floor += MillisecondsSince(start);
  }
  SetRatio(state, measured, floor);
}
BENCHMARK(BM_Number10000Keys)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------------
// Parse memory

// Arg 0: 10 MiB of 25-byte key lines; Arg 1: 10 MiB of empty lines. Counters: the peak
// heap of reading and parsing the file, and that over the file's size.
void BM_ParseMemoryOf10MiB(benchmark::State& state) {
  constexpr size_t kSize = 10 << 20;
  const bool blank = state.range(0) == 1;
  std::string content;
  content.reserve(kSize + 64);
  if (blank) {
    content.assign(kSize, '\n');
  } else {
    content = "[modifier]\r\n";
    for (int i = 0; content.size() < kSize; ++i) {
      std::string line = "Key" + std::to_string(i) + "=value";
      line.resize(23, 'v');
      content += line + "\r\n";
    }
  }
  ScratchFolder folder(DiskFolder());
  const std::string path = folder.File("big.ini");
  WriteBytes(path, content);
  content = std::string();
  double peak = 0;
  for (auto _ : state) {
    const size_t base = gHeapInUse.load();
    gHeapPeak = base;
    {
      TKV_Inifile ini(path);
      benchmark::DoNotOptimize(ini.ReadString("modifier", "Key7", ""));
    }
    peak = std::max(peak, static_cast<double>(gHeapPeak.load() - base));
  }
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["x_file"] = peak / static_cast<double>(kSize);
  state.SetLabel(blank ? "empty lines" : "25-byte key lines");
}
BENCHMARK(BM_ParseMemoryOf10MiB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
