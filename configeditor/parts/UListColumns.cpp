#include "configeditor/parts/UListColumns.h"

#include <QFontMetrics>
#include <algorithm>

#include "platform/ui/Codec.h"
#include "platform/ui/StringGrid.h"

namespace quennet {

namespace {

// Room around a cell's text: the view's margins on both sides.
constexpr int kCellPadding = 12;

int WidestText(const platform::StringGrid& grid, int col) {
  const QFontMetrics metrics(grid.font());
  int widest = 0;
  for (int row = 0; row < grid.RowCount(); ++row)
    widest = std::max(widest, metrics.horizontalAdvance(platform::ToQt(grid.Cell(col, row))));
  return widest + kCellPadding;
}

}  // namespace

void FitColumn(platform::StringGrid& grid, int col, int leastWidth) {
  grid.SetColWidth(col, std::max(leastWidth, WidestText(grid, col)));
}

}  // namespace quennet
