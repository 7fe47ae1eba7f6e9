// The two loads the INI accessor carries: a pane that lists a 2,000-key section and
// reads every value each time it is shown, and a compare that writes 5,000 new keys one
// by one into one section of a growing file. Files live in a folder on disk ($TMPDIR or
// /tmp), and for the writes also in /dev/shm, where fsync costs nothing: the difference
// is the price of making every write durable.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "formats/UKV_IniFile.h"

namespace {

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

// A changes.ini with a few small sections around the one the benchmark works on.
std::string SurroundedSection(const std::string& section, int keyCount) {
  std::string content =
      "; "
      "generated\r\n[Settings]\r\nVersion=1\r\nLogLevel=3\r\n\r\n[2DAList]\r\nTable0=appearance."
      "2da\r\n\r\n";
  content += "[" + section + "]\r\n";
  for (int i = 0; i < keyCount; ++i)
    content +=
        "ChangeRow" + std::to_string(i) + "=change_row_" + std::to_string(i) + "<#LF#>note\r\n";
  content += "\r\n[GFFList]\r\nFile0=a.utc\r\n\r\n[InstallList]\r\ninstall_folder0=override\r\n";
  return content;
}

void ShowPane(TKV_Inifile& ini, const std::string& section) {
  for (const std::string& key : ini.ReadSection(section))
    benchmark::DoNotOptimize(ini.ReadString(section, key, ""));
}

// Arg 0: the file was written long enough ago for the cache to be trusted on its time
// stamps. Arg 1: the file was just written, so every call also reads and compares it.
void BM_PaneOf2000Keys(benchmark::State& state) {
  const bool justWritten = state.range(0) == 1;
  ScratchFolder folder(DiskFolder());
  const std::string path = folder.File("changes.ini");
  std::ofstream(path, std::ios::binary) << SurroundedSection("appearance.2da", 2000);
  TKV_Inifile ini(path);
  if (!justWritten) std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  for (auto _ : state) {
    if (justWritten) {
      state.PauseTiming();
      ini.WriteString("Settings", "LogLevel", "3");
      state.ResumeTiming();
    }
    ShowPane(ini, "appearance.2da");
  }
  state.SetLabel(justWritten ? "file just written" : "file settled");
}
BENCHMARK(BM_PaneOf2000Keys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Arg 0: on disk; Arg 1: in /dev/shm.
void BM_Write5000NewKeys(benchmark::State& state) {
  const bool inMemory = state.range(0) == 1;
  ScratchFolder folder(inMemory ? "/dev/shm" : DiskFolder());
  const std::string path = folder.File("changes.ini");
  for (auto _ : state) {
    state.PauseTiming();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << SurroundedSection("appearance.2da", 0);
    state.ResumeTiming();
    TKV_Inifile ini(path);
    for (int i = 0; i < 5000; ++i)
      ini.WriteString("appearance.2da", "ChangeRow" + std::to_string(i),
                      "change_row_" + std::to_string(i));
  }
  state.SetLabel(inMemory ? "/dev/shm" : "disk");
}
BENCHMARK(BM_Write5000NewKeys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
