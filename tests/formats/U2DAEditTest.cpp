#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "formats/U2DAEdit.h"
#include "tests/support/GameFileBuilders.h"
#include "tests/support/Raises.h"
#include "tests/support/ScratchFolder.h"

namespace {

using game_file_builders::TwoDaBuilder;

void ExpectDead(const std::function<void()>& action, int code, const std::string& message,
                std::source_location where = std::source_location::current()) {
  testing_support::ExpectRaises<EDead>(action, message, code, where);
}

TwoDaBuilder SmallTable() {
  return TwoDaBuilder::Table(
      {"label", "Name", "cost", "NAME"},
      {{"a", "Sword", "10", "x"}, {"b", "", "10", "y"}, {"c", "Shield", "", "z"}});
}

T2DAHandler Loaded(const std::string& bytes, const std::string& name = "table.2da") {
  T2DAHandler table;
  table.LoadFromMemory(bytes, name);
  return table;
}

TEST(T2DAHandlerTest, AnswersCellsLabelsAndSizes) {
  T2DAHandler table = Loaded(SmallTable().Build());
  EXPECT_EQ(1, table.Loaded());
  EXPECT_EQ(3, table.RowCount());
  EXPECT_EQ(4, table.ColumnCount());
  EXPECT_EQ("Name", table.GetColumnLabel(1));
  EXPECT_EQ("Sword", table.GetCell(0, 1));
  EXPECT_EQ("****", table.GetCell(1, 1));  // an empty cell
  EXPECT_EQ("10", table.GetCell(1, 2));    // shares its offset with cell (0, 2)
  EXPECT_EQ("Shield", table.GetCell(2, 1));
  EXPECT_EQ("z", table.GetCell(2, 3));
  EXPECT_EQ((std::vector<std::string>{"0", "1", "2"}), table.RowLabels());
}

TEST(T2DAHandlerTest, ColumnIndexIgnoresCaseAndTakesTheFirst) {
  T2DAHandler table = Loaded(SmallTable().Build(), "/mods/spells.2da");
  EXPECT_EQ(2, table.GetColumnIndex("COST"));
  EXPECT_EQ(1, table.GetColumnIndex("name"));
  ExpectDead([&] { table.GetColumnIndex("price"); }, 8,
             "Unable to find a column matching the label price in /mods/spells.2da!");
}

TEST(T2DAHandlerTest, LabelSectionRules) {
  TwoDaBuilder builder = TwoDaBuilder::Table({}, {});
  builder.columnSection = std::string("a\t\tb\tdropped\0", 14);
  T2DAHandler table = Loaded(builder.Build());
  ASSERT_EQ(3, table.ColumnCount());
  EXPECT_EQ("", table.GetColumnLabel(1));
  EXPECT_EQ("b", table.GetColumnLabel(2));

  // 4094 bytes with the zero byte load; see the malformed table for 4095.
  builder.columnSection = std::string(4092, 'x') + "\t" + std::string(1, '\0');
  EXPECT_EQ(1, Loaded(builder.Build()).ColumnCount());
}

TEST(T2DAHandlerTest, TablesWithoutRowsOrColumns) {
  T2DAHandler noRows = Loaded(TwoDaBuilder::Table({"a", "b"}, {}).Build());
  EXPECT_EQ(2, noRows.ColumnCount());
  EXPECT_EQ(0, noRows.RowCount());
  ExpectDead([&] { noRows.GetCell(0, 0); }, 18,
             "Invalid row index specified, unable to look up cell value.");

  TwoDaBuilder builder = TwoDaBuilder::Table({}, {});
  builder.rowCount = 2;
  builder.rowSection = "r0\tr1\t";
  builder.writeOffsets = false;
  T2DAHandler noColumns = Loaded(builder.Build());
  EXPECT_EQ(1, noColumns.Loaded());
  EXPECT_EQ(2, noColumns.RowCount());
  ExpectDead([&] { noColumns.GetCell(0, 0); }, 19,
             "Invalid column index specified, unable to look up cell value.");
}

TEST(T2DAHandlerTest, RowAndCellLimits) {
  TwoDaBuilder rows =
      TwoDaBuilder::Table({"c"}, std::vector<std::vector<std::string>>(9999, {"v"}));
  EXPECT_EQ(9999, Loaded(rows.Build()).RowCount());

  TwoDaBuilder longCell = TwoDaBuilder::Table({"c"}, {{std::string(4095, 'q')}});
  EXPECT_EQ(4095u, Loaded(longCell.Build()).GetCell(0, 0).size());

  TwoDaBuilder longLabel = TwoDaBuilder::Table({"c"}, {{"v"}});
  longLabel.rowSection = std::string(4096, 'r') + "\t";
  EXPECT_EQ(4096u, Loaded(longLabel.Build()).RowLabels()[0].size());

  TwoDaBuilder zeroInLabel = TwoDaBuilder::Table({"c"}, {{"v"}});
  zeroInLabel.rowSection = std::string("ab\0cd\t", 6);
  EXPECT_EQ("ab", Loaded(zeroInLabel.Build()).RowLabels()[0]);
}

TEST(T2DAHandlerTest, CellAtTheEndOfTheFile) {
  TwoDaBuilder builder = TwoDaBuilder::Table({"a", "b"}, {{"x", "y"}});
  builder.offsets[1] = static_cast<uint16_t>(builder.cellData.size());
  EXPECT_EQ("", Loaded(builder.Build()).GetCell(0, 1));  // no bytes: an empty text

  builder.cellData += "tail";  // a cell cut off by the end of the file
  builder.offsets[1] = 4;
  EXPECT_EQ("", Loaded(builder.Build()).GetCell(0, 1));
}

struct MalformedTable {
  const char* name;
  std::function<void(TwoDaBuilder&)> breakIt;
  std::function<std::string(std::string)> cut;  // optional: shortens the built bytes
  int code;
  const char* message;
};

TEST(T2DAHandlerTest, MalformedTablesAreRefused) {
  const char* kCodeThree = "Malformatted data encountered while reading 2DA! Unable to continue!";
  const char* kCodeFive =
      "Attempted to read past end of file while reading 2DA cell entry. Aborting...";
  const char* kCodeSix = "Buffer overflow while reading 2DA cell entry. This is very bad.";
  auto none = [](TwoDaBuilder&) {};
  auto keepFirst = [](size_t n) { return [n](std::string s) { return s.substr(0, n); }; };
  const std::vector<MalformedTable> cases = {
      {"text 2DA", [](TwoDaBuilder& b) { b.signature = "2DA V2.0"; }, nullptr, 1,
       "Specified file was a 2DA file but not in binary format. That format is unhandled at this "
       "time. "
       "Unable to load."},
      {"other signature", [](TwoDaBuilder& b) { b.signature = "2DA V3.b"; }, nullptr, 2,
       "Specified file is not a valid binary 2DA file. Unable to load."},
      {"shorter than the signature", none, keepFirst(7), 2,
       "Specified file is not a valid binary 2DA file. Unable to load."},
      {"label section of 4095 bytes",
       [](TwoDaBuilder& b) {
         b.columnSection = std::string(4093, 'x') + "\t" + std::string(1, '\0');
       },
       nullptr, 3, kCodeThree},
      {"ends inside the labels", none, keepFirst(12), 3, kCodeThree},
      {"10000 rows", [](TwoDaBuilder& b) { b.rowCount = 10000; }, nullptr, 4,
       "Sanity check failed, number of 2DA rows reported as unrealistically large! Load aborted."},
      {"row count that reads as negative", [](TwoDaBuilder& b) { b.rowCount = 0xFFFFFFFF; },
       nullptr, 4,
       "Sanity check failed, number of 2DA rows reported as unrealistically large! Load aborted."},
      {"ends inside the row count", none, keepFirst(9 + 7 + 2), 9,
       "Malformed 2DA data: the file ends inside the row count."},
      {"ends inside the row labels", [](TwoDaBuilder& b) { b.rowSection = "0\t1\t2"; },
       keepFirst(9 + 7 + 4 + 5), 9, "Malformed 2DA data: the file ends inside the label of row 2."},
      {"row label of 4097 bytes",
       [](TwoDaBuilder& b) { b.rowSection = "0\t" + std::string(4097, 'r') + "\t2\t"; }, nullptr, 9,
       "Malformed 2DA data: the label of row 1 is longer than 4096 bytes."},
      {"ends inside the offsets", none, keepFirst(9 + 7 + 4 + 6 + 7), 9,
       "Malformed 2DA data: the table of 9 cell offsets lies beyond the end of the file."},
      {"row count beyond the offsets",
       [](TwoDaBuilder& b) {
         b.rowCount = 5000, b.rowSection = "";
         for (int i = 0; i < 5000; ++i) b.rowSection += "r\t";
       },
       nullptr, 9,
       "Malformed 2DA data: the table of 15000 cell offsets lies beyond the end of the file."},
      {"cell beyond the end",
       [](TwoDaBuilder& b) { b.offsets[4] = static_cast<uint16_t>(b.cellData.size() + 1); },
       nullptr, 5, kCodeFive},
      {"cell of 4096 characters",
       [](TwoDaBuilder& b) {
         b.cellData += std::string(4096, 'q') + '\0';
         b.offsets[8] = static_cast<uint16_t>(b.cellData.size() - 4097);
       },
       nullptr, 6, kCodeSix},
      {"cut-off cell over 4096 characters",
       [](TwoDaBuilder& b) {
         b.cellData += std::string(4097, 'q');
         b.offsets[8] = static_cast<uint16_t>(b.cellData.size() - 4097);
       },
       nullptr, 6, kCodeSix},
  };
  for (const MalformedTable& c : cases) {
    SCOPED_TRACE(c.name);
    TwoDaBuilder builder =
        TwoDaBuilder::Table({"a", "b", "c"}, {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}});
    c.breakIt(builder);
    std::string bytes = builder.Build();
    if (c.cut) bytes = c.cut(bytes);
    T2DAHandler table;
    ExpectDead([&] { table.LoadFromMemory(bytes, "bad.2da"); }, c.code, c.message);
    EXPECT_EQ(0, table.Loaded());
    EXPECT_EQ(c.code <= 2 ? "" : "bad.2da", table.FileName());
  }
}

