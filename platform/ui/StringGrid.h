// A grid of text cells addressed by column and row, as the forms use it: a number of
// columns and rows, optional fixed first row (shown as the header) and fixed first
// column, a current row that always exists while the grid has a non-fixed row, and
// contents that are a snapshot held by the grid itself. Cells hold single-byte texts.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class StringGridModel;

class StringGrid : public QTableView {
  Q_OBJECT

 public:
  explicit StringGrid(QWidget* parent = nullptr);
  ~StringGrid() override;

  int ColCount() const;
  void SetColCount(int count);
  int RowCount() const;
  void SetRowCount(int count);
  // 0 or 1 each.
  int FixedRows() const;
  void SetFixedRows(int count);
  int FixedCols() const;
  void SetFixedCols(int count);

  // An empty text for a cell outside the grid.
  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);
  // Replaces every cell at once: rows[row][col]; the column count stays.
  void SetRows(std::vector<std::vector<std::string>> rows);

  // The first non-fixed row from `from` on whose cell in `col` equals `text` (exactly,
  // or without regard to ASCII case); -1 when there is none.
  int FindRow(int col, std::string_view text, bool ignoreCase = false, int from = 0) const;
  // Removes a non-fixed row; the grid keeps at least one non-fixed row (the last one
  // is emptied instead) and a current row.
  void RemoveRow(int row);

  // The current row, counted with the fixed row; FixedRows() when the grid has no
  // other row.
  int Row() const;
  void SetRow(int row);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  void SetDefaultRowHeight(int height);

  // While updating, cell changes reach the view only at EndUpdate.
  void BeginUpdate();
  void EndUpdate();

 signals:
  // The current row changed, by the user (mouse or keys) or by the program (SetRow,
  // SetRows, RemoveRow...): a handler that must run for the user only checks why.
  void RowChanged();

 private:
  void SyncHeader();
  void EnsureCurrentRow();

  StringGridModel* FModel;
};

}  // namespace platform
