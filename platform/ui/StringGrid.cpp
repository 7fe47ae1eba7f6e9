#include "platform/ui/StringGrid.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>

#include "platform/Text.h"
#include "platform/ui/Codec.h"

namespace platform {

namespace {

// A cell of a megabyte would take seconds to lay out at every repaint; no column is
// wide enough to show more than this.
constexpr size_t kShownCellLength = 256;

QString ShownText(std::string_view cell) {
  if (cell.size() <= kShownCellLength) return ToQt(cell);
  return ToQt(cell.substr(0, kShownCellLength)) + QChar(0x2026);
}

// Paints a cell as the style's item views do, from the style's own pieces (background,
// selection, focus frame), but draws a single line of text at once, elided once: the
// style lays each cell's text out three or four times over, which made painting a
// window of cells cost more than listing 50,000 rows. A text of several lines, or one
// laid out other than left to right and centred, is left to the style.
class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (!IsPlainLine(cell)) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    const QWidget* widget = cell.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    painter->save();
    painter->setClipRect(cell.rect);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    DrawText(*painter, *style, cell);
    if (cell.state & QStyle::State_HasFocus) DrawFocus(*painter, *style, cell);
    painter->restore();
  }

 private:
  static bool IsPlainLine(const QStyleOptionViewItem& cell) {
    return cell.features == QStyleOptionViewItem::HasDisplay && cell.direction == Qt::LeftToRight &&
           cell.displayAlignment == (Qt::AlignLeft | Qt::AlignVCenter) &&
           !cell.text.contains(QChar::LineSeparator) && !cell.text.contains(QChar::LineFeed);
  }

  static QPalette::ColorGroup ColorGroup(const QStyleOptionViewItem& cell) {
    if (!(cell.state & QStyle::State_Enabled)) return QPalette::Disabled;
    return cell.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
  }

  static void DrawText(QPainter& painter, const QStyle& style, const QStyleOptionViewItem& cell) {
    if (cell.text.isEmpty()) return;
    const int margin = style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
    const QRect box = cell.rect.adjusted(margin, 0, -margin, 0);
    const QFontMetricsF metrics(cell.font);
    const QString shown = metrics.elidedText(cell.text, cell.textElideMode, box.width());
    const bool selected = cell.state & QStyle::State_Selected;
    painter.setPen(cell.palette.color(ColorGroup(cell),
                                      selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(cell.font);
    // Placed as the style places its text line, whose height is whole pixels, between
    // the box's top and bottom pixel rows.
    const qreal top = (box.top() + box.bottom() - std::ceil(metrics.height())) / 2;
    painter.drawText(QPointF(box.left(), top + metrics.ascent()), shown);
  }

  static void DrawFocus(QPainter& painter, const QStyle& style, const QStyleOptionViewItem& cell) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(cell);
    focus.rect = style.subElementRect(QStyle::SE_ItemViewItemFocusRect, &cell, cell.widget);
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    const bool selected = cell.state & QStyle::State_Selected;
    focus.backgroundColor = cell.palette.color(
        cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
        selected ? QPalette::Highlight : QPalette::Window);
    style.drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, cell.widget);
  }
};

}  // namespace

// ---- GridRows ----

GridRows::GridRows(int colCount) : FColCount(std::max(colCount, 1)) {}

int GridRows::RowCount() const {
  const size_t cols = static_cast<size_t>(FColCount);
  return static_cast<int>((FSpans.size() + cols - 1) / cols);
}

void GridRows::AddRow(std::initializer_list<std::string_view> cells) {
  int col = 0;
  for (std::string_view cell : cells)
    if (col++ < FColCount) AddCell(cell);
  for (; col < FColCount; ++col) EndCell();
}

void GridRows::AddBorrowedCell(std::string_view text) {
  FSpans.push_back({reinterpret_cast<uintptr_t>(text.data()), text.size() | Span::kBorrowed});
}

void GridRows::OwnCells() {
  size_t borrowed = 0;
  for (const Span& span : FSpans) borrowed += span.IsBorrowed() ? span.Length() : 0;
  if (borrowed == 0) return;
  FBytes.reserve(FBytes.size() + borrowed);
  for (Span& span : FSpans) {
    if (!span.IsBorrowed()) continue;
    const size_t begin = FBytes.size();
    FBytes.append(reinterpret_cast<const char*>(span.Begin), span.Length());
    span = {begin, span.Length()};
    FLive += span.Size;
  }
  FCellBegin = FBytes.size();
}

