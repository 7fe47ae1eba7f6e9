// The table-wide commands of Sorlith on a game-sized talk table: deleting the first
// entry (every later entry is renumbered) and appending another table of 50,000
// entries (read from its bytes, then copied to the end). With the window built, the
// same two commands also run through the main window, refreshed grid included, with
// every dialog answered at once.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "talktable/UTLKFile.h"

#ifdef MT_BENCH_WINDOW
#include <unistd.h>

#include <QDialog>
#include <QLineEdit>
#include <filesystem>
#include <fstream>

#include "platform/ui/Application.h"
#include "platform/ui/StringGrid.h"
#include "talktable/UMainForm.h"
#endif

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

#ifdef MT_BENCH_WINDOW

// Dialogs end with OK, boxes are answered at once, the file dialog picks FPath.
class AnsweringServices : public platform::MessageService,
                          public platform::FileDialogService,
                          public platform::ModalService {
 public:
  platform::MessageAnswer Show(QWidget*, const platform::MessageRequest&) override {
    return platform::MessageAnswer::Ok;
  }
  std::vector<std::string> Run(QWidget*, const platform::FileDialogRequest&) override {
    return {FPath};
  }
  int Run(QDialog&) override { return QDialog::Accepted; }
  std::string FPath;
};

AnsweringServices& Answers() {
  static AnsweringServices services;
  return services;
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("bench-sorlith-" + std::to_string(::getpid()) + "-" + name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

void BM_WindowDeleteFirstEntry(benchmark::State& state) {
  const std::string path = WriteFile("table.tlk", TableBytes(kTableEntries));
  sorlith::TMainForm form;
  form.CreateForms();
  form.LoadFile(path);
  form.edStop->setText("1000");
  form.btnShowClick();
  for (auto _ : state) {
    form.grid->SetRow(1);  // StrRef 0
    form.Deleteselected1Click();
    state.PauseTiming();
    form.TalkTable().AddEntry(std::make_unique<TTLKString>());
    state.ResumeTiming();
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_WindowDeleteFirstEntry)->Unit(benchmark::kMillisecond);

void BM_WindowAppendFile(benchmark::State& state) {
  const std::string path = WriteFile("table.tlk", TableBytes(kTableEntries));
  Answers().FPath = WriteFile("append.tlk", TableBytes(kAppendedEntries));
  sorlith::TMainForm form;
  form.CreateForms();
  for (auto _ : state) {
    state.PauseTiming();
    form.LoadFile(path);
    state.ResumeTiming();
    form.Appendfile1Click();
  }
  std::filesystem::remove(path);
  std::filesystem::remove(Answers().FPath);
}
BENCHMARK(BM_WindowAppendFile)->Unit(benchmark::kMillisecond);

#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef MT_BENCH_WINDOW
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  platform::Application application(argc, argv, "Sorlith");
  platform::Services services = platform::CurrentServices();
  services.messages = &Answers();
  services.fileDialogs = &Answers();
  services.modals = &Answers();
  platform::InstallServices(services);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
