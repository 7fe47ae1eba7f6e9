#include <gtest/gtest.h>

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

}  // namespace
}  // namespace platform
