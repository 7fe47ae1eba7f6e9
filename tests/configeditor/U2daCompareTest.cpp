// The 2DA compare's rules, without widgets: what it writes into changes.ini for pairs
// of tables built byte by byte, in the order it writes it.
#include "configeditor/rules/U2daCompare.h"

#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Exceptions.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/ScratchIni.h"
#include "tests/formats/GameFileBuilders.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Raises.h"

namespace quennet {
namespace {

using modifier_testing::Lines;
using Cells = std::vector<std::vector<std::string>>;

T2DAHandler Table(const std::vector<std::string>& columns, const Cells& rows) {
  T2DAHandler table;
  table.LoadFromMemory(game_file_builders::TwoDaBuilder::Table(columns, rows).Build(), "t.2da");
  return table;
}

const std::string kHead =
    Lines({"[Settings]", "FileExists=1", "[2DAList]", "Table0=Appearance.2DA"});

class CompareTest : public testing::Test {
 protected:
  TKV_Inifile& Ini(const std::string& text) { return scratch.Ini(text); }
  std::string Text() const { return scratch.Text(); }

  T2daCompareCounts Compare(const T2DAHandler& original, const T2DAHandler& modified,
                            const std::string& file = "Appearance.2DA") {
    result = Compare2daTables(
        scratch.Ini(), file, original, modified,
        {[this](const std::string& text) { warnings.push_back(text); }, [this] { ++phases; }});
    return result.counts;
  }

