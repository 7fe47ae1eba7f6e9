#include "platform/ui/KeyValueList.h"

#include <gtest/gtest.h>

#include "platform/ui/StringGrid.h"

namespace platform {
namespace {

KeyValueRows Rows(const StringGrid& grid) {
  KeyValueRows rows;
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
    rows.emplace_back(grid.Cell(0, row), grid.Cell(1, row));
  return rows;
}

TEST(KeyValueListTest, StoreReplacesInPlaceOrAppends) {
  StringGrid grid;
  grid.SetColCount(2);
  KeyValueList list(grid);
  list.ShowRows({});
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(0, list.Store("Death", "42"));
  EXPECT_EQ(1, list.Store("Pain 1", "StrRef5"));
  EXPECT_EQ(0, list.Store("death", "43", true)) << "found without regard to case";
  EXPECT_EQ(2, list.Store("death", "44")) << "an exact search appends";
  EXPECT_EQ((KeyValueRows{{"Death", "43"}, {"Pain 1", "StrRef5"}, {"death", "44"}}), Rows(grid));
  EXPECT_EQ(2, grid.Row());
}

TEST(KeyValueListTest, SelectAndRemoveByKey) {
  StringGrid grid;
  grid.SetColCount(2);
  grid.SetFixedRows(1);
  grid.SetCell(0, 0, "Key");
  KeyValueList list(grid);
  list.ShowRows({{"a", "1"}, {"b", "2"}});
  EXPECT_TRUE(list.SelectKey("B", true));
  EXPECT_FALSE(list.SelectKey("c"));
  EXPECT_EQ(2, grid.Row());
  EXPECT_EQ("b", list.RemoveSelected());
  EXPECT_EQ("a", list.RemoveSelected());
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ("", list.RemoveSelected());
  EXPECT_EQ("Key", grid.Cell(0, 0)) << "the fixed row stays";
}

}  // namespace
}  // namespace platform
