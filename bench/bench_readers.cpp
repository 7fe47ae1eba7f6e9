// Load times of the 2DA and GFF readers against reading the same bytes once, the memory
// a loaded GFF tree takes, and a walk over every field path with its value text.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "formats/U2DAEdit.h"
#include "formats/UGFFFile.h"
#include "platform/Files.h"
#include "tests/formats/GameFileBuilders.h"
#include "tests/support/ProcessMemory.h"

namespace {

using testing_support::ResidentBytes;

using game_file_builders::BytesOf;
using game_file_builders::GffBuilder;
using game_file_builders::TwoDaBuilder;

std::string WriteTemporary(const std::string& name, const std::string& bytes) {
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

const std::string& TablePath() {
  static const std::string path = [] {
    std::vector<std::string> columns;
    for (int c = 0; c < 100; ++c) columns.push_back("column" + std::to_string(c));
    std::vector<std::vector<std::string>> rows(5000);
    for (int r = 0; r < 5000; ++r)
      for (int c = 0; c < 100; ++c) rows[r].push_back(std::to_string((r * 31 + c * 7) % 6000));
    return WriteTemporary("bench_readers.2da", TwoDaBuilder::Table(columns, rows).Build());
  }();
  return path;
}

// Every struct holds four value fields and, above the last level, a list of four.
uint32_t AddLevel(GffBuilder& b, int level, int& counter) {
  uint32_t s = b.AddStruct(static_cast<uint32_t>(level));
  int n = counter++;
  b.AddSimple(s, 5, "Id", static_cast<uint32_t>(n));

  b.AddComplex(s, 10, "Comment", GffBuilder::ExoString("entry " + std::to_string(n)));

  b.AddComplex(s, 12, "Name",
               GffBuilder::LocString(static_cast<uint32_t>(n), {{0, "Name " + std::to_string(n)}}));
  b.AddComplex(s, 17, "Position", BytesOf(1.5f) + BytesOf(2.25f) + BytesOf(-3.0f));
  if (level < 8) {
    std::vector<uint32_t> children;
    for (int k = 0; k < 4; ++k) children.push_back(AddLevel(b, level + 1, counter));
    b.AddList(s, "Children", children);
  }
  return s;
}

const std::string& GffPath() {
  static const std::string path = [] {
    GffBuilder b;
    int counter = 0;
    AddLevel(b, 0, counter);
    return WriteTemporary("bench_readers.gff", b.Build());
  }();
  return path;
}

// ---- Measured in a fresh process --------------------------------------------------

using Figures = std::array<double, 2>;

constexpr const char* kFreshProcessFlag = "--fresh-process";

// Runs `work` ("read", "load", "free" or "read-load") on `path` in a new process of this program
// (see main) and gives back the figures it measured.
Figures MeasureInFreshProcess(const char* work, const std::string& path) {
  int ends[2];
  if (::pipe(ends) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(ends[1], STDOUT_FILENO);
    ::close(ends[0]);
    ::close(ends[1]);
    const char* arguments[] = {"bench_readers", kFreshProcessFlag, work, path.c_str(), nullptr};
    ::execv("/proc/self/exe", const_cast<char* const*>(arguments));
    ::_exit(127);
  }
  ::close(ends[1]);
  Figures figures{};
  char text[128] = {};
  size_t got = 0;
  ssize_t read;
  while (got + 1 < sizeof text && (read = ::read(ends[0], text + got, sizeof text - 1 - got)) > 0)
    got += static_cast<size_t>(read);
  ::close(ends[0]);
  ::waitpid(child, nullptr, 0);
  if (std::sscanf(text, "%lf %lf", &figures[0], &figures[1]) != 2) figures = {};
  return figures;
}

// CPU time of the process, system time (page faults) included: on a busy machine it
// varies far less than the wall clock.
double CpuSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double ReadSeconds(const std::string& path) {
  const double start = CpuSeconds();
  std::string bytes = platform::ReadWholeFile(path);
  benchmark::DoNotOptimize(bytes.data());
  return CpuSeconds() - start;
}

// The work of a fresh process: the seconds (CPU) it took and, for a load, the memory
// the tree leaves touched; for "read-load" the seconds of a read and then of a load.
Figures DoFreshWork(std::string_view work, const std::string& path) {
  if (work == "read") return {ReadSeconds(path), 0};
  if (work == "read-load") {
    const double read = ReadSeconds(path);
    TGFFFile file;
    const double start = CpuSeconds();
    file.LoadFromFile(path);
    return {read, CpuSeconds() - start};
  }
  TGFFFile file;
  const size_t before = ResidentBytes();
  double start = CpuSeconds();
  file.LoadFromFile(path);
  const Figures loaded{CpuSeconds() - start, static_cast<double>(ResidentBytes() - before)};
  if (work != "free") return loaded;
  start = CpuSeconds();
  file.Clear();
  return {CpuSeconds() - start, 0};
}

void AddFileCounters(benchmark::State& state, const std::string& path) {
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

void BM_ReadTableBytes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(platform::ReadWholeFile(TablePath()));
  AddFileCounters(state, TablePath());
}
BENCHMARK(BM_ReadTableBytes)->Unit(benchmark::kMillisecond);

void BM_Load2da(benchmark::State& state) {
  for (auto _ : state) {
    T2DAHandler table;
    table.LoadFromFile(TablePath());
    benchmark::DoNotOptimize(table.GetCell(4999, 99));
  }
  AddFileCounters(state, TablePath());
}
BENCHMARK(BM_Load2da)->Unit(benchmark::kMillisecond);

void BM_ReadGffBytes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(platform::ReadWholeFile(GffPath()));
  AddFileCounters(state, GffPath());
}
BENCHMARK(BM_ReadGffBytes)->Unit(benchmark::kMillisecond);

void BM_LoadGff(benchmark::State& state) {
  GffPath();
  // Measured once, outside the timed loop, in a process of its own.
  const double treeBytes = MeasureInFreshProcess("load", GffPath())[1];
  for (auto _ : state) {
    TGFFFile file;
    file.LoadFromFile(GffPath());
    benchmark::DoNotOptimize(file.Root());
  }
  AddFileCounters(state, GffPath());
  state.counters["tree_MB"] = treeBytes / 1e6;
}
BENCHMARK(BM_LoadGff)->Unit(benchmark::kMillisecond);

// Every field's path and value text, walked as the configuration editor lists them.
size_t WalkPaths(const TGFFStruct& gffStruct, const std::string& prefix,
                 std::vector<std::string>* paths) {
  size_t total = 0;
  for (const auto& field : gffStruct.Fields()) {
    std::string path = prefix + field->GetLabel();
    total += path.size() + FieldValueAsText(*field).size();
    if (paths) paths->push_back(path);
    if (auto* inner = FieldAs<TGFFStruct>(field.get()))
      total += WalkPaths(*inner, path + "\\", paths);
    if (auto* list = FieldAs<TGFFList>(field.get()))
      for (int32_t i = 0; i < list->Count(); ++i)
        total += WalkPaths(list->GetStruct(i), path + "\\" + std::to_string(i) + "\\", paths);
  }
  return total;
}

void BM_WalkGffPathsWithValueTexts(benchmark::State& state) {
  TGFFFile file;
  file.LoadFromFile(GffPath());
  std::vector<std::string> paths;
  WalkPaths(*file.Root(), "", &paths);
  for (auto _ : state) benchmark::DoNotOptimize(WalkPaths(*file.Root(), "", nullptr));
  state.counters["paths"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_WalkGffPathsWithValueTexts)->Unit(benchmark::kMillisecond);

void BM_LookUpEveryGffPath(benchmark::State& state) {
  TGFFFile file;
  file.LoadFromFile(GffPath());
  std::vector<std::string> paths;
  WalkPaths(*file.Root(), "", &paths);
  for (auto _ : state)
    for (const std::string& path : paths) benchmark::DoNotOptimize(file.GetFieldByPath(path));
  state.counters["paths"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_LookUpEveryGffPath)->Unit(benchmark::kMillisecond);

// ---- A GFF of item structs, each timed in a fresh process ----------------------------
//
// 17,000 items of 16 fields each (value fields, texts, two localized strings and a list
// of three property structs of 3, 3 and 2 fields): 68,001 structs, 408,003 fields,
// about 10.3 MB. A fresh process pays for its fresh memory as a user's does, so the
// floor (reading the file's bytes once) and the load are both measured in one.

uint32_t AddItem(GffBuilder& b, int n) {
  const uint32_t item = b.AddStruct(0);
  const std::string number = std::to_string(n);
  b.AddComplex(item, 10, "Tag", GffBuilder::ExoString("item_tag_" + number));
  b.AddComplex(item, 11, "TemplateResRef", GffBuilder::ResRef("itm_" + number));
  b.AddComplex(item, 12, "LocalizedName",
               GffBuilder::LocString(static_cast<uint32_t>(n), {{0, "Item " + number}}));
  b.AddComplex(item, 12, "Description",
               GffBuilder::LocString(4294967295u,
                                     {{0, "A plain item, as heavy as the items of games are."}}));
  b.AddSimple(item, 5, "BaseItem", static_cast<uint32_t>(n % 90));
  b.AddSimple(item, 4, "Cost", static_cast<uint32_t>(n * 7));
  b.AddSimple(item, 2, "StackSize", 1);
  b.AddSimple(item, 0, "Charges", 0);
  b.AddSimple(item, 0, "Plot", 0);
  b.AddSimple(item, 0, "Identified", 1);
  b.AddSimple(item, 8, "Weight", 0x3F800000u);
  b.AddComplex(item, 10, "Comment", GffBuilder::ExoString("made for the benchmark"));
  b.AddSimple(item, 0, "ModelPart1", static_cast<uint32_t>(n % 7));
  b.AddSimple(item, 0, "Cursed", 0);
  b.AddSimple(item, 4, "AddCost", 0);
  std::vector<uint32_t> properties;
  for (int k = 0; k < 3; ++k) {
    const uint32_t property = b.AddStruct(0);
    b.AddSimple(property, 2, "PropertyName", static_cast<uint32_t>(k));
    b.AddSimple(property, 2, "Subtype", static_cast<uint32_t>(n % 13));
    if (k < 2) b.AddSimple(property, 0, "CostTable", 3);
    properties.push_back(property);
  }
  b.AddList(item, "PropertiesList", properties);
  return item;
}

const std::string& ItemGffPath() {
  static const std::string path = [] {
    GffBuilder b;
    const uint32_t root = b.AddStruct(4294967295u);
    b.AddComplex(root, 10, "Tag", GffBuilder::ExoString("items"));
    b.AddSimple(root, 4, "Version", 1);
    std::vector<uint32_t> items;
    for (int n = 0; n < 17000; ++n) items.push_back(AddItem(b, n));
    b.AddList(root, "ItemList", items);
    return WriteTemporary("bench_readers_items.gff", b.Build());
  }();
  return path;
}

void BM_ReadItemGffBytesFresh(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(MeasureInFreshProcess("read", ItemGffPath())[0]);
  AddFileCounters(state, ItemGffPath());
}
BENCHMARK(BM_ReadItemGffBytesFresh)->UseManualTime()->Unit(benchmark::kMillisecond);

// Load time; the tree's size beside it (the memory the load leaves touched) as a
// multiple of the file's.
void BM_LoadItemGffFresh(benchmark::State& state) {
  double treeBytes = 0;
  for (auto _ : state) {
    const Figures figures = MeasureInFreshProcess("load", ItemGffPath());
    state.SetIterationTime(figures[0]);
    treeBytes = figures[1];
  }
  AddFileCounters(state, ItemGffPath());
  state.counters["tree_per_file"] =
      treeBytes / static_cast<double>(std::filesystem::file_size(ItemGffPath()));
}
BENCHMARK(BM_LoadItemGffFresh)->UseManualTime()->Unit(benchmark::kMillisecond);

// The load against the file read once in the same fresh process (first the read, then
// the load, each in new memory): the median of eleven processes' ratios and the highest.
void BM_LoadItemGffOverReadFresh(benchmark::State& state) {
  constexpr int kRuns = 11;
  std::vector<double> loads, ratios;
  for (auto _ : state) {
    loads.clear();
    ratios.clear();
    for (int run = 0; run < kRuns; ++run) {
      const Figures figures = MeasureInFreshProcess("read-load", ItemGffPath());
      loads.push_back(figures[1]);
      ratios.push_back(figures[1] / figures[0]);
    }
    std::sort(loads.begin(), loads.end());
    std::sort(ratios.begin(), ratios.end());
    state.SetIterationTime(loads[kRuns / 2]);
  }
  state.counters["x_read"] = ratios[kRuns / 2];
  state.counters["x_read_min"] = ratios.front();
  state.counters["x_read_max"] = ratios.back();
}
BENCHMARK(BM_LoadItemGffOverReadFresh)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_FreeItemGffFresh(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(MeasureInFreshProcess("free", ItemGffPath())[0]);
}
BENCHMARK(BM_FreeItemGffFresh)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

// Run with kFreshProcessFlag, the program is the fresh process of one measurement.
int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == kFreshProcessFlag) {
    const Figures figures = DoFreshWork(argv[2], argv[3]);
    std::printf("%.9g %.9g\n", figures[0], figures[1]);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