  modifier_testing::ScratchIni scratch;
  std::vector<std::string> warnings;
  int phases = 0;
  T2daCompareResult result;
};

const T2DAHandler kOriginal = Table({"label", "cost"}, {{"a", "1"}, {"My Row", "2"}});
const T2DAHandler kModified = Table(
    {"label", "cost", "newcol"},
    {{"a", "1", "x"}, {"My Row", "5", "****"}, {"New One", "3", "****"}, {"****", "****", "****"}});

TEST_F(CompareTest, AnIdenticalPairWritesNothing) {
  Ini(kHead);
  const T2daCompareCounts counts = Compare(kOriginal, kOriginal);
  EXPECT_EQ(kHead, Text());
  EXPECT_EQ(
      "Done comparing Appearance.2DA files, found 0 new columns, 0 new rows and 0 modified "
      "cells. Building modifiers...",
      CompareSummary("Appearance.2DA", counts));
  EXPECT_EQ(3, phases);
  EXPECT_TRUE(warnings.empty());
}

TEST_F(CompareTest, NewColumnModifiedCellAndNewRowsInThisOrder) {
  Ini(kHead);
  const T2daCompareCounts counts = Compare(kOriginal, kModified);
  const std::string first =
      kHead + Lines({"[Appearance.2DA]", "AddColumn0=appearance_col_newcol_0",
                     "ChangeRow0=appearance_mod_my_row_0", "AddRow0=appearance_row_new_one_0",
                     "AddRow1=appearance_row_****_0", "[appearance_col_newcol_0]",
                     "ColumnLabel=newcol", "DefaultValue=****", "I0=x", "I1=****", "I2=****",
                     "I3=****", "[appearance_mod_my_row_0]", "RowIndex=1", "cost=5",
                     "[appearance_row_new_one_0]", "label=New One", "cost=3"});
  EXPECT_EQ(first, Text()) << "an all-blank new row gets a key and no section";
  EXPECT_EQ(1, counts.newColumns);
  EXPECT_EQ(2, counts.newRows);
  EXPECT_EQ(1, counts.modifiedCells);

  Compare(kOriginal, kModified);  // a second run: labels end in _1, keys numbered on
  const std::string keys = "AddRow1=appearance_row_****_0\r\n";
  std::string second = first;
  second.insert(second.find(keys) + keys.size(),
                Lines({"AddColumn1=appearance_col_newcol_1", "ChangeRow1=appearance_mod_my_row_1",
                       "AddRow2=appearance_row_new_one_1", "AddRow3=appearance_row_****_1"}));
  second += Lines({"[appearance_col_newcol_1]", "ColumnLabel=newcol", "DefaultValue=****", "I0=x",
                   "I1=****", "I2=****", "I3=****", "[appearance_mod_my_row_1]", "RowIndex=1",
                   "cost=5", "[appearance_row_new_one_1]", "label=New One", "cost=3"});
  EXPECT_EQ(second, Text());
}

TEST_F(CompareTest, FewerRowsAndColumnsWarnAndTheCommonPartIsCompared) {
  Ini(kHead);
  const T2DAHandler original = Table({"a", "b"}, {{"1", "1"}, {"1", "1"}});
  const T2DAHandler modified = Table({"a"}, {{"2"}});
  Compare(original, modified, "spells");
  EXPECT_EQ((std::vector<std::string>{
                "Original file contained more rows than the modified file. The extra rows will "
                "be skipped.",
                "Original file contained more columns than the modified file. The extra columns "
                "will be skipped."}),
            warnings);
  EXPECT_EQ(
      kHead + Lines({"[spells]", "ChangeRow0=c__mod_0_0", "[c__mod_0_0]", "RowIndex=0", "a=2"}),
      Text());
}

TEST_F(CompareTest, RowNamesComeFromALabelColumnOnlyWhenOneIsLowerCase) {
  struct Case {
    std::vector<std::string> columns;
    const char* label;
  };
  const Case cases[] = {
      {{"Label", "label", "x"}, "appearance_mod_first_cell_0"},  // the first in any case
      {{"Label", "LABEL", "x"}, "appearance_mod_0_0"},
  };
  for (const Case& c : cases) {
    Ini(kHead);
    Compare(Table(c.columns, {{"First Cell", "second", "1"}}),
            Table(c.columns, {{"First Cell", "second", "2"}}));
    EXPECT_EQ(c.label, scratch.Ini().ReadString("Appearance.2DA", "ChangeRow0", ""));
  }
}

TEST_F(CompareTest, LabelsSkipEveryNameInUse) {
  // Another file sharing the prefix, a GFF file, a section of its own and a label of
  // this file in another case all take a candidate.
  Ini(Lines({"[Settings]", "FileExists=1", "[2DAList]", "Table0=appearance.2da",
             "Table1=appearance.2da.bak", "[GFFList]", "File0=appearance_mod_0_1",
             "[appearance.2da.bak]", "ChangeRow0=appearance_mod_0_0", "[appearance_mod_0_2]", "x=1",
             "[appearance.2da]", "AddRow0=APPEARANCE_MOD_0_3"}));
  Compare(Table({"a"}, {{"1"}}), Table({"a"}, {{"2"}}), "appearance.2da");
  EXPECT_EQ("appearance_mod_0_4", scratch.Ini().ReadString("appearance.2da", "ChangeRow0", ""));
  EXPECT_EQ("1", scratch.Ini().ReadString("appearance_mod_0_2", "x", "")) << "never written into";
  EXPECT_EQ("0", scratch.Ini().ReadString("appearance_mod_0_4", "RowIndex", ""));
}

// Row and column names holding what a section name cannot: each such character becomes
// "_" and the blanks at either end go before the numbering, so every key names the
// section that holds its modifier.
TEST_F(CompareTest, LabelsAreNamesChangesIniCanHold) {
  Ini(kHead);
  const T2DAHandler original =
      Table({"label", "v"}, {{"a]b", "1"}, {"\tpad\t", "1"}, {"x\r\ny", "1"}});
  const T2DAHandler modified =
      Table({"label", "v", "n]"},
            {{"a]b", "2", "1"}, {"\tpad\t", "2", "1"}, {"x\r\ny", "2", "1"}, {"]", "3", "****"}});
  const T2daCompareCounts counts = Compare(original, modified);
  EXPECT_EQ(kHead + Lines({"[Appearance.2DA]",
                           "AddColumn0=appearance_col_n__0",
                           "ChangeRow0=appearance_mod_a_b_0",
                           "ChangeRow1=appearance_mod_\tpad_0",
                           "ChangeRow2=appearance_mod_x__y_0",
                           "AddRow0=appearance_row___0",
                           "[appearance_col_n__0]",
                           "ColumnLabel=n]",
                           "DefaultValue=****",
                           "I0=1",
                           "I1=1",
                           "I2=1",
                           "I3=****",
                           "[appearance_mod_a_b_0]",
                           "RowIndex=0",
                           "v=2",
                           "[appearance_mod_\tpad_0]",
                           "RowIndex=1",
                           "v=2",
                           "[appearance_mod_x__y_0]",
                           "RowIndex=2",
                           "v=2",
                           "[appearance_row___0]",
                           "label=]",
                           "v=3"}),
            Text());
  EXPECT_EQ(3, counts.modifiedCells);
  EXPECT_EQ(1, counts.newRows);
}

// A label is also the value of its key, which reads back at most 2,047 characters: a
// long row name is cut so that the whole label fits.
TEST_F(CompareTest, ALabelFromALongRowNameFitsTheValuesThatReadBack) {
  Ini(kHead);
  const std::string name(3000, 'n');
  Compare(Table({"label", "v"}, {{name, "1"}}), Table({"label", "v"}, {{name, "2"}}));
  const std::string label = scratch.Ini().ReadString("Appearance.2DA", "ChangeRow0", "");
  EXPECT_LE(label.size(), 2047u);
  EXPECT_GT(label.size(), 2000u);
  EXPECT_EQ("appearance_mod_nnn", label.substr(0, 18));
  EXPECT_EQ("_0", label.substr(label.size() - 2));
  EXPECT_EQ("0", scratch.Ini().ReadString(label, "RowIndex", ""));
}

// Cells changes.ini reads back otherwise are written and named with their row and
// column; a cell under a column label the file cannot take as a key name is neither
// written nor counted.
TEST_F(CompareTest, CellsTheFileCannotHoldAsTheyStandAreNamed) {
  Ini(kHead);
  const std::string long3000(3000, 'x');
  const T2DAHandler original = Table({"label", "v", "a=b", " w"}, {{"r", "1", "1", "1"}});
  const T2DAHandler modified =
      Table({"label", "v", "a=b", " w"}, {{"r", " padded ", "2", "\"quoted\""},
                                          {"s", long3000, "3", "****"},
                                          {"t", "'q'", "4", "****"}});
  const T2daCompareCounts counts = Compare(original, modified);
  EXPECT_EQ(kHead + Lines({"[Appearance.2DA]", "ChangeRow0=appearance_mod_r_0",
                           "AddRow0=appearance_row_s_0", "AddRow1=appearance_row_t_0",
                           "[appearance_mod_r_0]", "RowIndex=0", "v= padded ", "w=\"quoted\"",
                           "[appearance_row_s_0]", "label=s", ("v=" + long3000).c_str(),
                           "[appearance_row_t_0]", "label=t", "v='q'"}),
            Text());
  EXPECT_EQ(2, counts.modifiedCells) << "the cell under \"a=b\" is not counted";
  EXPECT_EQ(
      "These changes were not written, as changes.ini cannot hold them:\n"
      "row 0, column a=b: The key name \"a=b\" cannot be stored in an INI file: it holds \"=\".\n"
      "row 1, column a=b: The key name \"a=b\" cannot be stored in an INI file: it holds \"=\".\n"
      "row 2, column a=b: The key name \"a=b\" cannot be stored in an INI file: it holds \"=\".\n"
      "\n"
      "These changes were written, but changes.ini reads them back otherwise:\n"
      "row 0, column v: blanks at either end are not read back\n"
      "row 0, column  w: blanks at either end of its key name \" w\" are not written\n"
      "row 0, column  w: its enclosing quotes are not read back\n"
      "row 1, column v: only its first 2,047 characters are read back\n"
      "row 2, column v: its enclosing quotes are not read back",
      UnheldChangesWarning(result.unheld));
}

// The result is checked as it grows: the write that would pass the size the program
// reads back stops the compare, and its batch writes nothing.
TEST_F(CompareTest, ACompareWhoseResultWouldPassTheReadLimitWritesNothing) {
  TKV_Inifile& ini = scratch.IniNearTheReadLimit(kHead, 200);
  const std::uintmax_t size = std::filesystem::file_size(scratch.Path());
  const T2DAHandler original = Table({"label", "v"}, {{"a", "1"}});
  const T2DAHandler modified = Table({"label", "v"}, {{"a", std::string(300, 'x')}});
  testing_support::ExpectRaises<platform::EIniFileException>(
      [&] {
        TIniBatch batch(ini);
        Compare(original, modified);
        batch.UpdateFile();
      },
      "Unable to write to " + scratch.Path() + "\n" + TooLargeResultSentence());
  EXPECT_EQ(size, std::filesystem::file_size(scratch.Path()));
  EXPECT_EQ("", TKV_Inifile(scratch.Path()).ReadString("Appearance.2DA", "ChangeRow0", ""));
}

TEST_F(CompareTest, KeysAreNumberedOverEveryKeyOfTheFile) {
  Ini(kHead + Lines({"[Appearance.2DA]", "ChangeRow0=", "changerow2=x"}));
  Compare(Table({"a"}, {{"1"}, {"1"}, {"1"}}), Table({"a"}, {{"2"}, {"2"}, {"2"}}));
  EXPECT_EQ((std::vector<std::string>{"ChangeRow0", "changerow2", "ChangeRow1", "ChangeRow3",
                                      "ChangeRow4"}),
            scratch.Ini().ReadSection("Appearance.2DA"));
}

TEST_F(CompareTest, TablesWithoutRows) {
  Ini(kHead);
  const T2daCompareCounts counts = Compare(Table({"a"}, {}), Table({"a", "b"}, {}));
  EXPECT_EQ(kHead + Lines({"[Appearance.2DA]", "AddColumn0=appearance_col_b_0",
                           "[appearance_col_b_0]", "ColumnLabel=b", "DefaultValue=****"}),
            Text());
  EXPECT_EQ(0, counts.newRows);
  EXPECT_EQ(0, counts.modifiedCells);
}

// Another process writes changes.ini while a compare runs in its batch (here between
// two of its phases, where the window lets messages run). A modifier it lists under the
// number the compare picked makes the compare's commit fail with the write error, and
// the other process's modifier stands; a change elsewhere is kept beside the compare's.
TEST_F(CompareTest, AnotherProcessWritingDuringACompareLosesNothing) {
  struct Case {
    const char* name;
    std::function<void(TKV_Inifile&)> theirs;
    bool refused;
  };
  const Case cases[] = {
      {"they list a modifier under the same number",
       [](TKV_Inifile& ini) {
         TIniBatch batch(ini);
         ini.WriteString("Appearance.2DA", "ChangeRow0", "theirs");
         ini.WriteString("theirs", "RowIndex", "7");
       },
       true},
      {"they change another section",
       [](TKV_Inifile& ini) { ini.WriteString("Settings", "LogLevel", "4"); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TKV_Inifile& ini = Ini(kHead);
    const std::string path = scratch.Path();
    std::string theirs;
    std::optional<std::string> refusal;
    {
      TIniBatch batch(ini);
      Compare2daTables(ini, "Appearance.2DA", Table({"a"}, {{"1"}}), Table({"a"}, {{"2"}}),
                       {[](const std::string&) {},
                        [&] {
                          if (!theirs.empty()) return;
                          testing_support::ExpectChildSucceeded(testing_support::RunInChild([&] {
                            TKV_Inifile other(path);
                            c.theirs(other);
                          }));
                          theirs = Text();
                        }});
      refusal =
          testing_support::RaisedMessage<platform::EIniFileException>([&] { batch.UpdateFile(); });
    }
    if (c.refused) {
      EXPECT_EQ("Unable to write to " + path, refusal.value_or("nothing was refused"));
      EXPECT_EQ(theirs, Text());
      continue;
    }
    EXPECT_EQ(std::nullopt, refusal);
    EXPECT_EQ("4", ini.ReadString("Settings", "LogLevel", ""));
    EXPECT_EQ("appearance_mod_0_0", ini.ReadString("Appearance.2DA", "ChangeRow0", ""));
    EXPECT_EQ("2", ini.ReadString("appearance_mod_0_0", "a", ""));
  }
}

TEST(CompareLabelTest, PrefixAndFragment) {
  EXPECT_EQ("appearance", CompareLabelPrefix("Appearance.2DA"));
  EXPECT_EQ("a.b", CompareLabelPrefix("A.b.2da.2da"));
  EXPECT_EQ("c_", CompareLabelPrefix("foo.txt"));
  EXPECT_EQ("c_", CompareLabelPrefix(".2da"));
  EXPECT_EQ("my_row__x", LabelFragment("My Row  X"));
}

}  // namespace
}  // namespace quennet
