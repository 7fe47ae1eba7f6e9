// Load times of the 2DA and GFF readers against reading the same bytes once, the memory
// a loaded GFF tree takes, and a walk over every field path with its value text.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/U2DAEdit.h"
#include "formats/UGFFFile.h"
#include "platform/Files.h"
#include "tests/formats/GameFileBuilders.h"

namespace {

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
  size_t treeBytes = 0;
  {
    // Measured once, outside the timed loop: mallinfo2 is slow.
    const std::string& path = GffPath();
    size_t before = mallinfo2().uordblks;
    TGFFFile file;
    file.LoadFromFile(path);
    treeBytes = mallinfo2().uordblks - before;
  }
  for (auto _ : state) {
    TGFFFile file;
    file.LoadFromFile(GffPath());
    benchmark::DoNotOptimize(file.Root());
  }
  AddFileCounters(state, GffPath());
  state.counters["tree_MB"] = static_cast<double>(treeBytes) / 1e6;
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

}  // namespace

BENCHMARK_MAIN();
