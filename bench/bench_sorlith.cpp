// A talk table of 140,000 entries (about 100 bytes of text each): load, show every
// entry in the main window's grid, save. Peak memory of the process is reported too.
// The first show and the first search of a freshly opened window are measured in fresh
// processes, click to painted grid, beside their floors in the same process.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Services.h"
#include "talktable/UMainForm.h"
#include "talktable/USearchCriteria.h"
#include "talktable/USearchForm.h"
#include "talktable/UTLKFile.h"
#include "tests/support/ProcessMemory.h"

namespace {

using testing_support::ResidentBytes;

constexpr int kEntries = 140000;

// While it lives, every question is answered with Yes and no box is shown.
class YesToEveryQuestion : public platform::MessageService {
 public:
  YesToEveryQuestion() : FPrevious(platform::CurrentServices()) {
    platform::Services services = FPrevious;
    services.messages = this;
    platform::InstallServices(services);
  }
  ~YesToEveryQuestion() override { platform::InstallServices(FPrevious); }

  platform::MessageAnswer Show(QWidget*, const platform::MessageRequest&) override {
    return platform::MessageAnswer::Yes;
  }

 private:
  platform::Services FPrevious;
};

// With `mixed`, only every third text holds "the" (as in a game's table, a search for it
// lists about a third of the entries).
std::string WriteTable(const std::string& name, bool mixed) {
  const std::string file = (std::filesystem::temp_directory_path() /
                            ("bench-sorlith-" + std::to_string(::getpid()) + name + ".tlk"))
                               .string();
  TTLKFileHandler table;
  table.NewFile();
  for (int i = 0; i < kEntries; ++i) {
    auto entry = std::make_unique<TTLKString>();
    entry->SetText("Entry " + std::to_string(i) +
                   (mixed && i % 3 != 0
                        ? ": a quick brown fox jumps over a lazy dog near an old mill, and a "
                          "river."
                        : ": the quick brown fox jumps over the lazy dog near the old mill, "
                          "and the river."));
    entry->SetFlags(7);
    if (i % 3 == 0) entry->SetSoundResRef({'v', 'o', '_', 'l', 'i', 'n', 'e'});
    table.AddEntry(std::move(entry));
  }
  table.SaveToFile(file);
  return file;
}

const std::string& TablePath() {
  static const std::string path = WriteTable("", false);
  return path;
}

const std::string& MixedTablePath() {
  static const std::string path = WriteTable("-mixed", true);
  return path;
}

double PeakMegabytes() {
  return static_cast<double>(testing_support::PeakResidentBytes()) / (1024.0 * 1024.0);
}

// The floor of every figure here: the file's bytes read once.
void BM_ReadFileFloor(benchmark::State& state) {
  const std::string& path = TablePath();
  for (auto _ : state) benchmark::DoNotOptimize(platform::ReadWholeFile(path).size());
}
BENCHMARK(BM_ReadFileFloor)->Unit(benchmark::kMillisecond);

size_t HeapInUse() {
  const struct mallinfo2 info = ::mallinfo2();
  return info.uordblks + info.hblkhd;  // small blocks and mapped ones
}

double SecondsSince(std::chrono::steady_clock::time_point begin) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// Notes when the widget it watches has been painted.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget& widget) : FWidget(widget) { widget.installEventFilter(this); }
  ~PaintWatch() override { FWidget.removeEventFilter(this); }

  // Runs the window's events until the widget has been painted.
  void WaitForPaint() {
    FPainted = false;
    while (!FPainted) QCoreApplication::processEvents(QEventLoop::AllEvents);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) FPainted = true;
    return false;
  }

 private:
  QWidget& FWidget;
  bool FPainted = false;
};

// The program's start with the table opened and the window painted, as the user sees
// it before the first command.
std::unique_ptr<sorlith::TMainForm> OpenedWindow(const std::string& path) {
  auto form = std::make_unique<sorlith::TMainForm>();
  form->CreateForms();
  form->show();
  form->LoadFile(path);
  PaintWatch(*form->grid->viewport()).WaitForPaint();
  return form;
}

