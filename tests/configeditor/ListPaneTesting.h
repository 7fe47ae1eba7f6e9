// What the list-pane tests share: a grid's rows as texts and clicks on its rows.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "platform/ui/StringGrid.h"

namespace list_pane_testing {

using Rows = std::vector<std::vector<std::string>>;

inline Rows GridRows(const platform::StringGrid& grid) {
  Rows rows;
  for (int row = 0; row < grid.RowCount(); ++row) {
    std::vector<std::string> cells;
    for (int col = 0; col < grid.ColCount(); ++col) cells.push_back(grid.Cell(col, row));
    rows.push_back(std::move(cells));
  }
  return rows;
}

inline void ClickRow(platform::StringGrid& grid, int row, bool twice = false) {
  const QRect cell = grid.visualRect(grid.model()->index(row, 0));
  ASSERT_FALSE(cell.isEmpty()) << "row " << row << " is not shown";
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
  if (!twice) return;
  // QTest's double click alone sends no first press, which an item view needs, and
  // leaves the button held until a release.
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, cell.center());
}

inline void DoubleClickRow(platform::StringGrid& grid, int row) { ClickRow(grid, row, true); }

}  // namespace list_pane_testing
