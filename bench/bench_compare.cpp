// The 2DA compare on whole game tables (9,999 rows × 24 columns): every cell differing,
// and 100 changed rows, each inside one batch of the INI accessor, beside the two table
// loads and one atomic write of the resulting changes.ini (the floors). Also the
// numbering of labels: 9,999 rows sharing one row name, one changed cell each, beside a
// table of a real game table's size (509 rows × 80 columns) with every cell changed and
// the two loads of each pair.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "configeditor/rules/U2daCompare.h"
#include "formats/U2DAEdit.h"
#include "formats/UKV_IniFile.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/PrivateProfile.h"
#include "tests/formats/GameFileBuilders.h"
#include "tests/support/ProcessMemory.h"

namespace {

constexpr int kRows = 9999;
constexpr int kColumns = 24;
const std::string kHead = "[Settings]\r\nFileExists=1\r\n[2DAList]\r\nTable0=appearance.2da\r\n";

std::string PathOf(const std::string& name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

// A table of numbers: the rows `changed` picks hold other numbers than the original's in
// every cell. A 2DA addresses its cell texts with 16-bit offsets, so a table holds at
// most 64 KB of distinct texts, as game tables do: the values repeat.
std::string TableBytes(bool (*changed)(int row)) {
  std::vector<std::string> columns = {"label"};
  for (int c = 1; c < kColumns; ++c) columns.push_back("column" + std::to_string(c));
  std::vector<std::vector<std::string>> rows(kRows);
  for (int r = 0; r < kRows; ++r) {
    const int base = changed(r) ? 5000 : 0;
    for (int c = 0; c < kColumns; ++c) {
      rows[r].push_back(std::to_string(base + (r * 7 + c * 13) % 4000));
    }
  }
  return game_file_builders::TwoDaBuilder::Table(columns, rows).Build();
}

// 9,999 rows all named "same"; the modified table's second cell differs in every row.
std::string SharedLabelBytes(bool modified) {
  std::vector<std::vector<std::string>> rows(kRows);
  for (int r = 0; r < kRows; ++r)
    rows[r] = {"same", std::to_string(r % 4000 + (modified ? 5000 : 0))};
  return game_file_builders::TwoDaBuilder::Table({"label", "value"}, rows).Build();
}

// 509 rows × 80 columns, as a large game table; the modified one differs in every cell.
std::string RealSizedBytes(bool modified) {
  std::vector<std::string> columns = {"label"};
  for (int c = 1; c < 80; ++c) columns.push_back("column" + std::to_string(c));
  std::vector<std::vector<std::string>> rows(509);
  for (int r = 0; r < 509; ++r) {
    for (int c = 0; c < 80; ++c) {
      rows[r].push_back(std::to_string((modified ? 5000 : 0) + (r * 7 + c * 13) % 4000));
    }
  }
  return game_file_builders::TwoDaBuilder::Table(columns, rows).Build();
}

std::string WrittenTable(const std::string& name, const std::string& bytes) {
  const std::string path = PathOf(name);
  platform::ReplaceFile(path, bytes);
  return path;
}

const std::string& SharedLabelOriginalPath() {
  static const std::string path = WrittenTable("bench_compare_same.2da", SharedLabelBytes(false));
  return path;
}
const std::string& SharedLabelModifiedPath() {
  static const std::string path = WrittenTable("bench_compare_same_m.2da", SharedLabelBytes(true));
  return path;
}
const std::string& RealSizedOriginalPath() {
  static const std::string path = WrittenTable("bench_compare_real.2da", RealSizedBytes(false));
  return path;
}
const std::string& RealSizedModifiedPath() {
  static const std::string path = WrittenTable("bench_compare_real_m.2da", RealSizedBytes(true));
  return path;
}

const std::string& OriginalPath() {
  static const std::string path =
      WrittenTable("bench_compare_original.2da", TableBytes([](int) { return false; }));
  return path;
}
const std::string& AllChangedPath() {
  static const std::string path =
      WrittenTable("bench_compare_all.2da", TableBytes([](int) { return true; }));
  return path;
}
const std::string& HundredChangedPath() {
  static const std::string path =
      WrittenTable("bench_compare_100.2da", TableBytes([](int row) { return row % 100 == 0; }));
  return path;
}

void LoadTwo(benchmark::State& state, const std::string& originalPath,
             const std::string& modifiedPath) {
  for (auto _ : state) {
    T2DAHandler original;
    T2DAHandler modified;
    original.LoadFromFile(originalPath);
    modified.LoadFromFile(modifiedPath);
    benchmark::DoNotOptimize(modified.RowCount());
  }
}

void BM_LoadTwoTables(benchmark::State& state) { LoadTwo(state, OriginalPath(), AllChangedPath()); }
BENCHMARK(BM_LoadTwoTables)->Unit(benchmark::kMillisecond);

// The whole command's work on changes.ini: the compare in one batch and its one write.
// `measurePeak` for a compare that runs before the heap holds freed memory it could reuse.
void CompareInto(benchmark::State& state, const std::string& modifiedPath,
                 const std::string& originalPath = OriginalPath(), bool measurePeak = false) {
  const std::string iniPath = PathOf("bench_compare_changes.ini");
  T2DAHandler original;
  T2DAHandler modified;
  original.LoadFromFile(originalPath);
  modified.LoadFromFile(modifiedPath);
  quennet::T2daCompareCounts counts;
  double peak = 0;
  for (auto _ : state) {
    state.PauseTiming();
    platform::ReplaceFile(iniPath, kHead);
    TKV_Inifile ini(iniPath);
    state.ResumeTiming();
    peak = testing_support::PeakMemoryOf([&] {
      TIniBatch batch(ini);
      counts = quennet::Compare2daTables(ini, "appearance.2da", original, modified,
                                         {[](const std::string&) {}, [] {}})
                   .counts;
      batch.UpdateFile();
    });
  }
  const double result = static_cast<double>(std::filesystem::file_size(iniPath));
  state.counters["cells"] = counts.modifiedCells;
  state.counters["file_MB"] = result / 1e6;
  if (measurePeak) {
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_result"] = peak / result;
  }
}

void BM_CompareEveryCellChanged(benchmark::State& state) {
  CompareInto(state, AllChangedPath(), OriginalPath(), true);
}
BENCHMARK(BM_CompareEveryCellChanged)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Compare100ChangedRows(benchmark::State& state) { CompareInto(state, HundredChangedPath()); }
BENCHMARK(BM_Compare100ChangedRows)->Unit(benchmark::kMillisecond);

void BM_LoadTwoRealSizedTables(benchmark::State& state) {
  LoadTwo(state, RealSizedOriginalPath(), RealSizedModifiedPath());
}
BENCHMARK(BM_LoadTwoRealSizedTables)->Unit(benchmark::kMillisecond);

void BM_CompareRealSizedTable(benchmark::State& state) {
  CompareInto(state, RealSizedModifiedPath(), RealSizedOriginalPath());
}
BENCHMARK(BM_CompareRealSizedTable)->Unit(benchmark::kMillisecond);

void BM_LoadTwoSharedLabelTables(benchmark::State& state) {
  LoadTwo(state, SharedLabelOriginalPath(), SharedLabelModifiedPath());
}
BENCHMARK(BM_LoadTwoSharedLabelTables)->Unit(benchmark::kMillisecond);

// 9,999 ChangeRow modifiers whose labels share one base: appearance_mod_same_0 to _9998.
void BM_CompareRowsSharingOneLabel(benchmark::State& state) {
  CompareInto(state, SharedLabelModifiedPath(), SharedLabelOriginalPath());
}
BENCHMARK(BM_CompareRowsSharingOneLabel)->Unit(benchmark::kMillisecond);

// 9,999 rows × 15 columns whose modified cells share 2,000-byte texts: a result of about
// 300 MB, more than the read limit. The compare stops at the write that would pass it
// and writes nothing; its peak memory is measured against the limit it stopped at.
std::string LargeTextBytes(bool modified) {
  std::vector<std::string> columns;
  for (int c = 0; c < 15; ++c) columns.push_back("column" + std::to_string(c));
  std::vector<std::vector<std::string>> rows(kRows);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < 15; ++c) {
      rows[r].push_back(modified ? std::string(2000, static_cast<char>('a' + (r + c) % 26)) : "0");
    }
  }
  return game_file_builders::TwoDaBuilder::Table(columns, rows).Build();
}

