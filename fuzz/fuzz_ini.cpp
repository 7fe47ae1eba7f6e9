// Fuzzes the INI accessor: random file content, then reads and a run of one to eight
// writes, deletes, erases and key reorderings. Never a crash; the parse gives back the
// content byte for byte; after each change every other key of the section is as it was,
// a written key reads back and a second accessor opened afterwards sees what the first
// one sees; the whole run made in one batch leaves the same bytes as the calls made one
// by one.
//
// Input (FuzzedDataProvider): the number of operations, then per operation its kind and
// section, key and value as backslash-terminated strings; the file content in what is
// left.
//
// Names the accessor refuses (RefusedSectionName, RefusedKeyName) must be refused with
// the file untouched; a written key is checked to read back when its names and value
// are fuzzable (fuzz/IniFuzzing.h).
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "formats/UKV_IniFile.h"
#include "fuzz/IniFuzzing.h"
#include "platform/Exceptions.h"
#include "platform/PrivateProfile.h"
#include "platform/Text.h"

namespace {

using namespace ini_fuzzing;
using Entries = std::vector<std::pair<std::string, std::string>>;

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

struct Operation {
  enum class Kind : uint8_t { Write, Delete, Erase, PutKeysFirst };
  Kind kind;
  std::string section, key, value;
};

void Run(TKV_Inifile& ini, const Operation& operation) {
  switch (operation.kind) {
    case Operation::Kind::Write:
      ini.WriteString(operation.section, operation.key, operation.value);
      break;
    case Operation::Kind::Delete:
      ini.DeleteKey(operation.section, operation.key);
      break;
    case Operation::Kind::Erase:
      ini.EraseSection(operation.section);
      break;
    case Operation::Kind::PutKeysFirst:
      ini.PutKeysFirst(operation.section, {operation.value}, {{operation.key, operation.value}});
      break;
  }
}

// One operation on the file as it stands, with the checks of its kind.
void CheckOne(const std::string& path, const Operation& operation) {
  switch (operation.kind) {
    case Operation::Kind::Write:
      CheckWrite(path, operation.section, operation.key, operation.value);
      break;
    case Operation::Kind::Delete:
      CheckDelete(path, operation.section, operation.key);
      break;
    case Operation::Kind::Erase:
      CheckErase(path, operation.section);
      break;
    case Operation::Kind::PutKeysFirst: {
      TKV_Inifile ini(path);
      try {
        Run(ini, operation);
      } catch (const platform::EIniFileException&) {
        return;
      }
      CheckAgreesWithFresh(ini, path, operation.section);
      break;
    }
  }
}

// The run in one batch, from the same content: the bytes the calls made one by one left.
// A refused call is refused in the batch too, and the batch goes on.
void CheckBatchLeavesTheSameBytes(const std::string& path, const std::string& content,
                                  const std::vector<Operation>& operations,
                                  const std::string& oneByOne) {
  WriteFile(path, content);
  {
    TKV_Inifile ini(path);
    TIniBatch batch(ini);
    for (const Operation& operation : operations) {
      try {
        Run(ini, operation);
      } catch (const platform::EIniFileException&) {
      }
    }
    batch.UpdateFile();
  }
  Check(ReadFile(path) == oneByOne, "a batch left other bytes than the same calls one by one");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<Operation> operations(input.ConsumeIntegralInRange<size_t>(1, 8));
  for (Operation& operation : operations) {
    operation.kind = static_cast<Operation::Kind>(input.ConsumeIntegralInRange<uint8_t>(0, 3));
    operation.section = input.ConsumeRandomLengthString(40);
    operation.key = input.ConsumeRandomLengthString(40);
    operation.value = input.ConsumeRandomLengthString(80);
  }
  const std::string content = input.ConsumeRemainingBytesAsString();

  Check(platform::ProfileText(content).Content() == content,
        "the parse does not give back the content");
  static const std::string path = FilePath("changes.ini");
  WriteFile(path, content);
  {
    TKV_Inifile ini(path);
    for (const Operation& operation : operations) {
      ini.ReadString(operation.section, operation.key, operation.value);
      ini.ReadInteger(operation.section, operation.key, 7);
      ini.ReadBool(operation.section, operation.key, true);
      ini.SectionExists(operation.section);
      for (const std::string& line : ini.ReadSectionValues(operation.section)) (void)line;
    }
  }
  for (const Operation& operation : operations) CheckOne(path, operation);
  CheckBatchLeavesTheSameBytes(path, content, operations, ReadFile(path));
  ::unlink(path.c_str());
  return 0;
}