// The seconds a piece of work took: on the wall clock, and in CPU time of the process
// (its threads' and the system's for it, page faults included), which a machine busy
// with other work disturbs far less.
// The page faults the work took are counted too: on a virtual machine a fault of fresh
// memory costs from microseconds to milliseconds, which is most of what a first command
// costs beyond its repeat.
struct Elapsed {
  double wall = 0;
  double cpu = 0;
  double faults = 0;
  // Of the wall time, what the command itself took before the window's events ran (for
  // UntilPainted; the rest is the window's events and painting).
  double command = 0;
};

double CpuSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double PageFaults() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_minflt + usage.ru_majflt);
}

template <class Work>
Elapsed Measure(Work&& work) {
  const double faults = PageFaults();
  const double cpu = CpuSeconds();
  const auto begin = std::chrono::steady_clock::now();
  work();
  return {SecondsSince(begin), CpuSeconds() - cpu, PageFaults() - faults};
}

// From `command` to the grid painted, the window's events included.
template <class Command>
Elapsed UntilPainted(sorlith::TMainForm& form, Command&& command) {
  PaintWatch watch(*form.grid->viewport());
  double commandSeconds = 0;
  Elapsed elapsed = Measure([&] {
    const auto begin = std::chrono::steady_clock::now();
    command();
    commandSeconds = SecondsSince(begin);
    watch.WaitForPaint();
  });
  elapsed.command = commandSeconds;
  return elapsed;
}

// Show all entries in a fresh window: the file read once (the floor), the first show
// and its repeat, click to painted grid (wall, then CPU), the growth of the process
// (its resident set) for the first show, the heap the loaded table holds, the page
// faults of the first show and of its repeat, and the wall time of the first show's and
// the repeat's own command (the rest of each is the window's events and painting).
std::vector<double> FreshShow(const std::string& path) {
  const Elapsed read =
      Measure([&] { benchmark::DoNotOptimize(platform::ReadWholeFile(path).size()); });
  YesToEveryQuestion answers;
  const size_t heapBeforeLoad = HeapInUse();
  auto form = OpenedWindow(path);
  const size_t tableHeap = HeapInUse() - heapBeforeLoad;
  form->edStart->setText("0");
  form->edStop->setText(QString::number(kEntries - 1));
  const size_t residentBefore = ResidentBytes();
  const Elapsed first = UntilPainted(*form, [&] { form->btnShow->click(); });
  const double grown = static_cast<double>(ResidentBytes() - residentBefore);
  const Elapsed repeat = UntilPainted(*form, [&] { form->btnShow->click(); });
  return {read.wall,    first.wall,    repeat.wall,   read.cpu,
          first.cpu,    repeat.cpu,    grown,         static_cast<double>(tableHeap),
          first.faults, repeat.faults, first.command, repeat.command};
}

// The search for "the" without case in a fresh window: the first search, its repeat
// (both from the dialog's "&Search" to painted grid) and the matcher's walk over every
// entry, without the grid, in the same process (the median of three walks); wall, then
// CPU; the rows listed, the page faults of the first search and of its repeat, and the
// wall time of the first search's and the repeat's own command (without the window's
// events and painting).
std::vector<double> FreshSearch(const std::string& path) {
  auto form = OpenedWindow(path);
  sorlith::TSearchForm& dialog = form->SearchForm();
  dialog.SetEntryCount(static_cast<int32_t>(form->TalkTable().EntryCount()));
  dialog.btnReset->click();
  dialog.edString->setText(QStringLiteral("the"));
  const Elapsed first = UntilPainted(*form, [&] { form->RunSearch(); });
  const Elapsed repeat = UntilPainted(*form, [&] { form->RunSearch(); });
  const sorlith::TSearchCriteria criteria = dialog.Criteria();
  std::vector<double> walls, cpus;
  for (int i = 0; i < 3; ++i) {
    size_t listed = 0;
    const Elapsed walk = Measure([&] {
      sorlith::ForEachMatchingEntry(form->TalkTable(), criteria, 0, kEntries - 1,
                                    [&](const TTLKString&) { ++listed; });
    });
    benchmark::DoNotOptimize(listed);
    walls.push_back(walk.wall);
    cpus.push_back(walk.cpu);
  }
  std::sort(walls.begin(), walls.end());
  std::sort(cpus.begin(), cpus.end());
  return {first.wall,
          repeat.wall,
          walls[1],
          first.cpu,
          repeat.cpu,
          cpus[1],
          static_cast<double>(form->grid->RowCount() - 1),
          first.faults,
          repeat.faults,
          first.command,
          repeat.command};
}

