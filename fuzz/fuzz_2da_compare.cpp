// Fuzzes the 2DA compare: two small tables made from one input (labels and cells of any
// bytes, "]", blanks and zero bytes included), compared onto a small changes.ini that the
// input may extend, in one batch as the command runs it. Never a crash and no exception
// from the compare; afterwards a fresh accessor reads the file back and every modifier
// key the compare listed names the section that holds its modifier: a ChangeRow section
// holds its row index, an AddColumn section its column label.
//
// Input (FuzzedDataProvider): the column and row counts of both tables, then each label
// and cell as a short string; what is left is appended to changes.ini.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "configeditor/rules/U2daCompare.h"
#include "formats/U2DAEdit.h"
#include "formats/UKV_IniFile.h"
#include "fuzz/IniFuzzing.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "tests/support/GameFileBuilders.h"

namespace {

using ini_fuzzing::Check;
using ini_fuzzing::FilePath;

constexpr char kFileSection[] = "appearance.2da";
const std::string kHead = "[Settings]\r\nFileExists=1\r\n[2DAList]\r\nTable0=appearance.2da\r\n";

// Short texts, often one of the few that name or hold something the file treats apart.
std::string Text(FuzzedDataProvider& input) {
  static const char* const kTexts[] = {"label", "****", "a]b", " x ", "\"q\"", "a=b", ";c", "[d"};
  if (input.ConsumeBool()) return kTexts[input.ConsumeIntegralInRange<size_t>(0, 7)];
  return input.ConsumeRandomLengthString(12);
}

// A table of the given columns, with its own row count and cells; nothing when the bytes
// do not load (a label holding a tab or a zero byte).
bool LoadTable(FuzzedDataProvider& input, const std::vector<std::string>& columns,
               T2DAHandler& table) {
  std::vector<std::vector<std::string>> rows(input.ConsumeIntegralInRange<size_t>(0, 5));
  for (auto& row : rows) {
    for (size_t column = 0; column < columns.size(); ++column) row.push_back(Text(input));
  }
  try {
    table.LoadFromMemory(game_file_builders::TwoDaBuilder::Table(columns, rows).Build(), "t.2da");
  } catch (const EDead&) {
    return false;
  }
  return true;
}

std::vector<std::string> Columns(FuzzedDataProvider& input, size_t count) {
  std::vector<std::string> columns;
  for (size_t i = 0; i < count; ++i) columns.push_back(Text(input));
  return columns;
}

std::unordered_set<std::string> FoldedKeys(TCustomIniFile& ini) {
  std::unordered_set<std::string> keys;
  for (const std::string& key : ini.ReadSection(kFileSection))
    keys.insert(platform::AsciiLowerCase(key));
  return keys;
}

// The keys the compare added to the file's section.
void CheckModifiersReadBack(const std::string& path, const std::unordered_set<std::string>& before,
                            int32_t modifiedRows) {
  TKV_Inifile ini(path);
  for (const std::string& key : ini.ReadSection(kFileSection)) {
    if (before.count(platform::AsciiLowerCase(key)) != 0) continue;
    const std::string label = ini.ReadString(kFileSection, key, "");
    if (platform::StartsWithAsciiNoCase(key, "ChangeRow")) {
      const int32_t row = ini.ReadInteger(label, "RowIndex", -1);
      Check(row >= 0 && row < modifiedRows, "a ChangeRow key names no section of its row");
    }
    if (platform::StartsWithAsciiNoCase(key, "AddColumn"))
      Check(ini.SectionExists(label), "an AddColumn key names no section");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::vector<std::string> originalColumns =
      Columns(input, input.ConsumeIntegralInRange<size_t>(1, 3));
  std::vector<std::string> modifiedColumns = originalColumns;
  if (input.ConsumeBool()) modifiedColumns.resize(input.ConsumeIntegralInRange<size_t>(1, 3));
  for (std::string& column : modifiedColumns) {
    if (column.empty() || input.ConsumeBool()) column = Text(input);
  }
  T2DAHandler original;
  T2DAHandler modified;
  if (!LoadTable(input, originalColumns, original) || !LoadTable(input, modifiedColumns, modified))
    return 0;

  const std::string path = FilePath("2da_compare.ini");
  // Lines of the input after the head: sections and keys the compare must work around.
  if (!platform::TryReplaceFile(path, kHead + input.ConsumeRemainingBytesAsString())) return 0;
  std::unordered_set<std::string> before;
  {
    TKV_Inifile ini(path);
    before = FoldedKeys(ini);
    TIniBatch batch(ini);
    const quennet::T2daCompareResult result = quennet::Compare2daTables(
        ini, kFileSection, original, modified, {[](const std::string&) {}, [] {}});
    batch.UpdateFile();
    Check(result.counts.modifiedCells >= 0, "a negative count");
  }
  CheckModifiersReadBack(path, before, modified.RowCount());
  ::unlink(path.c_str());
  return 0;
}
