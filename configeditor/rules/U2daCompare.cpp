#include "configeditor/rules/U2daCompare.h"

#include <algorithm>
#include <optional>

#include "configeditor/rules/U2daModifierKeys.h"
#include "configeditor/rules/UModifierSections.h"
#include "platform/Text.h"

namespace quennet {

namespace {

constexpr char kBlankCell[] = "****";

// "I" + the row index. (Built by append: g++ 12 warns falsely on "I" + std::to_string.)
std::string RowIndexKey(int32_t row) {
  std::string key = "I";
  key.append(std::to_string(row));
  return key;
}

// The next key of each kind: the least number from 0 that no key of the file's section
// takes, empty values included. Keys are only added, so each kind's number only grows.
class TModifierKeys {
 public:
  TModifierKeys(TCustomIniFile& ini, const std::string& fileSection) {
    for (const std::string& key : ini.ReadSection(fileSection)) {
      FFolded.insert(platform::AsciiLowerCase(key));
    }
  }

  std::string Next(T2daModifierKind kind) {
    int32_t& number = FNext[static_cast<size_t>(kind)];
    std::string key;
    do {
      key = std::string(KindWord(kind)) + std::to_string(number++);
    } while (!FFolded.insert(platform::AsciiLowerCase(key)).second);
    return key;
  }

 private:
  std::unordered_set<std::string> FFolded;
  int32_t FNext[kAll2daModifierKinds.size()] = {};
};

class TCompare {
 public:
  TCompare(TCustomIniFile& ini, const std::string& fileSection, const T2DAHandler& original,
           const T2DAHandler& modified)
      : FIni(ini),
        FFile(fileSection),
        FOriginal(original),
        FModified(modified),
        FPrefix(CompareLabelPrefix(fileSection)),
        FLabels(ini, fileSection),
        FKeys(ini, fileSection),
        FLabelColumn(RowLabelColumn(modified)) {}

  void NewColumns(T2daCompareResult& result) {
    for (int32_t column = FOriginal.ColumnCount(); column < FModified.ColumnCount(); ++column) {
      const std::string& label = FModified.GetColumnLabel(column);
      if (!result.unheld.Admit("column " + label, "ColumnLabel", label)) continue;
      const std::string section = StartModifier(T2daModifierKind::AddColumn, "_col_" + label);
      FIni.WriteString(section, "ColumnLabel", label);
      FIni.WriteString(section, "DefaultValue", kBlankCell);
      for (int32_t row = 0; row < FModified.RowCount(); ++row) {
        const std::string& cell = FModified.GetCell(row, column);
        const std::string key = RowIndexKey(row);
        if (result.unheld.Admit(Place(row, column), key, cell))
          FIni.WriteString(section, key, cell);
      }
      ++result.counts.newColumns;
    }
  }

  void ModifiedCells(T2daCompareResult& result) {
    const int32_t rows = std::min(FOriginal.RowCount(), FModified.RowCount());
    const int32_t columns = std::min(FOriginal.ColumnCount(), FModified.ColumnCount());
    for (int32_t row = 0; row < rows; ++row) {
      std::optional<std::string> section;
      for (int32_t column = 0; column < columns; ++column) {
        const std::string& cell = FModified.GetCell(row, column);
        if (FOriginal.GetCell(row, column) == cell) continue;
        const std::string& key = FModified.GetColumnLabel(column);
        if (!result.unheld.Admit(Place(row, column), key, cell)) continue;
        if (!section) {
          section = StartModifier(T2daModifierKind::ChangeRow, "_mod_" + RowName(row));
          FIni.WriteString(*section, "RowIndex", std::to_string(row));
        }
        FIni.WriteString(*section, key, cell);
        ++result.counts.modifiedCells;
      }
    }
  }

  void NewRows(T2daCompareResult& result) {
    for (int32_t row = FOriginal.RowCount(); row < FModified.RowCount(); ++row) {
      const std::string section = StartModifier(T2daModifierKind::AddRow, "_row_" + RowName(row));
      for (int32_t column = 0; column < FModified.ColumnCount(); ++column) {
        const std::string& cell = FModified.GetCell(row, column);
        const std::string& key = FModified.GetColumnLabel(column);
        if (cell != kBlankCell && result.unheld.Admit(Place(row, column), key, cell))
          FIni.WriteString(section, key, cell);
      }
      ++result.counts.newRows;
    }
  }