void GridRows::Reserve(size_t rows, size_t bytes) {
  FSpans.reserve(rows * static_cast<size_t>(FColCount));
  FBytes.reserve(bytes);
}

void GridRows::Clear() {
  FBytes.clear();
  FSpans.clear();
  FLive = 0;
  FCellBegin = 0;
}

GridRows::Span* GridRows::SpanAt(int col, int row) {
  if (row < 0 || col < 0 || col >= FColCount) return nullptr;
  const size_t index =
      static_cast<size_t>(row) * static_cast<size_t>(FColCount) + static_cast<size_t>(col);
  return index < FSpans.size() ? &FSpans[index] : nullptr;
}

std::string_view GridRows::Cell(int col, int row) const {
  const Span* span = const_cast<GridRows*>(this)->SpanAt(col, row);
  if (span == nullptr) return {};
  if (span->IsBorrowed()) return {reinterpret_cast<const char*>(span->Begin), span->Length()};
  return std::string_view(FBytes).substr(span->Begin, span->Size);
}

void GridRows::SetCell(int col, int row, std::string_view text) {
  Span* span = SpanAt(col, row);
  if (span == nullptr) return;
  Forget(*span);
  FLive += text.size();
  if (!span->IsBorrowed() && text.size() <= span->Size) {
    // In place; the text may be this very cell's (memmove copes).
    if (!text.empty()) std::memmove(FBytes.data() + span->Begin, text.data(), text.size());
    span->Size = text.size();
  } else {
    // append copes with a text inside these very bytes.
    span->Begin = FBytes.size();
    span->Size = text.size();
    FBytes.append(text);
    FCellBegin = FBytes.size();
  }
  CompactIfWasteful();
}

void GridRows::SetRowCount(int count) {
  const size_t size = static_cast<size_t>(std::max(count, 0)) * static_cast<size_t>(FColCount);
  if (size < FSpans.size() / 2) {
    // Most rows go (a grid emptied): the few that stay are counted instead.
    FLive = 0;
    for (size_t i = 0; i < size; ++i) FLive += FSpans[i].OwnSize();
  } else {
    for (size_t i = size; i < FSpans.size(); ++i) Forget(FSpans[i]);
  }
  FSpans.resize(size);
  CompactIfWasteful();
}

void GridRows::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == FColCount) return;
  const int rows = RowCount();
  Spans spans;
  spans.reserve(static_cast<size_t>(rows) * static_cast<size_t>(count));
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < count; ++col) {
      const Span* span = col < FColCount ? SpanAt(col, row) : nullptr;
      spans.push_back(span != nullptr ? *span : Span{});
    }
  for (int row = 0; row < rows; ++row)
    for (int col = count; col < FColCount; ++col)
      if (const Span* span = SpanAt(col, row)) Forget(*span);
  FSpans = std::move(spans);
  FColCount = count;
  CompactIfWasteful();
}

void GridRows::RemoveRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  const auto first = FSpans.begin() + static_cast<ptrdiff_t>(row) * FColCount;
  const auto last = std::min(first + FColCount, FSpans.end());
  for (auto span = first; span != last; ++span) Forget(*span);
  FSpans.erase(first, last);
  CompactIfWasteful();
}

void GridRows::ClearRow(int row) {
  for (int col = 0; col < FColCount; ++col) SetCell(col, row, {});
}

void GridRows::CompactIfWasteful() {
  const size_t unused = FCellBegin - FLive;
  if (unused <= FLive) return;
  Bytes live;
  live.reserve(FLive);
  for (Span& span : FSpans) {
    if (span.IsBorrowed()) continue;
    const size_t begin = live.size();
    live.append(FBytes, span.Begin, span.Size);
    span.Begin = span.Size == 0 ? 0 : begin;
  }
  FBytes.assign(live);
  FCellBegin = FBytes.size();
}