TEST(T2DAHandlerTest, FailedHeaderCheckKeepsTheTable) {
  T2DAHandler table = Loaded(SmallTable().Build(), "good.2da");
  TwoDaBuilder text = SmallTable();
  text.signature = "2DA V2.0";
  ExpectDead([&] { table.LoadFromMemory(text.Build(), "text.2da"); }, 1,
             "Specified file was a 2DA file but not in binary format. That format is unhandled at "
             "this time. "
             "Unable to load.");
  EXPECT_EQ(1, table.Loaded());
  EXPECT_EQ("good.2da", table.FileName());
  EXPECT_EQ("Sword", table.GetCell(0, 1));
}

TEST(T2DAHandlerTest, FailureAfterTheHeaderEmptiesTheTable) {
  T2DAHandler table = Loaded(SmallTable().Build(), "good.2da");
  TwoDaBuilder huge = SmallTable();
  huge.rowCount = 10000;
  EXPECT_THROW(table.LoadFromMemory(huge.Build(), "huge.2da"), EDead);
  EXPECT_EQ(0, table.Loaded());
  EXPECT_EQ("huge.2da", table.FileName());
  ExpectDead([&] { table.RowCount(); }, 11,
             "No 2da file has been loaded. Unable to look up row count.");
}

TEST(T2DAHandlerTest, QueriesCheckLoadedThenIndices) {
  T2DAHandler empty;
  ExpectDead([&] { empty.GetColumnIndex("a"); }, 7,
             "No 2da file has been loaded. Unable to look up column labels.");
  ExpectDead([&] { empty.RowCount(); }, 11,
             "No 2da file has been loaded. Unable to look up row count.");
  ExpectDead([&] { empty.ColumnCount(); }, 12,
             "No 2da file has been loaded. Unable to look up column count.");
  ExpectDead([&] { empty.GetColumnLabel(0); }, 13,
             "No 2da file has been loaded. Unable to look up column label.");
  ExpectDead([&] { empty.GetCell(0, 0); }, 17,
             "No 2da file has been loaded. Unable to look up cell value.");

  T2DAHandler table = Loaded(SmallTable().Build());
  const char* kBadLabel = "Invalid column index specified, unable to look up column label.";
  const char* kBadRow = "Invalid row index specified, unable to look up cell value.";
  const char* kBadColumn = "Invalid column index specified, unable to look up cell value.";
  ExpectDead([&] { table.GetColumnLabel(-1); }, 14, kBadLabel);
  ExpectDead([&] { table.GetColumnLabel(4); }, 14, kBadLabel);
  ExpectDead([&] { table.GetCell(3, 0); }, 18, kBadRow);
  ExpectDead([&] { table.GetCell(-1, 9); }, 18, kBadRow);  // the row is checked first
  ExpectDead([&] { table.GetCell(0, 4); }, 19, kBadColumn);
  ExpectDead([&] { table.GetCell(0, -1); }, 19, kBadColumn);
}

