// The rules of the install list, the compile list and the StrRef tokens, on whole
// changes.ini texts before and after, without widgets.
#include <errno.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "configeditor/rules/UCompileList.h"
#include "configeditor/rules/UFileKinds.h"
#include "configeditor/rules/UInstallList.h"
#include "configeditor/rules/USsfSections.h"
#include "configeditor/rules/UTlkTokens.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/ScratchIni.h"
#include "tests/platform/FaultInjector.h"

namespace quennet {
namespace {

using modifier_testing::Lines;

class ListRulesTest : public testing::Test {
 protected:
  TKV_Inifile& Ini(const std::string& text) { return FScratch.Ini(text); }
  std::string Text() const { return FScratch.Text(); }
  std::string Path() const { return FScratch.Path(); }

  modifier_testing::ScratchIni FScratch;
};

TEST(FileKindsTest, ReplaceKeysAndTrimmedNames) {
  EXPECT_TRUE(IsReplaceKey("Replace0"));
  EXPECT_TRUE(IsReplaceKey("REPLACEx"));
  EXPECT_FALSE(IsReplaceKey("Replac0"));
  EXPECT_FALSE(IsReplaceKey("File0"));
  EXPECT_EQ("a.2da", TrimmedName(" \ta.2da  "));
  EXPECT_EQ("a b", TrimmedName("a b"));
  EXPECT_EQ("", TrimmedName(" \t "));
}

// The soundset list judges "Replace" with its case, the install and compile lists
// without: both rules live in one program and neither may stand in for the other.
TEST_F(ListRulesTest, EachListJudgesItsKindsByItsOwnRule) {
  TKV_Inifile& ini = Ini(Lines({"[SSFList]", "replace0=a.ssf", "Replace1=b.ssf"}));
  EXPECT_EQ(std::optional<bool>(false), SsfListKind(ini, "a.ssf"));
  EXPECT_EQ(std::optional<bool>(true), SsfListKind(ini, "b.ssf"));
  EXPECT_TRUE(IsReplaceKey("replace0"));
}

TEST_F(ListRulesTest, InstallAdd) {
  struct Case {
    const char* name;
    std::string before;
    TInstallEntry entry;
    bool written;
    std::string after;
  };
  const std::string empty = Lines({"[InstallList]", "", "[Other]", "a=1"});
  const Case cases[] = {
      {"first add",
       empty,
       {"override", "a.2da", false},
       true,
       Lines({"[InstallList]", "install_folder0=override", "", "[Other]", "a=1",
              "[install_folder0]", "File0=a.2da"})},
      {"the same again",
       Lines({"[InstallList]", "install_folder0=override", "[install_folder0]", "File0=a.2da"}),
       {"override", "a.2da", false},
       false,
       Lines({"[InstallList]", "install_folder0=override", "[install_folder0]", "File0=a.2da"})},
      {"replace re-kinds",
       Lines({"[InstallList]", "install_folder0=override", "[install_folder0]", "File0=a.2da",
              "File1=b.2da"}),
       {"override", "a.2da", true},
       true,
       Lines({"[InstallList]", "install_folder0=override", "[install_folder0]", "File1=b.2da",
              "Replace0=a.2da"})},
      {"another case is another folder",
       Lines({"[InstallList]", "install_folder0=override", "[install_folder0]", "File0=a.2da"}),
       {"Override", "a.2da", false},
       true,
       Lines({"[InstallList]", "install_folder0=override", "install_folder1=Override",
              "[install_folder0]", "File0=a.2da", "[install_folder1]", "File0=a.2da"})},
      {"least free numbers, any case",
       Lines({"[InstallList]", "INSTALL_FOLDER0=x", "[INSTALL_FOLDER0]", "file0=c"}),
       {"y", "d", false},
       true,
       Lines({"[InstallList]", "INSTALL_FOLDER0=x", "install_folder1=y", "[INSTALL_FOLDER0]",
              "file0=c", "[install_folder1]", "File0=d"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.written, AddInstallEntry(Ini(c.before), c.entry));
    EXPECT_EQ(c.after, Text());
  }
}

TEST_F(ListRulesTest, InstallListSkipsEmptyValuesAndMissingSections) {
  TKV_Inifile& ini =
      Ini(Lines({"[InstallList]", "install_folder0=override",
                 "install_folder1=", "install_folder2=gone", "[install_folder0]", "File0=a.2da",
                 "File1=", "Replace2=b.2da", "[install_folder1]", "File0=c.2da"}));
  const std::vector<TInstallEntry> expected = {{"override", "a.2da", false},
                                               {"override", "b.2da", true}};
  EXPECT_EQ(expected, ReadInstallList(ini));
}

TEST_F(ListRulesTest, InstallMassAddInOrderMovingListedFiles) {
  TKV_Inifile& ini = Ini(Lines({"[InstallList]", "install_folder0=override", "[install_folder0]",
                                "File0=a.2da", "File1=b.2da"}));
  AddInstallFiles(ini, "override", {"b.2da", "", "c.2da", "a.2da"}, false);
  EXPECT_EQ(Lines({"[InstallList]", "install_folder0=override", "[install_folder0]", "File2=b.2da",
                   "File1=c.2da", "File3=a.2da"}),
            Text());
  AddInstallFiles(ini, "new", {"x", "y", "z"}, true);
  EXPECT_EQ(Lines({"[InstallList]", "install_folder0=override", "install_folder1=new",
                   "[install_folder0]", "File2=b.2da", "File1=c.2da", "File3=a.2da",
                   "[install_folder1]", "Replace0=x", "Replace1=y", "Replace2=z"}),
            Text());
}

// How many times the file is made durable (once per write of the file) while `run` runs.
int WritesOfTheFile(const std::function<void()>& run) {
  fault_injection::ScopedFault counting({.call = fault_injection::Call::Fsync, .action = [] {}});
  run();
  return counting.Hits();
}

TEST_F(ListRulesTest, MassAddWritesTheFileOnceOrNotAtAll) {
  const std::string before = Lines({"[InstallList]", "install_folder0=override"});
  TKV_Inifile& ini = Ini(before);
  const int oneWrite = WritesOfTheFile([&] { ini.WriteString("Other", "k", "v"); });
  ASSERT_GT(oneWrite, 0);
  Ini(before);
  EXPECT_EQ(oneWrite, WritesOfTheFile([&] {
              AddInstallFiles(FScratch.Ini(), "new", {"x", "y"}, false);
            }));

  Ini(before);
  {
    fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
    EXPECT_THROW(AddInstallFiles(FScratch.Ini(), "new", {"x", "y"}, false), platform::Exception);
  }
  EXPECT_EQ(before, Text());
}

TEST_F(ListRulesTest, InstallDelete) {
  struct Case {
    const char* name;
    std::string before;
    TInstallEntry entry;
    bool deleted;
    std::string after;
  };
  const std::string twoFolders = Lines(
      {"[InstallList]", "install_folder0=override", "install_folder1=Override", "[install_folder0]",
       "File0=a.2da", "File1=b.2da", "[install_folder1]", "File0=c.2da", "Replace0=d.2da"});
  const Case cases[] = {
      {"in the first folder of that name",
       twoFolders,
       {"OVERRIDE", "A.2DA", false},
       true,
       Lines({"[InstallList]", "install_folder0=override", "install_folder1=Override",
              "[install_folder0]", "File1=b.2da", "[install_folder1]", "File0=c.2da",
              "Replace0=d.2da"})},
      {"in the second folder of that name",
       twoFolders,
       {"override", "c.2da", false},
       true,
       Lines({"[InstallList]", "install_folder0=override", "install_folder1=Override",
              "[install_folder0]", "File0=a.2da", "File1=b.2da", "[install_folder1]",
              "Replace0=d.2da"})},
      {"the other kind does not match",
       twoFolders,
       {"override", "d.2da", false},
       false,
       twoFolders},
      {"the last entry takes its folder",
       Lines({"[InstallList]", "install_folder0=override", "install_folder1=x", "[install_folder0]",
              "Replace0=a.2da", "[install_folder1]", "File0=b"}),
       {"override", "a.2da", true},
       true,
       Lines({"[InstallList]", "install_folder1=x", "[install_folder1]", "File0=b"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.deleted, DeleteInstallEntry(Ini(c.before), c.entry));
    EXPECT_EQ(c.after, Text());
  }
}

TEST_F(ListRulesTest, CompileAdd) {
  struct Case {
    const char* name;
    std::string before;
    std::string script;
    bool replace;
    std::string destination;
    std::string key;
    std::string after;
  };
  const std::string empty = Lines({"[CompileList]", "", "[SSFList]"});
  const std::string listed = Lines({"[CompileList]", "File0=a.nss", "Replace0=b.nss"});
  const Case cases[] = {
      {"first add", empty, "a.nss", false, "", "File0",
       Lines({"[CompileList]", "File0=a.nss", "", "[SSFList]"})},
      {"a replace entry beside a file entry", Lines({"[CompileList]", "File0=a.nss"}), "b.nss",
       true, "override", "Replace0", listed},
      {"the same kind again writes nothing", listed, "a.nss", false, "x.mod", "", listed},
      {"the other kind moves it to the end", listed, "a.nss", true, "", "Replace1",
       Lines({"[CompileList]", "Replace0=b.nss", "Replace1=a.nss"})},
      {"another case is another script", listed, "A.nss", false, "", "File1",
       Lines({"[CompileList]", "File0=a.nss", "Replace0=b.nss", "File1=A.nss"})},
      {"a lower-case key blocks its number", Lines({"[CompileList]", "file0=a.nss"}), "b.nss",
       false, "", "File1", Lines({"[CompileList]", "file0=a.nss", "File1=b.nss"})},
      {"empty values are listed keys", Lines({"[CompileList]", "File0="}), "b.nss", false, "",
       "File1", Lines({"[CompileList]", "File0=", "File1=b.nss"})},
      {"a destination is written as typed", empty, "a.nss", false, " x.mod", "File0",
       Lines({"[CompileList]", "File0=a.nss", "", "[SSFList]", "[a.nss]", "!Destination= x.mod"})},
      {"override removes it and the emptied section",
       Lines({"[CompileList]", "[a.nss]", "!Destination=x.mod", "[b]", "k=v"}), "a.nss", false,
       "OverRide", "File0", Lines({"[CompileList]", "File0=a.nss", "[b]", "k=v"})},
      {"an empty destination keeps other keys",
       Lines({"[CompileList]", "[a.nss]", "!Destination=x.mod", "Other=1"}), "a.nss", true, "",
       "Replace0", Lines({"[CompileList]", "Replace0=a.nss", "[a.nss]", "Other=1"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.key, AddCompileEntry(Ini(c.before), c.script, c.replace, c.destination));
    EXPECT_EQ(c.after, Text());
  }
}

TEST_F(ListRulesTest, CompileDestinationDefaultsToOverride) {
  TKV_Inifile& ini = Ini(Lines({"[a.nss]", "!Destination=x.mod", "[b.nss]", "Other=1"}));
  EXPECT_EQ("x.mod", ScriptDestination(ini, "a.nss"));
  EXPECT_EQ("override", ScriptDestination(ini, "b.nss"));
  EXPECT_EQ("override", ScriptDestination(ini, "c.nss"));
}

TEST_F(ListRulesTest, AddedTokensNeverReplaceAKey) {
  TKV_Inifile& ini = Ini(Lines({"[TLKList]", "StrRef0=5", "strref2=7", "StrRef3=8"}));
  int32_t counter = 2;  // three keys, one deleted in the middle before the pane was loaded
  EXPECT_EQ("StrRef4", AddToken(ini, counter, "9"));
  EXPECT_EQ(5, counter);
  EXPECT_EQ("StrRef5", AddToken(ini, counter, "9"));
  counter = 1;
  EXPECT_EQ("StrRef1", AddToken(ini, counter, "10"));
  EXPECT_EQ(2, counter);
  EXPECT_EQ(Lines({"[TLKList]", "StrRef0=5", "strref2=7", "StrRef3=8", "StrRef4=9", "StrRef5=9",
                   "StrRef1=10"}),
            Text());
}

TEST_F(ListRulesTest, EditToken) {
  struct Case {
    const char* name;
    std::string oldKey;
    std::string number;
    std::string strRef;
    TTokenEdit result;
    std::string after;
  };
  const std::string before = Lines({"[TLKList]", "StrRef0=5", "StrRef1=6", "StrRef2=7"});
  const Case cases[] = {
      {"in place", "StrRef2", "2", "9", TTokenEdit::Stored,
       Lines({"[TLKList]", "StrRef0=5", "StrRef1=6", "StrRef2=9"})},
      {"in place in another case", "strref2", "2", "9", TTokenEdit::Stored,
       Lines({"[TLKList]", "StrRef0=5", "StrRef1=6", "StrRef2=9"})},
      {"to a new number", "StrRef2", "07", "9", TTokenEdit::Stored,
       Lines({"[TLKList]", "StrRef0=5", "StrRef1=6", "StrRef07=9"})},
      {"onto another token", "StrRef2", "1", "9", TTokenEdit::Duplicate, before},
      {"empty number", "StrRef2", "", "9", TTokenEdit::Ignored, before},
      {"letters", "StrRef2", "2a", "9", TTokenEdit::Ignored, before},
      {"empty StrRef", "StrRef2", "2", "", TTokenEdit::Ignored, before},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result, EditToken(Ini(before), c.oldKey, c.number, c.strRef));
    EXPECT_EQ(c.after, Text());
  }
}

}  // namespace
}  // namespace quennet