void BM_CompareStoppedAtTheReadLimit(benchmark::State& state) {
  const std::string iniPath = PathOf("bench_compare_changes.ini");
  T2DAHandler original;
  T2DAHandler modified;
  original.LoadFromMemory(LargeTextBytes(false), "o.2da");
  modified.LoadFromMemory(LargeTextBytes(true), "m.2da");
  double peak = 0;
  bool refused = false;
  for (auto _ : state) {
    state.PauseTiming();
    platform::ReplaceFile(iniPath, kHead);
    TKV_Inifile ini(iniPath);
    state.ResumeTiming();
    peak = testing_support::PeakMemoryOf([&] {
      try {
        TIniBatch batch(ini);
        quennet::Compare2daTables(ini, "appearance.2da", original, modified,
                                  {[](const std::string&) {}, [] {}});
        batch.UpdateFile();
      } catch (const platform::EIniFileException&) {
        refused = true;
      }
    });
  }
  const double limit = static_cast<double>(platform::PrivateProfile::kMaxFileSize);
  state.counters["refused"] = refused;
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(iniPath)) / 1e6;
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["peak_per_limit"] = peak / limit;
}
BENCHMARK(BM_CompareStoppedAtTheReadLimit)->Unit(benchmark::kMillisecond)->Iterations(1);

// The floor of the full compare: writing its result once, with the same atomic replace.
void BM_WriteTheFullResultOnce(benchmark::State& state) {
  const std::string iniPath = PathOf("bench_compare_changes.ini");
  std::string result;
  {
    platform::ReplaceFile(iniPath, kHead);
    TKV_Inifile ini(iniPath);
    T2DAHandler original;
    T2DAHandler modified;
    original.LoadFromFile(OriginalPath());
    modified.LoadFromFile(AllChangedPath());
    TIniBatch batch(ini);
    quennet::Compare2daTables(ini, "appearance.2da", original, modified,
                              {[](const std::string&) {}, [] {}});
    batch.UpdateFile();
  }
  result = platform::ReadWholeFile(iniPath);
  const std::string copy = PathOf("bench_compare_copy.ini");
  for (auto _ : state) platform::ReplaceFile(copy, result);
  state.counters["file_MB"] = static_cast<double>(result.size()) / 1e6;
}
BENCHMARK(BM_WriteTheFullResultOnce)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
