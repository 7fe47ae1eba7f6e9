// The 2DA compare: an original and a modified table, paired by row and column position,
// written as modifiers of one 2DA file's section in changes.ini: an AddColumn modifier
// per new column, a ChangeRow modifier per row with differing cells, an AddRow
// modifier per new row, in this order. Nothing is ever removed: rows and columns the
// modified table lacks are skipped with a warning.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "configeditor/rules/UUnheldChanges.h"
#include "formats/U2DAEdit.h"
#include "formats/UKV_IniFile.h"

namespace quennet {

struct T2daCompareCounts {
  int32_t newColumns = 0;
  int32_t newRows = 0;
  int32_t modifiedCells = 0;
};

struct T2daCompareResult {
  T2daCompareCounts counts;
  // Cells changes.ini cannot hold as they stand, by row and column.
  TUnheldChanges unheld;
};

// What the compare asks of its caller: the warnings (the compare goes on after each),
// and a moment between its phases in which pending window messages may run.
struct T2daCompareCalls {
  std::function<void(const std::string&)> warn;
  std::function<void()> betweenPhases;
};

// The beginning of the generated labels: the file name in lower case cut before its
// first ".2da"; "c_" when it holds none or begins with it.
std::string CompareLabelPrefix(std::string_view fileName);
// Blanks as "_", all in lower case.
std::string LabelFragment(std::string_view text);

// The labels a compare gives its modifiers: `base` made a name changes.ini can hold (row
// labels and cells may hold anything, see HoldableSectionName; cut so that the label reads
// back whole as its key's value), + "_" + the least number from 0 that names nothing in
// use: no value of the file's section, nothing a label typed by the user could not take
// either (IsModifierLabelInUse), and no label made before. The names in use are gathered
// once. Names are only added while a compare runs, so the numbers of a base found taken
// are not tried again: rows sharing one name cost no more than as many names.
class TUniqueModifierLabels {
 public:
  TUniqueModifierLabels(TCustomIniFile& ini, const std::string& fileSection);
  std::string UniqueModifierLabel(const std::string& base);

 private:
  bool InUse(const std::string& folded, const std::string& label);

  TCustomIniFile& FIni;
  std::unordered_set<std::string> FFolded;
  // Folded base to the least number not yet known to be taken.
  std::unordered_map<std::string, int32_t> FNextNumber;
};

// Compares `original` with `modified` and writes the modifiers into `fileSection`. A cell
// changes.ini cannot hold at all is neither written nor counted.
T2daCompareResult Compare2daTables(TCustomIniFile& ini, const std::string& fileSection,
                                   const T2DAHandler& original, const T2DAHandler& modified,
                                   const T2daCompareCalls& calls);

// The summary box's text.
std::string CompareSummary(const std::string& fileSection, const T2daCompareCounts& counts);

}  // namespace quennet
