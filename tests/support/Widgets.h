// Finding a form's components by their names, reading grids and drop-downs as byte
// strings, and sending keys.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QObject>
#include <QString>
#include <QTest>
#include <string>
#include <vector>

#include "platform/ui/Codec.h"
#include "platform/ui/StringGrid.h"

namespace testing_support {

// The child of `root` named `name`; fails the test (and returns null) when none.
template <typename T>
T* Find(QObject* root, const char* name) {
  T* child = root->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(nullptr, child) << "no component named " << name;
  return child;
}

using GridCells = std::vector<std::vector<std::string>>;

// Every row of the grid from `firstRow` on (the fixed first row included by default),
// each with every column.
inline GridCells GridRows(const platform::StringGrid& grid, int firstRow = 0) {
  GridCells rows;
  for (int row = firstRow; row < grid.RowCount(); ++row) {
    rows.emplace_back();
    for (int col = 0; col < grid.ColCount(); ++col) rows.back().emplace_back(grid.Cell(col, row));
  }
  return rows;
}

// One column of the grid, from row `firstRow` down.
inline std::vector<std::string> GridColumn(const platform::StringGrid& grid, int col,
                                           int firstRow = 0) {
  std::vector<std::string> cells;
  for (int row = firstRow; row < grid.RowCount(); ++row) cells.emplace_back(grid.Cell(col, row));
  return cells;
}

// A click on the first cell of `row` (which must be shown); `twice` makes it a double
// click.
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

// The items of a drop-down, in order.
inline std::vector<std::string> ComboItems(const QComboBox& box) {
  std::vector<std::string> items;
  for (int i = 0; i < box.count(); ++i) items.push_back(platform::FromQt(box.itemText(i)));
  return items;
}

// What the drop-down shows (its edit field's text when editable).
inline std::string ComboText(const QComboBox& box) { return platform::FromQt(box.currentText()); }

// Sends a key press and its release; `text` is what the event carries, which the
// filters must not judge by.
inline void PressKey(QWidget& field, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(&field, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(&field, &release);
}

// The Qt names of widgets in the order Tab visits them, from `first`.
inline std::vector<std::string> TabOrder(QWidget& first) {
  std::vector<std::string> names;
  QWidget* widget = &first;
  do {
    if (widget->focusPolicy() & Qt::TabFocus) names.push_back(widget->objectName().toStdString());
    widget = widget->nextInFocusChain();
  } while (widget != &first);
  return names;
}

}  // namespace testing_support