 private:
  // The column whose cells name the rows: the first labelled "label" in any case, when
  // one is labelled exactly "label".
  static std::optional<int32_t> RowLabelColumn(const T2DAHandler& table) {
    for (int32_t column = 0; column < table.ColumnCount(); ++column) {
      if (table.GetColumnLabel(column) == "label") return table.GetColumnIndex("label");
    }
    return std::nullopt;
  }

  // A cell as the warning names it.
  std::string Place(int32_t row, int32_t column) const {
    return "row " + std::to_string(row) + ", column " + FModified.GetColumnLabel(column);
  }

  std::string RowName(int32_t row) const {
    if (FLabelColumn) return LabelFragment(FModified.GetCell(row, *FLabelColumn));
    return std::to_string(row);
  }

  // The modifier's key in the file's section; its label, which names its section.
  std::string StartModifier(T2daModifierKind kind, const std::string& baseTail) {
    std::string label = FLabels.UniqueModifierLabel(FPrefix + baseTail);
    FIni.WriteString(FFile, FKeys.Next(kind), label);
    return label;
  }

  TCustomIniFile& FIni;
  const std::string& FFile;
  const T2DAHandler& FOriginal;
  const T2DAHandler& FModified;
  const std::string FPrefix;
  TUniqueModifierLabels FLabels;
  TModifierKeys FKeys;
  const std::optional<int32_t> FLabelColumn;
};

}  // namespace

std::string CompareLabelPrefix(std::string_view fileName) {
  const std::string lower = platform::AsciiLowerCase(fileName);
  const size_t extension = lower.find(".2da");
  if (extension == std::string::npos || extension == 0) return "c_";
  return lower.substr(0, extension);
}

std::string LabelFragment(std::string_view text) {
  std::string fragment = platform::AsciiLowerCase(text);
  std::replace(fragment.begin(), fragment.end(), ' ', '_');
  return fragment;
}

TUniqueModifierLabels::TUniqueModifierLabels(TCustomIniFile& ini, const std::string& fileSection)
    : FIni(ini) {
  for (const std::string& key : ini.ReadSection(fileSection)) {
    FFolded.insert(platform::AsciiLowerCase(ini.ReadString(fileSection, key, "")));
  }
  for (const std::string& name : ListedNames(ini)) FFolded.insert(platform::AsciiLowerCase(name));
}

bool TUniqueModifierLabels::InUse(const std::string& folded, const std::string& label) {
  return FFolded.count(folded) != 0 || IsReservedSectionName(label) || FIni.SectionExists(label);
}

std::string TUniqueModifierLabels::UniqueModifierLabel(const std::string& base) {
  // The label is also the value of its key: with "_" and any number it must read back whole.
  constexpr size_t kMaxBase = kMaxReadValueLength - (sizeof("_2147483647") - 1);
  const std::string holdable = HoldableSectionName(base.substr(0, kMaxBase));
  int32_t& number = FNextNumber[platform::AsciiLowerCase(holdable)];
  for (;; ++number) {
    std::string label = holdable + "_" + std::to_string(number);
    std::string folded = platform::AsciiLowerCase(label);
    if (InUse(folded, label)) continue;
    FFolded.insert(std::move(folded));
    ++number;
    return label;
  }
}

T2daCompareResult Compare2daTables(TCustomIniFile& ini, const std::string& fileSection,
                                   const T2DAHandler& original, const T2DAHandler& modified,
                                   const T2daCompareCalls& calls) {
  T2daCompareResult result;
  TCompare compare(ini, fileSection, original, modified);
  compare.NewColumns(result);
  calls.betweenPhases();
  if (modified.RowCount() < original.RowCount()) {
    calls.warn(
        "Original file contained more rows than the modified file. The extra rows will be "
        "skipped.");
  }
  if (modified.ColumnCount() < original.ColumnCount()) {
    calls.warn(
        "Original file contained more columns than the modified file. The extra columns will be "
        "skipped.");
  }
  compare.ModifiedCells(result);
  calls.betweenPhases();
  compare.NewRows(result);
  calls.betweenPhases();
  return result;
}

std::string CompareSummary(const std::string& fileSection, const T2daCompareCounts& counts) {
  return "Done comparing " + fileSection + " files, found " + std::to_string(counts.newColumns) +
         " new columns, " + std::to_string(counts.newRows) + " new rows and " +
         std::to_string(counts.modifiedCells) + " modified cells. Building modifiers...";
}

}  // namespace quennet
