// A talk table of 140,000 entries (about 100 bytes of text each): load, show every
// entry in the main window's grid, save. Peak memory of the process is reported too.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include <QLineEdit>
#include <cstdlib>
#include <filesystem>

#include "platform/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Services.h"
#include "talktable/UMainForm.h"
#include "talktable/UTLKFile.h"

namespace {

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

const std::string& TablePath() {
  static const std::string path = [] {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("bench-sorlith-" + std::to_string(::getpid()) + ".tlk"))
                                 .string();
    TTLKFileHandler table;
    table.NewFile();
    for (int i = 0; i < kEntries; ++i) {
      auto entry = std::make_unique<TTLKString>();
      entry->SetText("Entry " + std::to_string(i) +
                     ": the quick brown fox jumps over the lazy dog near the old mill, "
                     "and the river.");
      entry->SetFlags(7);
      if (i % 3 == 0) entry->SetSoundResRef({'v', 'o', '_', 'l', 'i', 'n', 'e'});
      table.AddEntry(std::move(entry));
    }
    table.SaveToFile(file);
    return file;
  }();
  return path;
}

double PeakMegabytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
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

// The work a fresh process of this program runs when started with "--fresh <what>
// <path>" (see main): its memory is new, as at a program's start. It prints the
// seconds the work took, or for "memory" the heap bytes a loaded table holds.
int RunFreshWork(const std::string& what, const std::string& path) {
  if (what == "memory") {
    const size_t before = HeapInUse();
    TTLKFileHandler table(path);
    std::printf("%zu\n", HeapInUse() - before);
    return 0;
  }
  const auto begin = std::chrono::steady_clock::now();
  if (what == "read") {
    benchmark::DoNotOptimize(platform::ReadWholeFile(path).size());
  } else {
    TTLKFileHandler table(path);
    benchmark::DoNotOptimize(table.EntryCount());
  }
  std::printf("%.9f\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
  return 0;
}

// Starts this program afresh for `what`; the figure it printed.
double RunFresh(const char* what) {
  const std::string command =
      "/proc/" + std::to_string(::getpid()) + "/exe --fresh " + what + " '" + TablePath() + "'";
  FILE* child = ::popen(command.c_str(), "r");
  double figure = 0;
  if (!child || std::fscanf(child, "%lf", &figure) != 1) std::abort();
  ::pclose(child);
  return figure;
}

// Reports the time the work took in a fresh process.
void InFreshProcess(benchmark::State& state, const char* what) {
  for (auto _ : state) state.SetIterationTime(RunFresh(what));
}

void BM_ReadFileFloorFreshProcess(benchmark::State& state) { InFreshProcess(state, "read"); }
BENCHMARK(BM_ReadFileFloorFreshProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_LoadFreshProcess(benchmark::State& state) { InFreshProcess(state, "load"); }
BENCHMARK(BM_LoadFreshProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

// The heap a loaded table holds (its file's bytes included), against the file's size.
void BM_LoadedTableMemory(benchmark::State& state) {
  double bytes = 0;
  for (auto _ : state) bytes = RunFresh("memory");
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
  if (argc == 4 && std::string(argv[1]) == "--fresh") return RunFreshWork(argv[2], argv[3]);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::Application application(argc, argv, "Sorlith");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(TablePath());
  return 0;
}
