#include <gtest/gtest.h>

#include <QImage>
#include <QStyledItemDelegate>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/StringGrid.h"

namespace platform {
namespace {

TEST(StringGridTest, FixedRowIsTheHeaderAndRowsCountWithIt) {
  StringGrid grid;
  grid.SetColCount(3);
  grid.SetRowCount(3);
  grid.SetFixedRows(1);
  grid.SetCell(0, 0, "StrRef");
  grid.SetCell(0, 1, "7");
  grid.SetCell(1, 2, "text");
  EXPECT_EQ(2, grid.model()->rowCount());
  EXPECT_EQ("StrRef", grid.model()->headerData(0, Qt::Horizontal).toString().toStdString());
  EXPECT_EQ("7", grid.model()->index(0, 0).data().toString().toStdString());
  EXPECT_EQ(1, grid.Row()) << "the current row is the first non-fixed row";
  grid.SetRow(2);
  EXPECT_EQ(2, grid.Row());
  EXPECT_EQ("text", grid.Cell(1, grid.Row()));
  EXPECT_EQ("", grid.Cell(5, 9));
}

TEST(StringGridTest, ShrinkingKeepsOneRowAndACurrentRow) {
  StringGrid grid;
  grid.SetColCount(2);
  grid.SetRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  grid.SetRow(2);
  grid.SetRowCount(0);
  EXPECT_EQ(1, grid.RowCount());
  EXPECT_EQ(0, grid.Row());
  EXPECT_EQ("a", grid.Cell(0, 0));
}

TEST(StringGridTest, BulkUpdateReachesTheViewAtTheEnd) {
  StringGrid grid;
  grid.SetColCount(2);
  grid.BeginUpdate();
  grid.SetRowCount(1001);
  for (int row = 0; row < 1001; ++row) grid.SetCell(0, row, std::to_string(row));
  grid.EndUpdate();
  EXPECT_EQ(1001, grid.model()->rowCount());
  EXPECT_EQ("1000", grid.model()->index(1000, 0).data().toString().toStdString());
}

// A cell of a megabyte would take seconds to paint; the view shows at most 256
// characters of it, the grid keeps the whole text.
TEST(StringGridTest, ALongCellShowsItsFirst256Characters) {
  StringGrid grid;
  grid.SetColCount(1);
  const std::string exact(256, 'a');
  const std::string longer = std::string(256, 'b') + "cut";
  grid.SetRows({{exact}, {longer}});
  EXPECT_EQ(QString::fromStdString(exact), grid.model()->index(0, 0).data().toString());
  EXPECT_EQ(QString::fromStdString(std::string(256, 'b')) + QChar(0x2026),
            grid.model()->index(1, 0).data().toString());
  EXPECT_EQ(longer, grid.Cell(0, 1));
}

// Accents on capitals must not be clipped: a row is at least as tall as the font needs.
TEST(StringGridTest, RowsAreAtLeastAsTallAsTheFont) {
  StringGrid grid;
  grid.SetRows({{"\xDB\xCA\xDA"}, {"x"}});
  grid.SetDefaultRowHeight(4);
  EXPECT_GE(grid.rowHeight(0), grid.fontMetrics().height());
}

TEST(StringGridTest, FindRowSkipsTheFixedRow) {
  StringGrid grid;
  grid.SetColCount(2);
  grid.SetFixedRows(1);
  grid.SetRows({{"Key", "Value"}, {"a", "1"}, {"B", "2"}, {"b", "3"}});
  EXPECT_EQ(-1, grid.FindRow(0, "Key"));
  EXPECT_EQ(3, grid.FindRow(0, "b"));
  EXPECT_EQ(2, grid.FindRow(0, "b", true));
  EXPECT_EQ(3, grid.FindRow(0, "b", true, 3));
  EXPECT_EQ(1, grid.FindRow(1, "1"));
  EXPECT_EQ(-1, grid.FindRow(0, "c"));
}

TEST(StringGridTest, RemoveRowKeepsOneRowAndACurrentRow) {
  StringGrid grid;
  grid.SetColCount(2);
  grid.SetRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  grid.SetRow(2);
  grid.RemoveRow(2);
  EXPECT_EQ(2, grid.RowCount());
  EXPECT_EQ(1, grid.Row());
  grid.RemoveRow(0);
  EXPECT_EQ(1, grid.RowCount());
  EXPECT_EQ("b", grid.Cell(0, 0));
  grid.RemoveRow(0);
  EXPECT_EQ(1, grid.RowCount());
  EXPECT_EQ("", grid.Cell(0, 0));
  EXPECT_EQ(0, grid.Row());
  grid.RemoveRow(5);
  EXPECT_EQ(1, grid.RowCount());
}

// ---- The packed cells ----

using Cells = std::vector<std::vector<std::string>>;

Cells AllCells(const StringGrid& grid) {
  Cells cells(static_cast<size_t>(grid.RowCount()));
  for (int row = 0; row < grid.RowCount(); ++row)
    for (int col = 0; col < grid.ColCount(); ++col)
      cells[static_cast<size_t>(row)].emplace_back(grid.Cell(col, row));
  return cells;
}

void ExpectCells(const Cells& expected, const StringGrid& grid, const std::string& step) {
  ASSERT_EQ(expected, AllCells(grid)) << step;
  // What the view shows (below the fixed row) comes from the same bytes.
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
    for (int col = 0; col < grid.ColCount(); ++col) {
      const std::string& cell = expected[static_cast<size_t>(row)][static_cast<size_t>(col)];
      if (cell.size() > 256 || cell.find('\0') != std::string::npos) continue;
      const QModelIndex index = grid.model()->index(row - grid.FixedRows(), col);
      EXPECT_EQ(cell, index.data().toString().toStdString()) << step;
    }
}

TEST(StringGridTest, SetCellOverwritesAndGrowsACellOnly) {
  const std::string megabyte(1 << 20, 'm');
  const std::string withNul("a\0b\0", 4);
  struct Case {
    const char* name;
    std::string first;
    std::string second;
  };
  const std::vector<Case> cases = {
      {"shorter", "abcdef", "xy"},         {"same length", "abc", "xyz"},
      {"longer", "ab", "a longer text"},   {"emptied", "abc", ""},
      {"from empty", "", "text"},          {"to a megabyte", "x", megabyte},
      {"from a megabyte", megabyte, "y"},  {"NUL bytes kept", "plain", withNul},
      {"NUL bytes replaced", withNul, "z"}};
  for (const Case& row : cases) {
    StringGrid grid;
    grid.SetColCount(3);
    grid.SetRows({{"a", "b", "c"}, {"d", row.first, "f"}, {"g", "h", "i"}});
    Cells expected = {{"a", "b", "c"}, {"d", row.first, "f"}, {"g", "h", "i"}};
    ExpectCells(expected, grid, row.name);
    grid.SetCell(1, 1, row.second);
    expected[1][1] = row.second;
    ExpectCells(expected, grid, row.name);
    EXPECT_EQ(row.second.size(), grid.Cell(1, 1).size()) << row.name;
  }
}

// Overwritten cells leave their old bytes behind until the grid packs its cells again;
// every cell must survive any number of those.
TEST(StringGridTest, PackingAgainKeepsEveryCell) {
  StringGrid grid;
  grid.SetColCount(3);
  grid.SetRowCount(40);
  Cells expected(40, std::vector<std::string>(3));
  for (int round = 0; round < 30; ++round) {
    for (int row = 0; row < 40; row += 1 + round % 3) {
      const int col = (row + round) % 3;
      // Growing texts are appended; the shrinking ones of odd rounds are written in place.
      std::string text = std::to_string(row) +
                         std::string(static_cast<size_t>(round % 2 ? 30 - round : round), '.');
      grid.SetCell(col, row, text);
      expected[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
    }
    ExpectCells(expected, grid, "round " + std::to_string(round));
  }
  // Emptying almost everything packs the rest.
  for (int row = 0; row < 39; ++row)
    for (int col = 0; col < 3; ++col) grid.SetCell(col, row, "");
  for (size_t row = 0; row < 39; ++row) expected[row] = {"", "", ""};
  ExpectCells(expected, grid, "emptied");
  grid.SetCell(2, 39, "last");
  expected[39][2] = "last";
  ExpectCells(expected, grid, "written after packing");
}

TEST(StringGridTest, RowAndColumnCountsKeepTheCellsThatStay) {
  struct Case {
    const char* name;
    void (*change)(StringGrid&);
    Cells expected;
  };
  const std::vector<Case> cases = {
      {"fewer columns",
       [](StringGrid& grid) { grid.SetColCount(2); },
       {{"a", "b"}, {"d", "e"}, {"g", "h"}}},
      {"more columns",
       [](StringGrid& grid) { grid.SetColCount(4); },
       {{"a", "b", "c", ""}, {"d", "e", "f", ""}, {"g", "h", "i", ""}}},
      {"a dropped column comes back empty",
       [](StringGrid& grid) {
         grid.SetColCount(1);
         grid.SetColCount(3);
       },
       {{"a", "", ""}, {"d", "", ""}, {"g", "", ""}}},
      {"fewer rows",
       [](StringGrid& grid) { grid.SetRowCount(2); },
       {{"a", "b", "c"}, {"d", "e", "f"}}},
      {"more rows",
       [](StringGrid& grid) { grid.SetRowCount(4); },
       {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}, {"", "", ""}}},
      {"a dropped row comes back empty",
       [](StringGrid& grid) {
         grid.SetRowCount(1);
         grid.SetRowCount(2);
       },
       {{"a", "b", "c"}, {"", "", ""}}},
      {"middle row removed",
       [](StringGrid& grid) { grid.RemoveRow(1); },
       {{"a", "b", "c"}, {"g", "h", "i"}}},
      {"rows removed, then a cell written",
       [](StringGrid& grid) {
         grid.RemoveRow(0);
         grid.RemoveRow(1);
         grid.SetCell(2, 0, "written");
       },
       {{"d", "e", "written"}}},
  };
  for (const Case& row : cases) {
    StringGrid grid;
    grid.SetColCount(3);
    grid.SetRows({{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}});
    row.change(grid);
    ExpectCells(row.expected, grid, row.name);
  }
}

// A view of a cell stays valid until the grid changes; handing it straight back to
// SetCell must still copy the right bytes, wherever they move.
TEST(StringGridTest, ACellCanBeSetFromAnotherCellsView) {
  StringGrid grid;
  grid.SetColCount(2);
  grid.SetRows({{"short", "a much longer text"}, {"", "x"}});
  grid.SetCell(0, 0, grid.Cell(1, 0));
  grid.SetCell(1, 0, grid.Cell(1, 0).substr(2));
  grid.SetCell(0, 1, grid.Cell(0, 0));
  ExpectCells({{"a much longer text", "much longer text"}, {"a much longer text", "x"}}, grid,
              "copied");
}

TEST(StringGridTest, RowsBuiltCellByCellAreHandedOverWhole) {
  StringGrid grid;
  grid.SetColCount(3);
  GridRows rows(3);
  rows.AddRow({"StrRef", "Entry text", "Sound Resref"});
  rows.AddCell("7");
  rows.Append("two ");
  rows.Append("pieces");
  rows.EndCell();
  rows.AddCell(std::string("n\0l", 3));
  rows.AddRow({"8"});
  rows.AddRow({"9", "b", "c", "dropped"});
  rows.AddCell("10");
  EXPECT_EQ(5, rows.RowCount());
  grid.SetRows(std::move(rows));
  ExpectCells({{"StrRef", "Entry text", "Sound Resref"},
               {"7", "two pieces", std::string("n\0l", 3)},
               {"8", "", ""},
               {"9", "b", "c"},
               {"10", "", ""}},
              grid, "built");

  // Rows of another width are fitted to the grid's columns.
  GridRows wide(4);
  wide.AddRow({"a", "b", "c", "d"});
  grid.SetRows(std::move(wide));
  ExpectCells({{"a", "b", "c"}}, grid, "wider rows");
  grid.SetRows(GridRows(3));
  ExpectCells({{"", "", ""}}, grid, "no rows leave one empty row");
}

TEST(StringGridTest, TakenRowsAreEmptyAndTheGridKeepsOneRow) {
  StringGrid grid;
  grid.SetColCount(2);
  grid.SetFixedRows(1);
  grid.SetRows({{"Key", "Value"}, {"a", "1"}, {"b", "2"}});
  GridRows rows = grid.TakeRows();
  EXPECT_EQ(0, rows.RowCount());
  EXPECT_EQ(2, rows.ColCount());
  ExpectCells({{"", ""}}, grid, "taken");
  rows.AddRow({"Key", "Value"});
  rows.AddRow({"c", "3"});
  grid.SetRows(std::move(rows));
  ExpectCells({{"Key", "Value"}, {"c", "3"}}, grid, "filled again");
  EXPECT_EQ(1, grid.Row());
}

// A borrowed cell shows the caller's bytes where they lie; every change to it makes it
// the grid's own and leaves those bytes alone, and OwnCells copies them all, so that the
// caller may then change or free them.
TEST(StringGridTest, BorrowedCellsReferToTheirBytesUntilOwned) {
  struct Case {
    const char* name;
    std::function<void(StringGrid&)> change;
    Cells expected;
  };
  const std::vector<Case> cases = {
      {"shown as they lie", [](StringGrid&) {}, {{"k", "borrowed text"}, {"l", "other"}}},
      {"overwritten shorter",
       [](StringGrid& grid) { grid.SetCell(1, 0, "new"); },
       {{"k", "new"}, {"l", "other"}}},
      {"overwritten from its own view",
       [](StringGrid& grid) { grid.SetCell(1, 1, grid.Cell(1, 0)); },
       {{"k", "borrowed text"}, {"l", "borrowed text"}}},
      {"row removed", [](StringGrid& grid) { grid.RemoveRow(0); }, {{"l", "other"}}},
      {"narrowed and widened",
       [](StringGrid& grid) {
         grid.SetColCount(1);
         grid.SetColCount(2);
       },
       {{"k", ""}, {"l", ""}}},
      {"packed again among its own cells",
       [](StringGrid& grid) {
         for (int i = 0; i < 8; ++i)
           grid.SetCell(0, 1, std::string(static_cast<size_t>(i + 2), 'z'));
       },
       {{"k", "borrowed text"}, {"zzzzzzzzz", "other"}}},
  };
  for (const Case& row : cases) {
    std::string first = "borrowed text";
    std::string second = "other";
    StringGrid grid;
    grid.SetColCount(2);
    GridRows rows(2);
    rows.AddCell("k");
    rows.AddBorrowedCell(first);
    rows.AddCell("l");
    rows.AddBorrowedCell(second);
    grid.SetRows(std::move(rows));
    EXPECT_EQ(first.data(), grid.Cell(1, 0).data()) << row.name << ": not copied";
    row.change(grid);
    ExpectCells(row.expected, grid, row.name);
    EXPECT_EQ("borrowed text", first) << row.name;
    EXPECT_EQ("other", second) << row.name;
    grid.OwnCells();
    first.assign(first.size(), '#');
    second.assign(second.size(), '#');
    ExpectCells(row.expected, grid, std::string(row.name) + ", owned");
  }
}

// Rows of many megabytes live in mapped memory rather than the heap. They go to the grid
// and back (taken, filled again, narrowed, overwritten until packed) with every cell,
// whether their room was reserved or grew row by row.
TEST(StringGridTest, LargeRowsChangeHandsWithEveryCell) {
  const auto text = [](int round, int row, int col) {
    return std::to_string(round) + "/" + std::to_string(row) + "/" + std::to_string(col) +
           std::string(static_cast<size_t>(row % 90), 'x');
  };
  for (const int rowCount : {3, 60000}) {
    const std::string name = std::to_string(rowCount) + " rows";
    StringGrid grid;
    grid.SetColCount(3);
    GridRows rows(3);
    rows.Reserve(static_cast<size_t>(rowCount), static_cast<size_t>(rowCount) * 3 * 100);
    for (int round = 0; round < 2; ++round) {
      for (int row = 0; row < rowCount; ++row)
        rows.AddRow({text(round, row, 0), text(round, row, 1), text(round, row, 2)});
      grid.SetRows(std::move(rows));
      for (int row = 0; row < rowCount; ++row)
        for (int col = 0; col < 3; ++col)
          ASSERT_EQ(text(round, row, col), grid.Cell(col, row)) << name << ", round " << round;
      rows = grid.TakeRows();  // the second round grows in the memory of the first
      ASSERT_EQ(0, rows.RowCount()) << name;
    }
    rows.AddRow({"a", "b", "c"});
    for (int row = 1; row < rowCount; ++row) rows.AddRow({text(2, row, 0), text(2, row, 1)});
    grid.SetRows(std::move(rows));
    grid.SetColCount(2);
    for (int row = 1; row < rowCount; row += 2) grid.SetCell(1, row, text(3, row, 1) + "longer");
    ASSERT_EQ("a", grid.Cell(0, 0)) << name;
    ASSERT_EQ("b", grid.Cell(1, 0)) << name;
    for (int row = 1; row < rowCount; ++row) {
      ASSERT_EQ(text(2, row, 0), grid.Cell(0, row)) << name;
      ASSERT_EQ(row % 2 ? text(3, row, 1) + "longer" : text(2, row, 1), grid.Cell(1, row)) << name;
    }
  }
}

// The grid paints its cells itself, for speed; what the user sees must stay what the
// style paints: backgrounds of the fixed column, the selected row, the focus frame,
// texts cut with an ellipsis, texts of several lines, and a disabled grid.
TEST(StringGridTest, CellsLookAsTheStylePaintsThem) {
  enum class State { Focused, Unfocused, Disabled };
  const struct {
    State state;
    int rowHeight;
    const char* name;
  } cases[] = {{State::Focused, 16, "focused"},
               {State::Unfocused, 21, "unfocused, taller rows"},
               {State::Disabled, 16, "disabled"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QStyledItemDelegate byTheStyle;  // outlives the grid that uses it
    StringGrid grid;
    grid.resize(420, 200);
    grid.SetColCount(3);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    grid.SetRows({{"StrRef", "Entry text", "Sound Resref"},
                  {"0", "short", "snd_0"},
                  {"1", "the quick brown fox jumps over the lazy dog near the old mill", ""},
                  {"2", "first line\nsecond line", "vo_line"},
                  {"3", "\xC9t\xE9 \xE0 l'\xEEle, \xDB\xCA\xDA", "x"},
                  {"4", std::string(300, 'w'), std::string(40, 'm')},
                  {"5", "", ""}});
    grid.SetColWidth(0, 64);
    grid.SetColWidth(1, 220);
    grid.SetColWidth(2, 100);
    grid.SetDefaultRowHeight(c.rowHeight);
    grid.SetRow(3);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    if (c.state == State::Focused) {
      grid.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
      grid.setFocus();
      ASSERT_TRUE(grid.hasFocus());
    }
    grid.setEnabled(c.state != State::Disabled);
    const QImage painted = grid.grab().toImage();
    grid.setItemDelegate(&byTheStyle);
    const QImage styled = grid.grab().toImage();
    EXPECT_TRUE(painted == styled);
  }
}

}  // namespace
}  // namespace platform
