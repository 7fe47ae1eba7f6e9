// The GFF compare on two whole files (12 MB, 87,381 structs, about 371,000 fields each):
// in the modified copy about one field in ten differs and one struct in a hundred is new. The
// whole compare (both loads, the walk, one batch and one write of changes.ini) beside
// its floor, the two loads; and the pending-message pump it runs at each Struct and
// List, measured on its own and inside the compare.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "configeditor/rules/UGffCompare.h"
#include "formats/UGFFFile.h"
#include "formats/UKV_IniFile.h"
#include "platform/Files.h"
#include "tests/formats/GameFileBuilders.h"
#include "tests/support/ProcessMemory.h"
#ifdef MT_BENCH_QT_PUMP
#include "platform/ui/Application.h"
#include "platform/ui/Services.h"
#endif

namespace {

using game_file_builders::BytesOf;
using game_file_builders::GffBuilder;

const std::string kHead = "[Settings]\r\nFileExists=1\r\n[GFFList]\r\nFile0=m01aa.git\r\n";

std::string PathOf(const std::string& name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

// Every struct holds four value fields and, above the last level, a list of four. In the
// modified copy every second struct has one of its values changed (about one field in
// ten), and every twenty-fifth struct's list a fifth, new element (about one struct in a
// hundred, as a quarter of the structs hold lists).
uint32_t AddLevel(GffBuilder& b, int level, int& counter, bool modified) {
  const uint32_t s = b.AddStruct(static_cast<uint32_t>(level));
  const int n = counter++;
  const bool changed = modified && n % 2 == 0;
  b.AddSimple(s, 5, "Id", static_cast<uint32_t>(changed && n % 8 == 0 ? n + 1 : n));
  b.AddComplex(
      s, 10, "Comment",
      GffBuilder::ExoString((changed && n % 8 == 2 ? "changed " : "entry ") + std::to_string(n)));
  b.AddComplex(s, 12, "Name",
               GffBuilder::LocString(
                   static_cast<uint32_t>(n),
                   {{0, (changed && n % 8 == 4 ? "Renamed " : "Name ") + std::to_string(n)}}));
  b.AddComplex(s, 17, "Position",
               BytesOf(changed && n % 8 == 6 ? 9.5f : 1.5f) + BytesOf(2.25f) + BytesOf(-3.0f));
  if (level < 8) {
    std::vector<uint32_t> children;
    for (int k = 0; k < 4; ++k) children.push_back(AddLevel(b, level + 1, counter, modified));
    if (modified && n % 25 == 0) {
      int unused = 0;
      children.push_back(AddLevel(b, 8, unused, false));
    }
    b.AddList(s, "Children", children);
  }
  return s;
}

std::string GffBytes(bool modified) {
  GffBuilder b;
  int counter = 0;
  AddLevel(b, 0, counter, modified);
  return b.Build();
}

const std::string& UnalteredPath() {
  static const std::string path = [] {
    std::string p = PathOf("bench_gff_compare_unaltered.git");
    platform::ReplaceFile(p, GffBytes(false));
    return p;
  }();
  return path;
}
const std::string& ModifiedPath() {
  static const std::string path = [] {
    std::string p = PathOf("bench_gff_compare_modified.git");
    platform::ReplaceFile(p, GffBytes(true));
    return p;
  }();
  return path;
}

void AddCounters(benchmark::State& state, const quennet::TGffCompareResult& result,
                 const std::string& iniPath, int64_t moments) {
  state.counters["modified"] = result.counts.modified;
  state.counters["new"] = result.counts.added;
  state.counters["structs_lists"] = static_cast<double>(moments);
  state.counters["ini_MB"] = static_cast<double>(std::filesystem::file_size(iniPath)) / 1e6;
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(ModifiedPath())) / 1e6;
}

void BM_LoadTwoGffFiles(benchmark::State& state) {
  for (auto _ : state) {
    TGFFFile unaltered;
    TGFFFile modified;
    unaltered.LoadFromFile(UnalteredPath());
    modified.LoadFromFile(ModifiedPath());
    benchmark::DoNotOptimize(modified.Root());
  }
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(ModifiedPath())) / 1e6;
}
BENCHMARK(BM_LoadTwoGffFiles)->Unit(benchmark::kMillisecond);

