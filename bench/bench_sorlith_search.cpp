// The entry search on a table of 140,000 entries, grid fill included: a search for
// "the" against its floor (and the walk alone, without the grid), a search with an empty
// text (every entry is listed) and a word search.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/ui/Application.h"
#include "talktable/UMainForm.h"
#include "talktable/USearchCriteria.h"
#include "talktable/USearchForm.h"
#include "talktable/UTLKFile.h"

namespace {

constexpr int kEntries = 140000;

// The main window with the search dialog reset, ready to run a search. With `mixed`,
// only every third text holds "the" (as in a game's table, about a third of the
// entries are listed by a search for it).
std::unique_ptr<sorlith::TMainForm> WindowWithTable(bool mixed = false) {
  auto form = std::make_unique<sorlith::TMainForm>();
  form->CreateForms();
  form->show();
  TTLKFileHandler& table = form->TalkTable();
  table.NewFile();
  for (int i = 0; i < kEntries; ++i) {
    auto entry = std::make_unique<TTLKString>();
    entry->SetText(
        "Entry " + std::to_string(i) +
        (mixed && i % 3 != 0
             ? ": a quick brown fox jumps over a lazy dog near an old mill, and a river."
             : ": the quick brown fox jumps over the lazy dog near the old mill, and the "
               "river."));
    if (i % 3 == 0) entry->SetSoundResRef({'v', 'o', '_', 'l', 'i', 'n', 'e'});
    table.AddEntry(std::move(entry));
  }
  sorlith::TSearchForm& search = form->SearchForm();
  search.SetEntryCount(kEntries);
  search.btnReset->click();
  return form;
}

void RunSearches(benchmark::State& state, sorlith::TMainForm& form) {
  for (auto _ : state) {
    form.RunSearch();
    benchmark::DoNotOptimize(form.grid->RowCount());
  }
  state.counters["rows"] = form.grid->RowCount() - 1;
}

// The floor of a text search: every entry's text folded to lower case and searched for
// "the" once, the hits counted.
void BM_FoldAndFindFloor(benchmark::State& state) {
  auto form = WindowWithTable(true);
  TStringDataList& list = form->TalkTable().EntryList();
  std::string folded;
  for (auto _ : state) {
    size_t hits = 0;
    for (const TStringData* node = list.FirstNode(); node; node = node->GetNextNode()) {
      const std::string_view text = node->GetEntry()->GetText();
      folded.resize(text.size());
      std::transform(text.begin(), text.end(), folded.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
      hits += folded.find("the") != std::string::npos;
    }
    benchmark::DoNotOptimize(hits);
  }
}
BENCHMARK(BM_FoldAndFindFloor)->Unit(benchmark::kMillisecond);

// The matching entries of a search for "the" without case, without the grid.
void BM_FindTheWithoutGrid(benchmark::State& state) {
  auto form = WindowWithTable(true);
  sorlith::TSearchCriteria criteria;
  criteria.Text = "the";
  for (auto _ : state) {
    const auto matches = sorlith::FindMatchingEntries(form->TalkTable(), criteria, 0, kEntries - 1);
    benchmark::DoNotOptimize(matches.data());
  }
}
BENCHMARK(BM_FindTheWithoutGrid)->Unit(benchmark::kMillisecond);

// "the" without case: a third of the entries are listed.
void BM_SearchThe(benchmark::State& state) {
  auto form = WindowWithTable(true);
  form->SearchForm().edString->setText(QStringLiteral("the"));
  RunSearches(state, *form);
}
BENCHMARK(BM_SearchThe)->Unit(benchmark::kMillisecond);

void BM_SearchEmptyText(benchmark::State& state) {
  auto form = WindowWithTable();
  RunSearches(state, *form);
}
BENCHMARK(BM_SearchEmptyText)->Unit(benchmark::kMillisecond);

void BM_SearchWords(benchmark::State& state) {
  auto form = WindowWithTable();
  sorlith::TSearchForm& search = form->SearchForm();
  search.edString->setText(QStringLiteral("River, mill lazy"));
  search.cbWordSearch->setChecked(true);
  RunSearches(state, *form);
}
BENCHMARK(BM_SearchWords)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::Application application(argc, argv, "Sorlith");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
