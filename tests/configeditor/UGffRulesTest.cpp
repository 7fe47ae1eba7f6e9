// The widget-free rules behind the GFF pane and the value lists: the soundset token
// list, the new-field sections reached through "AddField" keys and the labels in use.
#include <gtest/gtest.h>

#include "configeditor/rules/UGffSections.h"
#include "configeditor/rules/UModifierSections.h"
#include "configeditor/rules/UValueTokens.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/ScratchIni.h"

namespace quennet {
namespace {

using modifier_testing::Lines;
using Names = std::vector<std::string>;

class GffRulesTest : public testing::Test {
 protected:
  TKV_Inifile& Ini(const std::string& text) { return scratch.Ini(text); }
  std::string Text() const { return scratch.Text(); }

  modifier_testing::ScratchIni scratch;
};

// One file for every rule of the two lists; the comments name the rule each line shows.
const std::string kTokens = Lines({
    "[TLKList]",
    "StrRef0=1",
    "StrRef7=",   // no value: not offered
    "strref8=2",  // another case: never offered
    "StrRef3=4",
    "StrRef3x=5",  // the prefix is enough
    "[2DAList]",
    "Table0=a.2da",
    "Table1=",
    "Table2=b.2da",
    "Table3=missing.2da",  // names no section
    "[a.2da]",
    "AddRow0=m1",
    "AddRow1=",
    "ChangeRow0=nosection",
    "[m1]",
    "2DAMEMORY3=",  // a 2DA modifier's token counts without a value
    "2DAMEMORY1=x",
    "2damemory9=x",  // another case: not a token
    "[b.2da]",
    "AddRow0=m2",
    "[m2]",
    "2DAMEMORY1=y",   // listed once
    "2dAMEMORY2=y",   // not a token
    "2DAMEMORY4a=y",  //
    "2DAMEMORY4A=z",  // the same token in another case: listed once
    "[GFFList]",
    "File0=p.utc",
    "File1=",
    "File2=q.utc",
    "File3=nosection.utc",
    "[p.utc]",
    "2DAMEMORY6=",  // a GFF token needs a value
    "AddField0=nf1",
    "2DAMEMORY7=x",  // after the whole descent through nf1
    "[nf1]",
    "2DAMEMORY8=ListIndex",
    "addfield0=nf2",
    "AddField1=P.UTC",  // back to the file's section: not scanned again
    "[nf2]",
    "2DAMEMORY1=!FieldPath",
    "2DAMEMORY9=!FieldPath",
    "AddField0=NF1",  // a loop in another case
    "[q.utc]",
    "AddField0=nf2",  // scanned already
    "2DAMEMORY10=x",
});

TEST_F(GffRulesTest, ValueTokens) {
  TKV_Inifile& ini = Ini(kTokens);
  const Names gff = {"StrRef0", "StrRef3", "StrRef3x", "2DAMEMORY3", "2DAMEMORY1", "2DAMEMORY4a"};
  EXPECT_EQ(gff, GffValueTokens(ini));
  Names ssf = gff;
  for (const char* token : {"2DAMEMORY8", "2DAMEMORY9", "2DAMEMORY7", "2DAMEMORY10"})
    ssf.push_back(token);
  EXPECT_EQ(ssf, SsfValueTokens(ini));
  EXPECT_EQ(kTokens, Text());
}

TEST_F(GffRulesTest, ValueTokensOfAnEmptyFile) {
  TKV_Inifile& ini = Ini(Lines({"[Settings]", "FileExists=1"}));
  EXPECT_EQ(Names{}, SsfValueTokens(ini));
}

const std::string kNewFields = Lines({
    "[GFFList]",
    "File0=p.utc",
    "File1=q.utc",
    "[p.utc]",
    "Tag=1",
    "AddField0=nf_a",
    "AddField1=",
    "[nf_a]",
    "FieldType=Struct",
    "AddField0=nf_b",
    "AddField1=P.utc",  // leads back up
    "[nf_b]",
    "FieldType=List",
    "addfield0=nf_deep",  // names a section with no key yet
    "AddField1=NF_A",     // a loop in another case
    "[q.utc]",
    "AddField0=nf_b",
    "[InstallList]",
    "install_folder0=override",
});

TEST_F(GffRulesTest, NewFieldSectionsAtAnyDepthEachOnce) {
  TKV_Inifile& ini = Ini(kNewFields);
  EXPECT_EQ((Names{"nf_a", "nf_b", "nf_deep", "P.utc"}), NewFieldSections(ini));
}

TEST_F(GffRulesTest, LabelsInUseSeeNewFieldSectionsAndInstallFolders) {
  TKV_Inifile& ini = Ini(kNewFields);
  struct Case {
    const char* label;
    bool inUse;
  };
  const Case cases[] = {
      {"NF_DEEP", true},          // a new-field section without keys, two levels down
      {"nf_b", true},             //
      {"Install_Folder0", true},  // an install folder's section is named by its key
      {"override", false},        // the folder's value names no section
      {"nf_other", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(c.inUse, IsModifierLabelInUse(ini, c.label));
  }
}

}  // namespace
}  // namespace quennet