// The work a fresh process of this program runs when started with "--fresh <what>
// <path>" (see main): its memory is new, as at a program's start. It prints the
// figures the work measured (seconds, bytes, rows).
int RunFreshWork(int argc, char** argv) {
  const std::string what = argv[2];
  const std::string path = argv[3];
  std::vector<double> figures;
  if (what == "memory") {
    const size_t before = HeapInUse();
    TTLKFileHandler table(path);
    figures = {static_cast<double>(HeapInUse() - before)};
  } else if (what == "read") {
    figures = {
        Measure([&] { benchmark::DoNotOptimize(platform::ReadWholeFile(path).size()); }).wall};
  } else if (what == "load") {
    figures = {Measure([&] {
                 TTLKFileHandler table(path);
                 benchmark::DoNotOptimize(table.EntryCount());
               }).wall};
  } else {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::Application application(argc, argv, "Sorlith");
    figures = what == "show" ? FreshShow(path) : FreshSearch(path);
  }
  for (double figure : figures) std::printf("%.9g\n", figure);
  return 0;
}

// Starts this program afresh for `what` on `path`; the figures it printed.
std::vector<double> RunFresh(const char* what, const std::string& path = TablePath()) {
  const std::string command =
      "/proc/" + std::to_string(::getpid()) + "/exe --fresh " + what + " '" + path + "'";
  FILE* child = ::popen(command.c_str(), "r");
  if (!child) std::abort();
  std::vector<double> figures;
  double figure = 0;
  while (std::fscanf(child, "%lf", &figure) == 1) figures.push_back(figure);
  if (::pclose(child) != 0 || figures.empty()) std::abort();
  return figures;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs `what` in `runs` fresh processes; figure k of every run, by k.
std::vector<std::vector<double>> FiguresOfFreshRuns(const char* what, const std::string& path,
                                                    int runs) {
  std::vector<std::vector<double>> byFigure;
  for (int run = 0; run < runs; ++run) {
    const std::vector<double> figures = RunFresh(what, path);
    byFigure.resize(figures.size());
    for (size_t k = 0; k < figures.size(); ++k) byFigure[k].push_back(figures[k]);
  }
  return byFigure;
}

// The ratio of two figures in each run.
std::vector<double> Ratios(const std::vector<double>& figures, const std::vector<double>& floors) {
  std::vector<double> ratios;
  for (size_t run = 0; run < figures.size(); ++run) ratios.push_back(figures[run] / floors[run]);
  return ratios;
}

// The median of the runs' ratios, and the lowest and highest, which show how noisy
// the runs were.
void AddRatioCounters(benchmark::State& state, const std::string& name,
                      const std::vector<double>& ratios) {
  state.counters[name] = Median(ratios);
  state.counters[name + "_min"] = *std::min_element(ratios.begin(), ratios.end());
  state.counters[name + "_max"] = *std::max_element(ratios.begin(), ratios.end());
}

// figures[run] - parts[run], run by run.
std::vector<double> Differences(const std::vector<double>& figures,
                                const std::vector<double>& parts) {
  std::vector<double> differences;
  for (size_t run = 0; run < figures.size(); ++run)
    differences.push_back(figures[run] - parts[run]);
  return differences;
}

// A command painted, split in two: its own work (`<name>_command_ms`) and the window's
// events and painting after it (`<name>_paint_ms`), medians over the runs.
void AddSplitCounters(benchmark::State& state, const std::vector<double>& painted,
                      const std::vector<double>& command, const std::string& name) {
  state.counters[name + "_command_ms"] = Median(command) * 1e3;
  state.counters[name + "_paint_ms"] = Median(Differences(painted, command)) * 1e3;
}

constexpr int kFreshWindows = 5;

// Show all 140,000 entries in a fresh window, click to painted grid: the first show and
// its repeat in the same window, medians of five fresh processes. The time is the
// first show's.
void BM_FirstShowInFreshWindow(benchmark::State& state) {
  std::vector<std::vector<double>> runs;
  for (auto _ : state) {
    runs = FiguresOfFreshRuns("show", TablePath(), kFreshWindows);
    state.SetIterationTime(Median(runs[1]));
  }
  state.counters["read_ms"] = Median(runs[0]) * 1e3;
  state.counters["repeat_ms"] = Median(runs[2]) * 1e3;
  AddRatioCounters(state, "x_repeat", Ratios(runs[1], runs[2]));
  state.counters["cpu_read_ms"] = Median(runs[3]) * 1e3;
  state.counters["cpu_first_ms"] = Median(runs[4]) * 1e3;
  state.counters["cpu_repeat_ms"] = Median(runs[5]) * 1e3;
  AddRatioCounters(state, "cpu_x_repeat", Ratios(runs[4], runs[5]));
  state.counters["grown_MB"] = Median(runs[6]) / 1e6;
  state.counters["table_heap_MB"] = Median(runs[7]) / 1e6;
  state.counters["faults_first"] = Median(runs[8]);
  state.counters["faults_repeat"] = Median(runs[9]);
  AddSplitCounters(state, runs[1], runs[10], "first");
  AddSplitCounters(state, runs[2], runs[11], "repeat");
}
BENCHMARK(BM_FirstShowInFreshWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The search for "the" (a third of the entries listed) in a fresh window, from the
// dialog's "&Search" to painted grid, against the matcher's walk over every entry in the
// same process; medians of five fresh processes. The time is the first search's.
void BM_FirstSearchInFreshWindow(benchmark::State& state) {
  std::vector<std::vector<double>> runs;
  for (auto _ : state) {
    runs = FiguresOfFreshRuns("search", MixedTablePath(), kFreshWindows);
    state.SetIterationTime(Median(runs[0]));
  }
  state.counters["repeat_ms"] = Median(runs[1]) * 1e3;
  state.counters["walk_ms"] = Median(runs[2]) * 1e3;
  AddRatioCounters(state, "x_walk", Ratios(runs[0], runs[2]));
  AddRatioCounters(state, "repeat_x_walk", Ratios(runs[1], runs[2]));
  state.counters["cpu_first_ms"] = Median(runs[3]) * 1e3;
  state.counters["cpu_repeat_ms"] = Median(runs[4]) * 1e3;
  state.counters["cpu_walk_ms"] = Median(runs[5]) * 1e3;
  AddRatioCounters(state, "cpu_x_walk", Ratios(runs[3], runs[5]));
  state.counters["rows"] = runs[6][0];
  state.counters["faults_first"] = Median(runs[7]);
  state.counters["faults_repeat"] = Median(runs[8]);
  AddSplitCounters(state, runs[0], runs[9], "first");
  AddSplitCounters(state, runs[1], runs[10], "repeat");
  // The window's events and painting after the first search, in walks: the part of
  // the figure no way of building the rows can take off.
  AddRatioCounters(state, "first_paint_x_walk", Ratios(Differences(runs[0], runs[9]), runs[2]));
}
BENCHMARK(BM_FirstSearchInFreshWindow)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Reports the time the work took in a fresh process.
void InFreshProcess(benchmark::State& state, const char* what) {
  for (auto _ : state) state.SetIterationTime(RunFresh(what)[0]);
}

void BM_ReadFileFloorFreshProcess(benchmark::State& state) { InFreshProcess(state, "read"); }
BENCHMARK(BM_ReadFileFloorFreshProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_LoadFreshProcess(benchmark::State& state) { InFreshProcess(state, "load"); }
BENCHMARK(BM_LoadFreshProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

// The heap a loaded table holds (its file's bytes included), against the file's size.
void BM_LoadedTableMemory(benchmark::State& state) {
  double bytes = 0;
  for (auto _ : state) bytes = RunFresh("memory")[0];
  state.counters["held_MB"] = bytes / 1e6;
  state.counters["x_file"] = bytes / static_cast<double>(std::filesystem::file_size(TablePath()));
}
BENCHMARK(BM_LoadedTableMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
  const std::string& path = TablePath();
  for (auto _ : state) {
    TTLKFileHandler table(path);
    benchmark::DoNotOptimize(table.EntryCount());
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_ShowAllEntries(benchmark::State& state) {
  YesToEveryQuestion answers;
  sorlith::TMainForm form;
  form.CreateForms();
  form.show();
  form.LoadFile(TablePath());
  for (auto _ : state) {
    form.edStart->setText("0");
    form.edStop->setText(QString::number(kEntries - 1));
    form.btnShowClick();
    benchmark::DoNotOptimize(form.grid->RowCount());
  }
  state.counters["rows"] = form.grid->RowCount() - 1;
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_ShowAllEntries)->Unit(benchmark::kMillisecond);

// Painting the grid with every entry shown, at the window's start size: with its own
// cells (0) and, for comparison, with the style's item painting (1).
void BM_PaintGridOfEntries(benchmark::State& state) {
  YesToEveryQuestion answers;
  QStyledItemDelegate byTheStyle;  // outlives the grid that may use it
  sorlith::TMainForm form;
  form.CreateForms();
  form.show();
  form.LoadFile(TablePath());
  form.edStart->setText("0");
  form.edStop->setText(QString::number(kEntries - 1));
  form.btnShowClick();
  if (state.range(0) == 1) form.grid->setItemDelegate(&byTheStyle);
  for (auto _ : state) benchmark::DoNotOptimize(form.grid->grab());
}
BENCHMARK(BM_PaintGridOfEntries)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The program's start (window and dialogs), File > Open and the display of every entry.
void BM_StartOpenShowAll(benchmark::State& state) {
  YesToEveryQuestion answers;
  const std::string& path = TablePath();
  for (auto _ : state) {
    auto form = std::make_unique<sorlith::TMainForm>();
    form->CreateForms();
    form->show();
    form->LoadFile(path);
    form->edStart->setText("0");
    form->edStop->setText(QString::number(kEntries - 1));
    form->btnShowClick();
    benchmark::DoNotOptimize(form->grid->RowCount());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartOpenShowAll)->Unit(benchmark::kMillisecond);

// 30 entries of one unbroken megabyte each: select a row (the memo shows it) and paint
// the window with the grid and the memo.
void BM_SelectAndPaintLongRow(benchmark::State& state) {
  const std::string path = TablePath() + ".long.tlk";
  {
    TTLKFileHandler table;
    table.NewFile();
    for (int i = 0; i < 30; ++i) {
      auto entry = std::make_unique<TTLKString>();
      entry->SetText(std::string(1 << 20, static_cast<char>('a' + i % 26)));
      table.AddEntry(std::move(entry));
    }
    table.SaveToFile(path);
  }
  YesToEveryQuestion answers;
  sorlith::TMainForm form;
  form.CreateForms();
  form.show();
  form.LoadFile(path);
  form.btnShowClick();
  form.grab();
  int row = 1;
  for (auto _ : state) {
    row = row % 30 + 1;
    form.grid->SetRow(row);
    form.gridClick();
    benchmark::DoNotOptimize(form.grab());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SelectAndPaintLongRow)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
  TTLKFileHandler table(TablePath());
  const std::string target = TablePath() + ".saved";
  for (auto _ : state) table.SaveToFile(target);
  std::filesystem::remove(target);
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--fresh") return RunFreshWork(argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::Application application(argc, argv, "Sorlith");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(TablePath());
  std::filesystem::remove(MixedTablePath());
  return 0;
}
