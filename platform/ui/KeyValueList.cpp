#include "platform/ui/KeyValueList.h"

#include "platform/ui/StringGrid.h"

namespace platform {

void KeyValueList::ShowRows(const KeyValueRows& rows) {
  GridRows cells(FGrid.ColCount());
  // A fixed row is the grid's header and stays.
  if (FGrid.FixedRows() > 0) cells.AddRow({FGrid.Cell(0, 0), FGrid.Cell(1, 0)});
  for (const auto& [key, value] : rows) cells.AddRow({key, value});
  if (cells.RowCount() == FGrid.FixedRows()) cells.AddRow({});
  FGrid.SetRows(std::move(cells));
}

int KeyValueList::Store(const std::string& key, const std::string& value, bool ignoreCase) {
  int row = FGrid.FindRow(0, key, ignoreCase);
  if (row < 0 && IsEmpty()) row = FGrid.FixedRows();
  if (row < 0) {
    row = FGrid.RowCount();
    FGrid.SetRowCount(row + 1);
  }
  if (FGrid.Cell(0, row).empty()) FGrid.SetCell(0, row, key);
  FGrid.SetCell(1, row, value);
  FGrid.SetRow(row);
  return row;
}

std::string KeyValueList::RemoveSelected() {
  if (IsEmpty()) return {};
  const int row = FGrid.Row();
  std::string key(FGrid.Cell(0, row));
  FGrid.RemoveRow(row);
  return key;
}

bool KeyValueList::SelectKey(const std::string& key, bool ignoreCase) {
  const int row = FGrid.FindRow(0, key, ignoreCase);
  if (row < 0) return false;
  FGrid.SetRow(row);
  return true;
}

bool KeyValueList::IsEmpty() const {
  return FGrid.RowCount() - FGrid.FixedRows() == 1 && FGrid.Cell(0, FGrid.FixedRows()).empty();
}

}  // namespace platform
