// The keys of 2DA modifier sections, without widgets: the kinds of modifier keys, the
// line identifier of ChangeRow and CopyRow sections and the AddColumn settings.
#include "configeditor/rules/U2daModifierKeys.h"

#include <gtest/gtest.h>

#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/ScratchIni.h"

namespace quennet {
namespace {

using modifier_testing::kTail;
using modifier_testing::Lines;

TEST(ModifierKindTest, KindOfAKey) {
  EXPECT_EQ(T2daModifierKind::CopyRow, KindOfModifierKey("CopyRow12", false));
  EXPECT_EQ(std::nullopt, KindOfModifierKey("copyrow12", false));
  EXPECT_EQ(T2daModifierKind::CopyRow, KindOfModifierKey("copyrow12", true));
  EXPECT_EQ(std::nullopt, KindOfModifierKey("", true));
  EXPECT_STREQ("AddColumn", KindWord(T2daModifierKind::AddColumn));
}

TEST(RowIdentifierTest, LoadRepairsOnlyASectionWithoutOne) {
  struct Case {
    std::string before;
    std::string after;
    TRowIdentifier shown;
  };
  const Case cases[] = {
      {kTail, kTail + Lines({"[m]", "RowIndex=0"}), {"RowIndex", ""}},
      {Lines({"[m]", "A=1"}) + kTail,
       Lines({"[m]", "RowIndex=0", "A=1"}) + kTail,
       {"RowIndex", ""}},
      {Lines({"[m]", "rowlabel=x", "A=1"}) + kTail,
       Lines({"[m]", "rowlabel=x", "A=1"}) + kTail,
       {"RowLabel", "x"}},
      {Lines({"[m]", "LABELINDEX=3"}), Lines({"[m]", "LABELINDEX=3"}), {"LabelIndex", "3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    modifier_testing::ScratchIni scratch;
    const TRowIdentifier shown = LoadRowIdentifier(scratch.Ini(c.before), "m");
    EXPECT_EQ(c.after, scratch.Text());
    EXPECT_EQ(c.shown.name, shown.name);
    EXPECT_EQ(c.shown.value, shown.value);
  }
}

TEST(RowIdentifierTest, SetKeepsTheSpellingOfTheSameIdentifierAndDropsOthers) {
  modifier_testing::ScratchIni scratch;
  scratch.Ini(Lines({"[m]", "rowindex=1", "A=1", "LabelIndex=2", "B=2"}) + kTail);
  SetRowIdentifier(scratch.Ini(), "m", "RowIndex", "4");
  EXPECT_EQ(Lines({"[m]", "rowindex=4", "A=1", "LabelIndex=2", "B=2"}) + kTail, scratch.Text());
  SetRowIdentifier(scratch.Ini(), "m", "RowLabel", "x");
  EXPECT_EQ(Lines({"[m]", "RowLabel=x", "A=1", "B=2"}) + kTail, scratch.Text());
}

TEST(ColumnSettingsTest, LoadKeepsAStoredLabelOfAnyCaseAndPosition) {
  struct Case {
    std::string before;
    std::string after;
    const char* label;
    const char* defaultValue;
  };
  const Case cases[] = {
      {"", Lines({"[m]", "ColumnLabel=NewColumn", "DefaultValue=****"}), "NewColumn", "****"},
      {Lines({"[m]", "I0=a", "COLUMNLABEL=abc", "DefaultValue="}),
       Lines({"[m]", "ColumnLabel=abc", "DefaultValue=", "I0=a"}), "abc", ""},
      {Lines({"[m]", "ColumnLabel=abc", "I0=a"}), Lines({"[m]", "ColumnLabel=abc", "I0=a"}), "abc",
       "****"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    modifier_testing::ScratchIni scratch;
    const TColumnSettings shown = LoadColumnSettings(scratch.Ini(c.before), "m");
    EXPECT_EQ(c.after, scratch.Text());
    EXPECT_EQ(c.label, shown.label);
    EXPECT_EQ(c.defaultValue, shown.defaultValue);
  }
}

TEST(ExclusiveColumnTest, AnEmptyColumnRemovesTheKey) {
  modifier_testing::ScratchIni scratch;
  TKV_Inifile& ini = scratch.Ini(Lines({"[m]", "RowIndex=1"}));
  EXPECT_EQ("", ReadExclusiveColumn(ini, "m"));
  StoreExclusiveColumn(ini, "m", "label");
  EXPECT_EQ("label", ReadExclusiveColumn(ini, "m"));
  EXPECT_EQ(Lines({"[m]", "RowIndex=1", "ExclusiveColumn=label"}), scratch.Text());
  StoreExclusiveColumn(ini, "m", "");
  EXPECT_EQ(Lines({"[m]", "RowIndex=1"}), scratch.Text());
}

}  // namespace
}  // namespace quennet
