#include "configeditor/rules/UModifierSections.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "platform/Exceptions.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/platform/FaultInjector.h"
#include "tests/support/ScratchFolder.h"

namespace quennet {
namespace {

using modifier_testing::Lines;

class ModifierSectionsTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return folder.PathOf(name); }
  TKV_Inifile& Ini(const std::string& text) {
    platform::ReplaceFile(PathOf("changes.ini"), text);
    ini = std::make_unique<TKV_Inifile>(PathOf("changes.ini"));
    return *ini;
  }
  std::string Text() const { return platform::ReadWholeFile(PathOf("changes.ini")); }

  testing_support::ScratchFolder folder;
  std::unique_ptr<TKV_Inifile> ini;
};

const std::vector<std::string> kIdentifiers = {"RowIndex", "RowLabel", "LabelIndex"};

TEST_F(ModifierSectionsTest, KeysFirstRewrite) {
  struct Case {
    const char* name;
    std::string before;
    std::vector<std::string> identifying;
    TKeyValues keys;
    std::string after;
  };
  const Case cases[] = {
      {"an empty section is written in place",
       Lines({"[m]"}),
       kIdentifiers,
       {{"RowIndex", "0"}},
       Lines({"[m]", "RowIndex=0"})},
      {"a section that begins with the key is written in place",
       Lines({"[m]", "RowIndex=1", "A=1", "[n]", "x=1"}),
       kIdentifiers,
       {{"RowIndex", "5"}},
       Lines({"[m]", "RowIndex=5", "A=1", "[n]", "x=1"})},
      {"other keys follow in their order; identifiers not written again are gone",
       Lines({"[m]", "RowIndex=1", "A=1", "LabelIndex=2", "B=2", "[n]", "x=1"}),
       kIdentifiers,
       {{"RowLabel", "r"}},
       Lines({"[m]", "RowLabel=r", "A=1", "B=2", "[n]", "x=1"})},
      {"an identifier in another case is not parked over the value just set",
       Lines({"[m]", "A=1", "rowlabel=old"}),
       kIdentifiers,
       {{"RowLabel", "new"}},
       Lines({"[m]", "RowLabel=new", "A=1"})},
      {"two settings come first in the order given",
       Lines({"[m]", "ColumnLabel=abc", "I0=a", "DefaultValue=x"}),
       {"ColumnLabel", "DefaultValue"},
       {{"ColumnLabel", "abc"}, {"DefaultValue", "x"}},
       Lines({"[m]", "ColumnLabel=abc", "DefaultValue=x", "I0=a"})},
      {"line breaks in values survive the move",
       Lines({"[m]", "A=one<#LF#>two", "RowIndex=1"}),
       kIdentifiers,
       {{"RowIndex", "2"}},
       Lines({"[m]", "RowIndex=2", "A=one<#LF#>two"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RewriteKeysFirst(Ini(c.before), "m", c.identifying, c.keys);
    EXPECT_EQ(c.after, Text());
  }
}

TEST_F(ModifierSectionsTest, KeysFirstRewriteMovesLinesAsTheyStand) {
  const std::string longLine = "A = \"  " + std::string(3000, 'v') + "  \"\r\n";
  const std::string before = Lines({"[aaTempWorkSectionaa]", "Left=over", "[m]"}) + longLine +
                             Lines({"; note", "B=1", "b=2", "RowIndex=1", "[n]", "x=1"});
  RewriteKeysFirst(Ini(before), "m", kIdentifiers, {{"RowLabel", "r"}});
  EXPECT_EQ(Lines({"[aaTempWorkSectionaa]", "Left=over", "[m]", "RowLabel=r"}) + longLine +
                Lines({"B=1", "b=2", "; note", "[n]", "x=1"}),
            Text());
}

TEST_F(ModifierSectionsTest, AFailingKeysFirstRewriteLeavesTheFileAsItWas) {
  const std::string path = PathOf("changes.ini");
  const std::string before = Lines({"[m]", "A=1", "RowIndex=1"});
  std::ofstream(path, std::ios::binary) << before;
  TKV_Inifile file(path);
  // The one write fails.
  fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
  EXPECT_THROW(RewriteKeysFirst(file, "m", kIdentifiers, {{"RowLabel", "r"}}),
               platform::EIniFileException);
  EXPECT_EQ(before, platform::ReadWholeFile(path));
}

TEST_F(ModifierSectionsTest, AddingCopyingAndDeletingModifiers) {
  TKV_Inifile& file = Ini(Lines({"[spells.2da]", "AddRow0=a", "ChangeRow1=", "[a]", "RowIndex=1",
                                 "label=x", "ExclusiveColumn=label"}));
  EXPECT_EQ("ChangeRow0", AddModifier(file, "spells.2da", "ChangeRow", "b"));
  EXPECT_EQ("AddRow1", CopyModifier(file, "spells.2da", "AddRow", "a", "a2"));
  EXPECT_EQ(Lines({"[spells.2da]", "AddRow0=a", "ChangeRow1=", "ChangeRow0=b", "AddRow1=a2", "[a]",
                   "RowIndex=1", "label=x", "ExclusiveColumn=label", "[a2]", "RowIndex=1",
                   "label=x", "ExclusiveColumn=label"}),
            Text());
  DeleteModifier(file, "spells.2da", "AddRow0", "a");
  EXPECT_EQ(Lines({"[spells.2da]", "ChangeRow1=", "ChangeRow0=b", "AddRow1=a2", "[a2]",
                   "RowIndex=1", "label=x", "ExclusiveColumn=label"}),
            Text());
}

// The new key and the copied keys reach the file in one write, or none of them does.
TEST_F(ModifierSectionsTest, AFailingCopyLeavesTheFileAsItWas) {
  const std::string before = Lines({"[spells.2da]", "AddRow0=a", "[a]", "label=x"});
  TKV_Inifile& file = Ini(before);
  fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
  EXPECT_THROW(CopyModifier(file, "spells.2da", "AddRow", "a", "b"), platform::EIniFileException);
  EXPECT_EQ(before, Text());
}

TEST_F(ModifierSectionsTest, DeletingARowBringsALaterLineOfTheNameToLight) {
  TKV_Inifile& file = Ini(Lines({"[m]", "A=1", "B=2", "A=3"}));
  EXPECT_EQ("3", DeleteModifierRow(file, "m", "A"));
  EXPECT_EQ("", DeleteModifierRow(file, "m", "B"));
  StoreModifierRow(file, "m", "a", "4");
  EXPECT_EQ(Lines({"[m]", "A=4"}), Text());
}

TEST_F(ModifierSectionsTest, ValueTokensOfListedModifiersUpToTheDialogsOwn) {
  TKV_Inifile& file =
      Ini(Lines({"[TLKList]",        "StrRef0=1",     "StrRef1=",       "strref2=3",
                 "Other=4",  //
                 "[2DAList]",        "Table0=a.2da",  "Table1=",        "Table2=b.2da",
                 "Table3=c.2da",     "[a.2da]",       "AddRow0=first",  "ChangeRow0=",
                 "AddRow1=own",      "AddRow2=later", "[b.2da]",        "AddRow0=inb",
                 "[c.2da]",          "AddRow0=inc",   "[first]",        "2DAMEMORY1=row",
                 "2damemory1=again", "x=1",           "[own]",          "2DAMEMORY2=row",
                 "2DAMEMORY1=dup",   "[later]",       "2DAMEMORY3=row", "[inb]",
                 "2DAMEMORY4=row",   "[inc]",         "2DAMEMORY5=row"}));
  using Tokens = std::vector<std::string>;
  EXPECT_EQ((Tokens{"high()", "StrRef0", "2DAMEMORY1", "2DAMEMORY2"}),
            ValueTokens(file, {"high()"}, "a.2da", "own"));
  EXPECT_EQ((Tokens{"StrRef0", "2DAMEMORY1", "2DAMEMORY2", "2DAMEMORY3"}),
            ValueTokens(file, {}, "a.2da", "missing"))
      << "a label not found scans its file to the end";
  EXPECT_EQ(
      (Tokens{"StrRef0", "2DAMEMORY1", "2DAMEMORY2", "2DAMEMORY3", "2DAMEMORY4", "2DAMEMORY5"}),
      ValueTokens(file, {}, "unlisted.2da", "missing"))
      << "a file not listed scans every file";
}

TEST_F(ModifierSectionsTest, TwoDaBesideChangesIni) {
  Ini(Lines({"[Settings]", "FileExists=1"}));
  const std::string ini = PathOf("changes.ini");
  EXPECT_EQ(std::nullopt, Find2daBesideIni(ini, "appearance.2da"));
  modifier_testing::Write2da(PathOf("Appearance.2DA"), {"a"});
  EXPECT_EQ(PathOf("Appearance.2DA"), Find2daBesideIni(ini, "appearance.2da"))
      << "the only match without regard to case";
  modifier_testing::Write2da(PathOf("APPEARANCE.2da"), {"a"});
  EXPECT_EQ(std::nullopt, Find2daBesideIni(ini, "appearance.2da")) << "two matches: none is taken";
  modifier_testing::Write2da(PathOf("appearance.2da"), {"a"});
  EXPECT_EQ(PathOf("appearance.2da"), Find2daBesideIni(ini, "appearance.2da"))
      << "exact name first";
  EXPECT_EQ(std::nullopt, Find2daBesideIni(PathOf("missing.ini"), "appearance.2da"));
  EXPECT_EQ(std::nullopt, Find2daBesideIni("", "appearance.2da"));
}

}  // namespace
}  // namespace quennet