// The command's work: CompareGffFiles on a fresh changes.ini, with `pump` at each Struct
// and List.
void CompareInto(benchmark::State& state, const std::function<void()>& pump) {
  const std::string iniPath = PathOf("bench_gff_compare_changes.ini");
  quennet::TGffCompareResult result;
  int64_t moments = 0;
  for (auto _ : state) {
    state.PauseTiming();
    platform::ReplaceFile(iniPath, kHead);
    TKV_Inifile ini(iniPath);
    moments = 0;
    state.ResumeTiming();
    result = *quennet::CompareGffFiles(ini, "m01aa.git", UnalteredPath(), ModifiedPath(),
                                       {[](const std::string&) {},
                                        [&] {
                                          ++moments;
                                          pump();
                                        }});
  }
  AddCounters(state, result, iniPath, moments);
}

void BM_CompareGffFiles(benchmark::State& state) {
  CompareInto(state, [] {});
}
BENCHMARK(BM_CompareGffFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

// A small file whose lists share their structs: each level's list holds the next
// level's struct four times, so the tree the reader builds is 4^8 structs deep down,
// each with three values. Compared with a copy that has none of its fields, every field
// is new. The peak memory of the compare (its walk, its batch and the one write) is
// measured against the changes.ini it writes.
std::string SharedStructsBytes() {
  GffBuilder b;
  const uint32_t root = b.AddStruct(0xFFFFFFFF);
  uint32_t parent = root;
  for (int level = 0; level < 8; ++level) {
    const uint32_t next = b.AddStruct(static_cast<uint32_t>(level));
    b.AddSimple(next, 5, "Id", static_cast<uint32_t>(level));
    b.AddComplex(next, 10, "Comment", GffBuilder::ExoString("entry " + std::to_string(level)));
    b.AddSimple(next, 0, "Flag", 1);
    b.AddList(parent, "Children", {next, next, next, next});
    parent = next;
  }
  return b.Build();
}

void BM_CompareSharedStructsWithAnEmptyCopy(benchmark::State& state) {
  const std::string unalteredPath = PathOf("bench_gff_compare_empty.utc");
  const std::string modifiedPath = PathOf("bench_gff_compare_shared.utc");
  GffBuilder empty;
  empty.AddStruct(0xFFFFFFFF);
  platform::ReplaceFile(unalteredPath, empty.Build());
  platform::ReplaceFile(modifiedPath, SharedStructsBytes());
  const std::string iniPath = PathOf("bench_gff_compare_changes.ini");
  quennet::TGffCompareResult result;
  double peak = 0;
  for (auto _ : state) {
    state.PauseTiming();
    platform::ReplaceFile(iniPath, kHead);
    TKV_Inifile ini(iniPath);
    state.ResumeTiming();
    peak = testing_support::PeakMemoryOf([&] {
      result = *quennet::CompareGffFiles(ini, "m01aa.git", unalteredPath, modifiedPath,
                                         {[](const std::string&) {}, [] {}});
    });
  }
  const double written = static_cast<double>(std::filesystem::file_size(iniPath));
  state.counters["new"] = result.counts.added;
  state.counters["input_KB"] = static_cast<double>(std::filesystem::file_size(modifiedPath)) / 1e3;
  state.counters["ini_MB"] = written / 1e6;
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["peak_per_result"] = peak / written;
  std::filesystem::remove(unalteredPath);
  std::filesystem::remove(modifiedPath);
}
BENCHMARK(BM_CompareSharedStructsWithAnEmptyCopy)->Unit(benchmark::kMillisecond)->Iterations(1);

#ifdef MT_BENCH_QT_PUMP
// The installed pump of the window: pending messages run without user input.
void QtPump() { platform::CurrentServices().cursor->ProcessPendingMessages(); }

// At every Struct and List (0), or paced as the window runs it, at most every 20 ms (1).
void BM_CompareGffFilesWithTheWindowsPump(benchmark::State& state) {
  if (state.range(0) == 0) {
    CompareInto(state, QtPump);
  } else {
    CompareInto(state, quennet::Paced(QtPump, std::chrono::milliseconds(20)));
  }
}
BENCHMARK(BM_CompareGffFilesWithTheWindowsPump)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// One pump on its own.
void BM_PumpAlone(benchmark::State& state) {
  for (auto _ : state) QtPump();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PumpAlone)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef MT_BENCH_QT_PUMP
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::Application application(argc, argv, "Quennet");
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(UnalteredPath());
  std::filesystem::remove(ModifiedPath());
  return 0;
}
