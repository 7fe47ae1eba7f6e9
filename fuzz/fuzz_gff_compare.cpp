// Fuzzes the GFF compare: an unaltered and a modified copy made from one input as two
// small field trees that share some fields (the same or another value, another type)
// and each have fields of their own, with labels of any bytes; compared onto a small
// changes.ini in one batch, as the command runs it. Never a crash; the only exception is
// the reader's EGFFError for a path the unaltered copy cannot follow. Afterwards a fresh
// accessor reads the file back and every new-field section the compare listed, at any
// depth, names its field type.
//
// Input (FuzzedDataProvider): per field its kind, type, label and values, Structs and
// Lists holding more fields down to a small depth.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>
#include <unordered_set>
#include <vector>

#include "configeditor/rules/UGffCompare.h"
#include "formats/UGFFFile.h"
#include "formats/UKV_IniFile.h"
#include "fuzz/IniFuzzing.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "tests/support/GameFileBuilders.h"

namespace {

using ini_fuzzing::Check;
using ini_fuzzing::FilePath;

using game_file_builders::GffBuilder;
using game_file_builders::U32Bytes;

constexpr char kFileSection[] = "p.utc";
const std::string kHead = "[Settings]\r\nFileExists=1\r\n[GFFList]\r\nFile0=p.utc\r\n";
constexpr int kMaxDepth = 3;

std::string Label(FuzzedDataProvider& input) {
  static const char* const kLabels[] = {"A",   "Tag", "a]b",       "t\t",
                                        "x=y", ";c",  "AddField0", "!Destination"};
  if (input.ConsumeBool()) return kLabels[input.ConsumeIntegralInRange<size_t>(0, 7)];
  return input.ConsumeRandomLengthString(16);
}

// The field data of a value type: the text or bytes it is read from.
std::string ValueBytes(FuzzedDataProvider& input, uint32_t type) {
  const std::string text = input.ConsumeRandomLengthString(8);
  switch (type) {
    case 6:
    case 7:
    case 9:
      return input.ConsumeBytesAsString(8) + std::string(8, '\0');
    case 10:
      return GffBuilder::ExoString(text);
    case 11:
      return GffBuilder::ResRef(text.substr(0, 16));
    case 12:
      return GffBuilder::LocString(input.ConsumeIntegral<uint32_t>(),
                                   {{input.ConsumeIntegralInRange<uint32_t>(0, 3), text}});
    case 13:
      return U32Bytes(static_cast<uint32_t>(text.size())) + text;
    case 16:
      return input.ConsumeBytesAsString(16) + std::string(16, '\0');
    case 17:
      return input.ConsumeBytesAsString(12) + std::string(12, '\0');
    default:
      return {};
  }
}

// Both copies are built side by side; a field stands in one of them or in both.
struct TCopies {
  std::array<GffBuilder, 2> files;
};

void AddFields(FuzzedDataProvider& input, TCopies& copies, const std::array<int64_t, 2>& parents,
               int depth);

void AddField(FuzzedDataProvider& input, TCopies& copies, const std::array<int64_t, 2>& parents,
              int depth) {
  const std::string label = Label(input);
  const uint8_t presence = input.ConsumeIntegralInRange<uint8_t>(0, 3);  // 3: both
  std::array<uint32_t, 2> types;
  types[0] = types[1] = input.ConsumeIntegralInRange<uint32_t>(0, 17);
  if (input.ConsumeIntegralInRange<int>(0, 7) == 0)
    types[1] = input.ConsumeIntegralInRange<uint32_t>(0, 17);
  std::array<int64_t, 2> inner = {-1, -1};
  for (int copy = 0; copy < 2; ++copy) {
    if (parents[copy] < 0 || (presence != 3 && presence != copy + 1)) continue;
    GffBuilder& b = copies.files[copy];
    const auto parent = static_cast<uint32_t>(parents[copy]);
    const uint32_t type = types[copy];
    if (type == 14 && depth < kMaxDepth) {
      const uint32_t child = b.AddStruct(input.ConsumeIntegralInRange<uint32_t>(0, 3));
      b.AddStructField(parent, label, child);
      inner[copy] = child;
    } else if (type == 15 && depth < kMaxDepth) {
      std::vector<uint32_t> elements(input.ConsumeIntegralInRange<size_t>(0, 2));
      for (uint32_t& element : elements) element = b.AddStruct(1);
      b.AddList(parent, label, elements);
      // The first element takes the fields below; both copies' first elements pair.
      if (!elements.empty()) inner[copy] = elements.front();
    } else if (type == 14 || type == 15 || type <= 5 || type == 8) {
      b.AddSimple(parent, type == 14 || type == 15 ? 5 : type, label,
                  input.ConsumeIntegralInRange<uint32_t>(0, 2));
    } else {
      b.AddComplex(parent, type, label, ValueBytes(input, type));
    }
  }
  if (inner[0] >= 0 || inner[1] >= 0) AddFields(input, copies, inner, depth + 1);
}

void AddFields(FuzzedDataProvider& input, TCopies& copies, const std::array<int64_t, 2>& parents,
               int depth) {
  const size_t count = input.ConsumeIntegralInRange<size_t>(0, 4);
  for (size_t i = 0; i < count && input.remaining_bytes() > 0; ++i)
    AddField(input, copies, parents, depth);
}

// Every section listed under an "AddField" key, from the file's section down.
void CheckNewFieldsReadBack(const std::string& path) {
  TKV_Inifile ini(path);
  std::vector<std::string> pending = {kFileSection};
  std::unordered_set<std::string> seen;
  while (!pending.empty()) {
    const std::string section = pending.back();
    pending.pop_back();
    if (!seen.insert(platform::AsciiLowerCase(section)).second) continue;
    for (const std::string& key : ini.ReadSection(section)) {
      if (!platform::StartsWithAsciiNoCase(key, "AddField")) continue;
      const std::string listed = ini.ReadString(section, key, "");
      Check(!ini.ReadString(listed, "FieldType", "").empty(),
            "an AddField key names no new-field section");
      pending.push_back(listed);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  TCopies copies;
  const std::array<int64_t, 2> roots = {copies.files[0].AddStruct(0xFFFFFFFF),
                                        copies.files[1].AddStruct(0xFFFFFFFF)};
  AddFields(input, copies, roots, 0);
  TGFFFile unaltered;
  TGFFFile modified;
  try {
    unaltered.LoadFromMemory(copies.files[0].Build(), "unaltered.utc");
    modified.LoadFromMemory(copies.files[1].Build(), "modified.utc");
  } catch (const EGFFError&) {
    return 0;
  }

  const std::string path = FilePath("gff_compare.ini");
  if (!platform::TryReplaceFile(path, kHead)) return 0;
  try {
    TKV_Inifile ini(path);
    TIniBatch batch(ini);
    quennet::CompareLoadedGffFiles(ini, kFileSection, unaltered, modified, {});
    batch.UpdateFile();
  } catch (const EGFFError&) {
    // A path the unaltered copy cannot follow stops the compare; what it wrote before
    // stands and must read back too.
  }
  CheckNewFieldsReadBack(path);
  ::unlink(path.c_str());
  return 0;
}
