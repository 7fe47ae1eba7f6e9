// A grid of text cells addressed by column and row, as the forms use it: a number of
// columns and rows, optional fixed first row (shown as the header) and fixed first
// column, a current row that always exists while the grid has a non-fixed row, and
// contents held by the grid itself, or borrowed from a caller that keeps them (see
// GridRows::AddBorrowedCell). Cells hold single-byte texts.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HugePages.h"

namespace platform {

// Rows of text cells packed for a StringGrid: the bytes of every cell in one string and
// a (begin, size) span per cell, row by row, ColCount() spans to a row. A caller builds
// the rows by appending cells in order and hands them to the grid in one move
// (StringGrid::SetRows), so that a list of many rows costs a few allocations, not one
// per cell. The grid keeps its own cells the same way. Large rows live in huge pages
// (HugePageAllocator): a first fill of a big list faults its memory in 2 MiB at a time.
// A cell may also be borrowed (AddBorrowedCell): it shows bytes that lie elsewhere,
// without a copy, so that listing texts a caller already holds writes no new memory for
// them.
class GridRows {
 public:
  explicit GridRows(int colCount = 1);

  int ColCount() const { return FColCount; }
  // Rows begun so far.
  int RowCount() const;
  // Room for `rows` rows of `bytes` bytes in all, so that rows of a known size are
  // added without moving the ones before.
  void Reserve(size_t rows, size_t bytes);
  // No rows; the memory is kept for the rows to come.
  void Clear();

  // Building, cell after cell (the next row after the last column): Append adds bytes to
  // the cell being written, EndCell closes it.
  void Append(std::string_view bytes) { FBytes.append(bytes); }
  void EndCell() {
    FSpans.push_back({FCellBegin, FBytes.size() - FCellBegin});
    FLive += FSpans.back().Size;
    FCellBegin = FBytes.size();
  }
  void AddCell(std::string_view text) {
    Append(text);
    EndCell();
  }
  // One whole row: cells past ColCount() are dropped, missing ones are empty.
  void AddRow(std::initializer_list<std::string_view> cells);
  // A cell, between two cells, that refers to `text` where it lies: the caller keeps
  // those bytes alive and unchanged while these rows, or the grid they are handed to,
  // hold the cell, that is until SetCell on it, Clear, OwnCells or the rows' end.
  void AddBorrowedCell(std::string_view text);
  // Copies the bytes of every borrowed cell into these rows' own: from then on they refer
  // to no bytes of a caller.
  void OwnCells();

  // A view of the cell's bytes, valid until these rows next change; empty outside them.
  std::string_view Cell(int col, int row) const;
  void SetCell(int col, int row, std::string_view text);
  // New rows are empty; the count is never less than 0.
  void SetRowCount(int count);
  // Cells of removed columns are dropped, added columns are empty.
  void SetColCount(int count);
  void RemoveRow(int row);
  void ClearRow(int row);

 private:
  // A cell's bytes: at Begin in FBytes, or, for a borrowed cell, at the address Begin.
  struct Span {
    static constexpr size_t kBorrowed = ~(~size_t{0} >> 1);  // the top bit of Size
    size_t Begin = 0;
    size_t Size = 0;
    bool IsBorrowed() const { return (Size & kBorrowed) != 0; }
    size_t Length() const { return Size & ~kBorrowed; }
    // The bytes counted in FLive.
    size_t OwnSize() const { return IsBorrowed() ? 0 : Size; }
  };
  using Bytes = std::basic_string<char, std::char_traits<char>, HugePageAllocator<char>>;
  using Spans = std::vector<Span, HugePageAllocator<Span>>;

  Span* SpanAt(int col, int row);
  void Forget(const Span& span) { FLive -= span.OwnSize(); }
  // Cells are overwritten by appending; once the bytes no cell uses outgrow the used
  // ones, the used ones are copied together (the memory stays for later cells).
  void CompactIfWasteful();

  int FColCount;
  Bytes FBytes;
  Spans FSpans;
  // The bytes of FBytes the spans use; the rest is garbage or the cell being written.
  size_t FLive = 0;
  size_t FCellBegin = 0;
};

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

  // An empty text for a cell outside the grid. The view is valid until the grid next
  // changes: copy it before changing any cell (a text can be handed straight back to
  // SetCell, though).
  std::string_view Cell(int col, int row) const;
  void SetCell(int col, int row, std::string_view text);
  // Copies the bytes of the borrowed cells (GridRows::AddBorrowedCell) into the grid's
  // own: what it shows no longer depends on them.
  void OwnCells();
  // Replaces every cell at once: rows[row][col]; the column count stays (rows are
  // repacked to it when theirs differs). At least one row remains.
  void SetRows(GridRows rows);
  void SetRows(const std::vector<std::vector<std::string>>& rows);
  // Leaves the grid with one empty row and hands over its rows emptied, with their
  // memory: a caller that fills the grid anew builds its rows in them (and the grid
  // does not free one list of rows only to allocate the next).
  GridRows TakeRows();

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