TEST(T2DAHandlerTest, LoadsFromAFileAndReportsAMissingOne) {
  testing_support::ScratchFolder scratch;
  std::filesystem::path path = scratch.Write("table.2da", SmallTable().Build());
  T2DAHandler table;
  table.LoadFromFile(path.string());
  EXPECT_EQ(path.string(), table.FileName());
  EXPECT_EQ("Shield", table.GetCell(2, 1));
  std::filesystem::remove(path);

  const std::string missing = path.string() + ".missing";
  try {
    table.LoadFromFile(missing);
    ADD_FAILURE() << "no error for a missing file";
  } catch (const platform::EFOpenError& e) {
    EXPECT_EQ(0u, std::string(e.Message()).find("Cannot open file \"" + missing + "\". "));
  }
  EXPECT_EQ(1, table.Loaded());
  EXPECT_EQ(path.string(), table.FileName());
}

TEST(T2DAHandlerTest, EveryTruncationIsRefusedOrLoads) {
  const std::string bytes = SmallTable().Build();
  for (size_t length = 0; length <= bytes.size(); ++length) {
    T2DAHandler table;
    try {
      table.LoadFromMemory(std::string_view(bytes).substr(0, length), "cut.2da");
      EXPECT_EQ(1, table.Loaded());
    } catch (const EDead& e) {
      EXPECT_NE(0, e.HelpContext()) << length;
      EXPECT_EQ(0, table.Loaded());
    }
  }
}

}  // namespace
