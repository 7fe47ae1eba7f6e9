// Fuzzes the INI accessor: random file content, then reads and one write, delete or
// erase. Never a crash; the parse gives back the content byte for byte; a change leaves
// every other key of the section as it was; a written key reads back; a second accessor
// opened afterwards sees what the first one sees; the same change made in a batch leaves
// the same bytes.
//
// Input: section, key and value as backslash-terminated strings (FuzzedDataProvider),
// the operation in the last byte, the file content in what is left.
//
// Names the accessor refuses (RefusedSectionName, RefusedKeyName) must be refused with
// the file untouched. A written key is checked to read back only when its names and
// value are ones the INI rules can carry: a fuzzable section name is one that is not
// refused and has no leading or trailing blank; a fuzzable key name likewise. A fuzzable value
// holds no NUL and no escape text, and its stored (escaped) form has no leading or trailing blank,
// is not enclosed in a matching pair of quotes and has at most 2047 characters.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "formats/UKV_Common.h"
#include "formats/UKV_IniFile.h"
#include "platform/Exceptions.h"
#include "platform/PrivateProfile.h"
#include "platform/Text.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_ini: %s\n", what);
  std::abort();
}

void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

std::string FilePath() {
  // A RAM-backed folder keeps the fsync of every write cheap.
  const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(folder) + "/fuzz_ini-" + std::to_string(::getpid()) + ".ini";
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool HasEdgeBlank(std::string_view text) {
  return !text.empty() &&
         (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' || text.back() == '\t');
}

bool IsFuzzableSection(const std::string& name) {
  return !RefusedSectionName(name) && !HasEdgeBlank(name);
}

bool IsFuzzableKey(const std::string& name) { return !RefusedKeyName(name) && !HasEdgeBlank(name); }

std::string Encoded(std::string_view value) {
  return ReplaceAll(ReplaceAll(value, "\n", "<#LF#>"), "\r", "<#CR#>");
}

bool IsFuzzableValue(std::string_view value) {
  if (value.find('\0') != std::string_view::npos) return false;
  if (value.find("<#LF#>") != std::string_view::npos ||
      value.find("<#CR#>") != std::string_view::npos)
    return false;
  std::string stored = Encoded(value);
  bool quoted = stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
                stored.back() == stored.front();
  return !HasEdgeBlank(stored) && !quoted && stored.size() <= 2047;
}

Entries RawEntries(TIniFile& ini, const std::string& section) {
  Entries entries;
  for (const std::string& key : ini.ReadSection(section))
    entries.emplace_back(key, ini.ReadString(section, key, ""));
  return entries;
}

bool SameName(std::string_view a, std::string_view b) { return platform::SameTextAscii(a, b); }

// The accessor that changed the file and one opened afterwards see the same keys.
void CheckAgreesWithFresh(TKV_Inifile& used, const std::string& path, const std::string& section) {
  TKV_Inifile fresh(path);
  Check(RawEntries(used, section) == RawEntries(fresh, section),
        "a fresh accessor sees other keys");
}

void CheckWrite(const std::string& path, const std::string& section, const std::string& key,
                const std::string& value) {
  TKV_Inifile ini(path);
  TIniFile raw(path);
  const std::string before = ReadFile(path);
  Entries expected = RawEntries(raw, section);
  bool refused = RefusedSectionName(section) || RefusedKeyName(key);
  try {
    ini.WriteString(section, key, value);
    Check(!refused, "a name the file cannot hold was written");
  } catch (const platform::EIniFileException&) {
    Check(refused, "a write failed");
    Check(ReadFile(path) == before, "a refused write changed the file");
    return;
  }
  if (!IsFuzzableSection(section) || !IsFuzzableKey(key) || !IsFuzzableValue(value)) return;
  Check(ini.ReadString(section, key, "\x01") == value, "a written value does not read back");
  std::string stored = Encoded(value);
  bool replaced = false;
  for (auto& [name, old] : expected)
    if (SameName(name, key)) {
      old = stored;
      replaced = true;
    }
  if (!replaced) expected.emplace_back(key, stored);
  Check(RawEntries(raw, section) == expected, "a write disturbed the other keys of its section");
  Check(ini.SectionExists(section), "a written section does not exist");
  CheckAgreesWithFresh(ini, path, section);
}

void CheckDelete(const std::string& path, const std::string& section, const std::string& key) {
  TKV_Inifile ini(path);
  TIniFile raw(path);
  const std::string before = ReadFile(path);
  Entries expected = RawEntries(raw, section);
  std::string_view trimmed = key;
  while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t'))
    trimmed.remove_prefix(1);
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
    trimmed.remove_suffix(1);
  // A delete removes the line that counts; a later line of the name may come to light.
  auto others = [&](Entries entries) {
    std::erase_if(entries, [&](const auto& entry) { return SameName(entry.first, trimmed); });
    return entries;
  };
  const bool listed = others(expected).size() != expected.size();
  ini.DeleteKey(section, key);
  if (!listed) Check(ReadFile(path) == before, "deleting an absent key changed the file");
  Check(others(RawEntries(raw, section)) == others(expected),
        "a delete disturbed the other keys of its section");
  CheckAgreesWithFresh(ini, path, section);
}

void CheckErase(const std::string& path, const std::string& section) {
  TKV_Inifile ini(path);
  ini.EraseSection(section);
  Check(!ini.SectionExists(section), "an erased section still exists");
  CheckAgreesWithFresh(ini, path, section);
}

// The operation once call by call and once in a batch, from the same content: the same bytes.
void CheckBatchLeavesTheSameBytes(const std::string& path, const std::string& content,
                                  const std::function<void(TKV_Inifile&)>& operation) {
  auto run = [&](bool inBatch) {
    WriteFile(path, content);
    TKV_Inifile ini(path);
    try {
      if (inBatch) {
        TIniBatch batch(ini);
        operation(ini);
        batch.UpdateFile();
      } else {
        operation(ini);
      }
    } catch (const platform::EIniFileException&) {
    }
    return ReadFile(path);
  };
  Check(run(false) == run(true), "a batch left other bytes than the same calls one by one");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(40);
  const std::string key = input.ConsumeRandomLengthString(40);
  const std::string value = input.ConsumeRandomLengthString(80);
  const uint8_t operation = input.ConsumeIntegral<uint8_t>();
  const std::string content = input.ConsumeRemainingBytesAsString();

  Check(platform::ProfileText(content).Content() == content,
        "the parse does not give back the content");
  static const std::string path = FilePath();
  WriteFile(path, content);
  {
    TKV_Inifile ini(path);
    ini.ReadString(section, key, value);
    ini.ReadInteger(section, key, 7);
    ini.ReadBool(section, key, true);
    ini.SectionExists(section);
    for (const std::string& line : ini.ReadSectionValues(section)) (void)line;
  }
  switch (operation % 3) {
    case 0:
      CheckWrite(path, section, key, value);
      CheckBatchLeavesTheSameBytes(path, content, [&](TKV_Inifile& ini) {
        ini.WriteString(section, key, value);
        ini.DeleteKey(section, key);
        ini.WriteString(section, key, value);
      });
      break;
    case 1:
      CheckDelete(path, section, key);
      CheckBatchLeavesTheSameBytes(path, content, [&](TKV_Inifile& ini) {
        ini.DeleteKey(section, key);
        ini.WriteString(key, section, value);
      });
      break;
    default:
      CheckErase(path, section);
      CheckBatchLeavesTheSameBytes(path, content, [&](TKV_Inifile& ini) {
        ini.EraseSection(section);
        ini.PutKeysFirst(key, {section}, {{section, value}});
      });
      break;
  }
  ::unlink(path.c_str());
  return 0;
}
