// The file lists' rules without widgets: the names of changes.ini, trimmed and
// refused file names, and the one add and remove command of the three categories.
#include "configeditor/rules/UFileCategories.h"

#include <gtest/gtest.h>

#include <memory>

#include "configeditor/rules/UChangesIniNames.h"
#include "platform/Files.h"
#include "tests/support/IniText.h"
#include "tests/support/ScratchFolder.h"

namespace quennet {
namespace {

using testing_support::Lines;

class FileCategoriesTest : public testing::Test {
 protected:
  TKV_Inifile& Ini(const std::string& text) {
    platform::ReplaceFile(Path(), text);
    FIni = std::make_unique<TKV_Inifile>(Path());
    return *FIni;
  }
  std::string Text() const { return platform::ReadWholeFile(Path()); }
  std::string Path() const { return FFolder.PathOf("changes.ini"); }

 private:
  testing_support::ScratchFolder FFolder;
  std::unique_ptr<TKV_Inifile> FIni;
};

const std::string kHead = Lines({"[Settings]", "FileExists=1"});

TEST(ChangesIniNamesTest, PrefixTests) {
  struct Case {
    const char* key;
    bool replace, addField, gffSetting, strRef, memory;
  };
  const Case cases[] = {
      {"Replace0", true, false, false, false, false},
      {"replace0", false, false, false, false, false},
      {"AddField3", false, true, false, false, false},
      {"ADDFIELDx", false, true, false, false, false},
      {"AddFiel", false, false, false, false, false},
      {"!ReplaceFile", false, false, true, false, false},
      {"!DESTINATIONx", false, false, true, false, false},
      {"!Destinatio", false, false, false, false, false},
      {"StrRef12", false, false, false, true, false},
      {"strref12", false, false, false, false, false},
      {"2DAMEMORY1", false, false, false, false, true},
      {"2damemory1", false, false, false, false, false},
      {"", false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(c.replace, IsSsfReplaceKey(c.key));
    EXPECT_EQ(c.addField, IsAddFieldKey(c.key));
    EXPECT_EQ(c.gffSetting, IsGffSettingKey(c.key));
    EXPECT_EQ(c.strRef, IsStrRefToken(c.key));
    EXPECT_EQ(c.memory, Is2daMemoryToken(c.key));
  }
}

// The trim of typed names is tested with the other list rules (FileKindsTest).
TEST(FileNamesTest, IgnoredNames) {
  EXPECT_TRUE(IsNoFileName(""));
  EXPECT_TRUE(IsNoFileName("N/A"));
  EXPECT_FALSE(IsNoFileName("n/a"));
}

TEST_F(FileCategoriesTest, AddNumbersEachListOnItsOwn) {
  TKV_Inifile& ini = Ini(kHead + Lines({"[2DAList]", "Table0=a.2da", "table2=b.2da", "[GFFList]",
                                        "File0=a.utc", "[SSFList]", "Replace0=a.ssf"}));
  EXPECT_EQ(std::nullopt, AddListedFile(ini, FileCategory(TFileKind::TwoDa), "c.2da"));
  EXPECT_EQ(std::nullopt, AddListedFile(ini, FileCategory(TFileKind::Gff), "b.utc"));
  EXPECT_EQ(std::nullopt, AddListedFile(ini, FileCategory(TFileKind::Ssf), "b.ssf"));
  EXPECT_EQ(
      kHead + Lines({"[2DAList]", "Table0=a.2da", "table2=b.2da", "Table1=c.2da", "[GFFList]",
                     "File0=a.utc", "File1=b.utc", "[SSFList]", "Replace0=a.ssf", "File0=b.ssf"}),
      Text());
}

TEST_F(FileCategoriesTest, NamesInUseAreRefusedInEveryCategory) {
  const std::string text =
      kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]", "AddRow0=my_row",
                     "[GFFList]", "File0=a.utc", "[SSFList]", "File0=a.ssf", "[loose]", "k=v"});
  const char* taken[] = {"SPELLS.2DA", "A.UTC",   "a.Ssf",    "LOOSE",
                         "my_ROW",     "gfflist", "settings", "AATEMPWORKSECTIONAA",
                         "InstallList"};
  for (const TFileCategory& category : kFileCategories) {
    for (const char* name : taken) {
      SCOPED_TRACE(std::string(category.typeWord) + " " + name);
      TKV_Inifile& ini = Ini(text);
      EXPECT_TRUE(IsFileNameInUse(ini, name));
      EXPECT_EQ(kFileNameInUseWarning, AddListedFile(ini, category, name));
      EXPECT_EQ(text, Text());
    }
  }
}

TEST_F(FileCategoriesTest, RemoveDeletesEveryListingAndWhatGoesWithTheFile) {
  struct Case {
    TFileKind kind;
    std::string before;
    std::string after;
  };
  const std::string rest = Lines({"[other]", "k=v"});
  const Case cases[] = {
      // A 2DA file's modifiers go with it.
      {TFileKind::TwoDa,
       Lines({"[2DAList]", "Table0=x", "Table1=y", "Table2=x", "[x]", "AddRow0=m1",
              "ChangeRow0=", "CopyRow0=gone", "[m1]", "RowLabel=1"}) +
           rest,
       Lines({"[2DAList]", "Table1=y"}) + rest},
      // A GFF file's new-field sections stay.
      {TFileKind::Gff,
       Lines({"[GFFList]", "File0=x", "Replace1=x", "File1=y", "[x]", "AddField0=nf", "Tag=a",
              "[nf]", "FieldType=Byte"}) +
           rest,
       Lines({"[GFFList]", "File1=y", "[nf]", "FieldType=Byte"}) + rest},
      {TFileKind::Ssf,
       Lines({"[SSFList]", "Replace0=x", "File0=y", "File1=x", "[x]", "Death=42"}) + rest,
       Lines({"[SSFList]", "File0=y"}) + rest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(FileCategory(c.kind).typeWord);
    TKV_Inifile& ini = Ini(kHead + c.before);
    RemoveListedFile(ini, FileCategory(c.kind), "x");
    EXPECT_EQ(kHead + c.after, Text());
  }
}

}  // namespace
}  // namespace quennet