// The fixed row, when there is one, is the header and not a view row.
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
    return parent.isValid() ? 0 : FCells.RowCount() - FFixedRows;
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : FCells.ColCount();
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole)
      return ShownText(FCells.Cell(index.column(), index.row() + FFixedRows));
    if (role == Qt::BackgroundRole && index.column() < FFixedCols) return QPalette().button();
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && FFixedRows > 0)
      return ToQt(FCells.Cell(section, 0));
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
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

  GridRows FCells = Rows(5, 1);
  int FFixedRows = 0;
  int FFixedCols = 0;
  bool FUpdating = false;

 private:
  static GridRows Rows(int colCount, int rowCount) {
    GridRows rows(colCount);
    rows.SetRowCount(rowCount);
    return rows;
  }
};

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), FModel(new StringGridModel(this)) {
  setModel(FModel);
  setItemDelegate(new CellDelegate(this));
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

int StringGrid::ColCount() const { return FModel->FCells.ColCount(); }

void StringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == ColCount()) return;
  const int row = Row();
  FModel->Reset([&] {
    FModel->FCells.SetColCount(count);
    FModel->FFixedCols = std::min(FModel->FFixedCols, count - 1);
  });
  SetRow(row);
}

int StringGrid::RowCount() const { return FModel->FCells.RowCount(); }

void StringGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  const int oldCount = RowCount();
  if (count == oldCount) return;
  const int row = Row();
  if (FModel->FUpdating) {
    FModel->FCells.SetRowCount(count);
    return;
  }
  const int fixed = FModel->FFixedRows;
  if (count > oldCount) {
    FModel->beginInsertRows({}, oldCount - fixed, count - fixed - 1);
    FModel->FCells.SetRowCount(count);
    FModel->endInsertRows();
  } else if (count - fixed <= 0) {
    FModel->Reset([&] { FModel->FCells.SetRowCount(count); });
  } else {
    FModel->beginRemoveRows({}, count - fixed, oldCount - fixed - 1);
    FModel->FCells.SetRowCount(count);
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

std::string_view StringGrid::Cell(int col, int row) const { return FModel->FCells.Cell(col, row); }

void StringGrid::SetCell(int col, int row, std::string_view text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount()) return;
  FModel->FCells.SetCell(col, row, text);
  if (FModel->FUpdating) return;
  if (row < FModel->FFixedRows) {
    emit FModel->headerDataChanged(Qt::Horizontal, col, col);
  } else {
    QModelIndex index = FModel->index(row - FModel->FFixedRows, col);
    emit FModel->dataChanged(index, index);
  }
}

void StringGrid::OwnCells() { FModel->FCells.OwnCells(); }

void StringGrid::SetRows(GridRows rows) {
  rows.SetColCount(ColCount());
  rows.SetRowCount(std::max(rows.RowCount(), 1));
  FModel->Reset([&] { std::swap(FModel->FCells, rows); });
  EnsureCurrentRow();
}

void StringGrid::SetRows(const std::vector<std::vector<std::string>>& rows) {
  GridRows packed(ColCount());
  for (const std::vector<std::string>& row : rows) {
    for (int col = 0; col < packed.ColCount(); ++col)
      packed.AddCell(static_cast<size_t>(col) < row.size() ? row[static_cast<size_t>(col)] : "");
  }
  SetRows(std::move(packed));
}

GridRows StringGrid::TakeRows() {
  GridRows rows(ColCount());
  FModel->Reset([&] {
    std::swap(rows, FModel->FCells);
    FModel->FCells.SetRowCount(1);
  });
  EnsureCurrentRow();
  rows.Clear();
  return rows;
}

int StringGrid::FindRow(int col, std::string_view text, bool ignoreCase, int from) const {
  for (int row = std::max(from, FixedRows()); row < RowCount(); ++row) {
    const std::string_view cell = Cell(col, row);
    if (ignoreCase ? platform::SameTextAscii(cell, text) : cell == text) return row;
  }
  return -1;
}

void StringGrid::RemoveRow(int row) {
  const int fixed = FModel->FFixedRows;
  if (row < fixed || row >= RowCount()) return;
  if (RowCount() - fixed == 1) {
    FModel->Reset([&] { FModel->FCells.ClearRow(row); });
    EnsureCurrentRow();
    return;
  }
  const int current = Row();
  FModel->beginRemoveRows({}, row - fixed, row - fixed);
  FModel->FCells.RemoveRow(row);
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
