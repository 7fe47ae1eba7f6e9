// The table-wide commands of Sorlith on a game-sized talk table: deleting the first
// entry (every later entry is renumbered) and appending another table of 50,000
// entries (read from its bytes, then copied to the end).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "talktable/UTLKFile.h"

namespace {

constexpr uint32_t kTableEntries = 140000;
constexpr uint32_t kAppendedEntries = 50000;

std::string U32(uint32_t value) {
  std::string out(4, '\0');
  std::memcpy(out.data(), &value, 4);
  return out;
}

// A TLK V3.0 file of `count` entries with short texts and sound names.
std::string TableBytes(uint32_t count) {
  std::string records;
  std::string texts;
  for (uint32_t i = 0; i < count; ++i) {
    const std::string text = "Entry number " + std::to_string(i) + " of a benchmark table.";
    std::string resRef = "snd_" + std::to_string(i);
    resRef.resize(16, '\0');
    records += U32(7) + resRef + U32(0) + U32(0) + U32(static_cast<uint32_t>(texts.size())) +
               U32(static_cast<uint32_t>(text.size())) + U32(0);
    texts += text;
  }
  return "TLK V3.0" + U32(0) + U32(count) + U32(20 + 40 * count) + records + texts;
}

std::unique_ptr<TTLKFileHandler> Loaded(const std::string& bytes) {
  auto table = std::make_unique<TTLKFileHandler>();
  table->LoadFromBuffer(bytes);
  return table;
}

void BM_DeleteFirstEntry(benchmark::State& state) {
  auto table = Loaded(TableBytes(kTableEntries));
  for (auto _ : state) {
    table->DeleteEntry(0);
    // Keeps the table at its size; appending is constant-time.
    table->AddEntry(std::make_unique<TTLKString>());
  }
  state.counters["entries"] = kTableEntries;
}
BENCHMARK(BM_DeleteFirstEntry)->Unit(benchmark::kMillisecond);

void BM_AppendTable(benchmark::State& state) {
  const std::string tableBytes = TableBytes(kTableEntries);
  const std::string appendedBytes = TableBytes(kAppendedEntries);
  for (auto _ : state) {
    state.PauseTiming();
    auto table = Loaded(tableBytes);
    state.ResumeTiming();
    TTLKFileHandler other;
    other.LoadFromBuffer(appendedBytes);
    benchmark::DoNotOptimize(table->AppendEntriesOf(other));
    state.PauseTiming();
    table.reset();
    state.ResumeTiming();
  }
  state.counters["entries"] = kTableEntries + kAppendedEntries;
}
BENCHMARK(BM_AppendTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
