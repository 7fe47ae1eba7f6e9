#include "platform/ui/StringGrid.h"

#include <QHeaderView>
#include <QPalette>
#include <algorithm>
#include <functional>

#include "platform/Text.h"
#include "platform/ui/Codec.h"

namespace platform {

namespace {

// A cell of a megabyte would take seconds to lay out at every repaint; no column is
// wide enough to show more than this.
constexpr size_t kShownCellLength = 256;

QString ShownText(const std::string& cell) {
  if (cell.size() <= kShownCellLength) return ToQt(cell);
  return ToQt(std::string_view(cell).substr(0, kShownCellLength)) + QChar(0x2026);
}

}  // namespace

// Rows [row][col]; the fixed row, when there is one, is the header and not a view row.
class StringGridModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::beginInsertRows;
  using QAbstractTableModel::beginRemoveRows;
  using QAbstractTableModel::beginResetModel;
  using QAbstractTableModel::endInsertRows;
  using QAbstractTableModel::endRemoveRows;
  using QAbstractTableModel::endResetModel;
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(FCells.size()) - FFixedRows;
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : FColCount;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return ShownText(Cell(index.column(), index.row() + FFixedRows));
    if (role == Qt::BackgroundRole && index.column() < FFixedCols) return QPalette().button();
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && FFixedRows > 0)
      return ToQt(Cell(section, 0));
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }

  const std::string& Cell(int col, int row) const {
    static const std::string empty;
    if (row < 0 || row >= static_cast<int>(FCells.size()) || col < 0 || col >= FColCount)
      return empty;
    const auto& cells = FCells[static_cast<size_t>(row)];
    return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : empty;
  }

  void Reset(const std::function<void()>& change) {
    if (FUpdating) {
      change();
      return;
    }
    beginResetModel();
    change();
    endResetModel();
  }

  std::vector<std::vector<std::string>> FCells{1};
  int FColCount = 5;
  int FFixedRows = 0;
  int FFixedCols = 0;
  bool FUpdating = false;
};

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), FModel(new StringGridModel(this)) {
  setModel(FModel);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  SetDefaultRowHeight(16);
  SyncHeader();
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { emit RowChanged(); });
}

StringGrid::~StringGrid() = default;

int StringGrid::ColCount() const { return FModel->FColCount; }

void StringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == FModel->FColCount) return;
  const int row = Row();
  FModel->Reset([&] {
    FModel->FColCount = count;
    FModel->FFixedCols = std::min(FModel->FFixedCols, count - 1);
    for (auto& cells : FModel->FCells)
      if (cells.size() > static_cast<size_t>(count)) cells.resize(static_cast<size_t>(count));
  });
  SetRow(row);
}

int StringGrid::RowCount() const { return static_cast<int>(FModel->FCells.size()); }

void StringGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  const int oldCount = RowCount();
  if (count == oldCount) return;
  const int row = Row();
  if (FModel->FUpdating) {
    FModel->FCells.resize(static_cast<size_t>(count));
    return;
  }
  const int fixed = FModel->FFixedRows;
  if (count > oldCount) {
    FModel->beginInsertRows({}, oldCount - fixed, count - fixed - 1);
    FModel->FCells.resize(static_cast<size_t>(count));
    FModel->endInsertRows();
  } else if (count - fixed <= 0) {
    FModel->Reset([&] { FModel->FCells.resize(static_cast<size_t>(count)); });
  } else {
    FModel->beginRemoveRows({}, count - fixed, oldCount - fixed - 1);
    FModel->FCells.resize(static_cast<size_t>(count));
    FModel->endRemoveRows();
  }
  SetRow(std::min(row, count - 1));
}

int StringGrid::FixedRows() const { return FModel->FFixedRows; }

void StringGrid::SetFixedRows(int count) {
  count = std::clamp(count, 0, 1);
  if (count == FModel->FFixedRows) return;
  FModel->Reset([&] { FModel->FFixedRows = count; });
  SyncHeader();
  EnsureCurrentRow();
}

int StringGrid::FixedCols() const { return FModel->FFixedCols; }

void StringGrid::SetFixedCols(int count) {
  count = std::clamp(count, 0, std::min(1, ColCount() - 1));
  if (count == FModel->FFixedCols) return;
  FModel->FFixedCols = count;
  viewport()->update();
}

const std::string& StringGrid::Cell(int col, int row) const { return FModel->Cell(col, row); }

void StringGrid::SetCell(int col, int row, std::string text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount()) return;
  auto& cells = FModel->FCells[static_cast<size_t>(row)];
  if (cells.size() <= static_cast<size_t>(col)) cells.resize(static_cast<size_t>(col) + 1);
  cells[static_cast<size_t>(col)] = std::move(text);
  if (FModel->FUpdating) return;
  if (row < FModel->FFixedRows) {
    emit FModel->headerDataChanged(Qt::Horizontal, col, col);
  } else {
    QModelIndex index = FModel->index(row - FModel->FFixedRows, col);
    emit FModel->dataChanged(index, index);
  }
}

void StringGrid::SetRows(std::vector<std::vector<std::string>> rows) {
  if (rows.empty()) rows.resize(1);
  FModel->Reset([&] { FModel->FCells = std::move(rows); });
  EnsureCurrentRow();
}

int StringGrid::FindRow(int col, std::string_view text, bool ignoreCase, int from) const {
  for (int row = std::max(from, FixedRows()); row < RowCount(); ++row) {
    const std::string& cell = Cell(col, row);
    if (ignoreCase ? platform::SameTextAscii(cell, text) : cell == text) return row;
  }
  return -1;
}

void StringGrid::RemoveRow(int row) {
  const int fixed = FModel->FFixedRows;
  if (row < fixed || row >= RowCount()) return;
  if (RowCount() - fixed == 1) {
    FModel->Reset([&] { FModel->FCells[static_cast<size_t>(row)].clear(); });
    EnsureCurrentRow();
    return;
  }
  const int current = Row();
  FModel->beginRemoveRows({}, row - fixed, row - fixed);
  FModel->FCells.erase(FModel->FCells.begin() + row);
  FModel->endRemoveRows();
  SetRow(std::min(current, RowCount() - 1));
}

int StringGrid::Row() const {
  QModelIndex current = currentIndex();
  if (!current.isValid()) return FModel->FFixedRows;
  return current.row() + FModel->FFixedRows;
}

void StringGrid::SetRow(int row) {
  const int viewRow = row - FModel->FFixedRows;
  if (viewRow < 0 || viewRow >= FModel->rowCount({})) return;
  QModelIndex index = FModel->index(viewRow, 0);
  selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
}

int StringGrid::ColWidth(int col) const { return columnWidth(col); }
void StringGrid::SetColWidth(int col, int width) { setColumnWidth(col, std::max(width, 0)); }

// Never lower than the font needs, so that accents on capitals are not clipped.
void StringGrid::SetDefaultRowHeight(int height) {
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(std::max(height, fontMetrics().height() + 2));
}

void StringGrid::BeginUpdate() {
  if (FModel->FUpdating) return;
  FModel->beginResetModel();
  FModel->FUpdating = true;
}

void StringGrid::EndUpdate() {
  if (!FModel->FUpdating) return;
  FModel->FUpdating = false;
  FModel->endResetModel();
  SyncHeader();
  EnsureCurrentRow();
}

void StringGrid::SyncHeader() { horizontalHeader()->setVisible(FModel->FFixedRows > 0); }

void StringGrid::EnsureCurrentRow() {
  if (!currentIndex().isValid()) SetRow(FModel->FFixedRows);
}

}  // namespace platform
