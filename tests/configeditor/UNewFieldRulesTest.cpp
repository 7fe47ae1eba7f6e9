// The widget-free rules of new-field modifiers: the value check of every type word,
// the parent key's number and the tree delete.
#include <gtest/gtest.h>

#include "configeditor/rules/UNewFieldSections.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/ScratchIni.h"

namespace quennet {
namespace {

using modifier_testing::Lines;

class NewFieldRulesTest : public testing::Test {
 protected:
  TKV_Inifile& Ini(const std::string& text) { return scratch.Ini(text); }
  std::string Text() const { return scratch.Text(); }

  modifier_testing::ScratchIni scratch;
};

TEST(NewFieldCheckValueTest, EveryTypeWord) {
  struct Case {
    const char* type;
    std::string text;
    const char* reason;  // empty: accepted
  };
  const char* kNumber = " It must be a number!";
  const Case cases[] = {
      {"Byte", "255", ""},
      {"Byte", "256", " It must be a number between 0 and 255!"},
      {"Byte", "-1", kNumber},
      {"Byte", "0000000000000000000007", ""},  // compared by value, however long
      {"Byte", "2DAMEMORY3", ""},              // tokens pass every type
      {"Byte", "strref12", ""},
      {"Char", "", ""},
      {"Char", "ab", " It must be a single character!"},
      {"Word", "65536", " It must be a number between 0 and 65535!"},
      {"Short", "-32768", ""},
      {"Short", "99999999999", " It must be a number between -32768 and 32767!"},
      {"Short", "1.5", kNumber},
      {"DWORD", "4294967295", ""},
      {"DWORD", "4294967296", " It must be a number between 0 and 4294967296!"},
      {"Int", "2147483647", ""},
      {"Int", "-2147483648", " It must be a number between -2147483647 and 2147483647!"},
      {"Int64", "-99999999999999999999", ""},
      {"Int64", "x", kNumber},
      {"Float", "1,5", ""},
      {"Double", "1.", " It must be a decimal number (\".\" is decimal separator)!"},
      {"ExoString", "anything at all", ""},
      {"ResRef", std::string(16, 'r'), ""},
      {"ResRef", std::string(17, 'r'), " A ResRef can be at most 16 characters long!"},
      {"Orientation", "1|2|3",
       " An Orientation field must contain four decimal values separated by a \"|\" character!"},
      {"Orientation", "1|2||3,5|4|5", ""},
      {"Position", "1|2",
       " A Position field must contain three decimal values separated by a \"|\" character!"},
      {"Position", "1.5|2|-3", ""},
      {"ExoLocString", "-1", ""},
      {"ExoLocString", "-2", " A StrRef must be a number between -1 and 4294967295!"},
      {"ExoLocString", "-01", " A StrRef must be a number between -1 and 4294967295!"},
      {"ExoLocString", "abc", " A StrRef must be a number!"},
      {"ExoLocString", "StrRef4", ""},
      {"Struct", "", " The Type ID must be a number!"},
      {"Struct", "4294967296", " The Type ID must be a number between 0 and 4294967296!"},
      {"List", "whatever", ""},
      {"byte", "300", ""},  // no type word: anything
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + c.text);
    EXPECT_EQ(c.reason, CheckValue(c.type, c.text));
  }
}

TEST(NewFieldTokenShapeTest, DigitAfterTheUpperCasePrefix) {
  EXPECT_TRUE(IsTokenShape("2DAMEMORY1"));
  EXPECT_TRUE(IsTokenShape("2DAMEMORY1abc"));
  EXPECT_FALSE(IsTokenShape("2damemory1"));
  EXPECT_FALSE(IsTokenShape("2DAMEMORYx"));
  EXPECT_FALSE(IsTokenShape("2DAMEMORY"));
}

TEST_F(NewFieldRulesTest, ParentKeyNumberAndListedValues) {
  TKV_Inifile& ini = Ini(Lines({"[p.utc]", "AddField0=a", "addfield1=B", "Tag=1"}));
  EXPECT_EQ("AddField2", NextAddFieldKey(ini, "p.utc"));
  EXPECT_TRUE(SectionListsValue(ini, "B", "p.utc"));
  EXPECT_FALSE(SectionListsValue(ini, "b", "p.utc")) << "values compare with case";
}

TEST_F(NewFieldRulesTest, TreeDeleteDepthFirstAndOnALoop) {
  const std::string text = Lines({
      "[p.utc]",
      "AddField0=s",
      "[s]",
      "FieldType=Struct",
      "AddField0=l",
      "addfield1=kept",  // not exactly "AddField": not followed
      "[l]",
      "FieldType=List",
      "AddField0=e",
      "[e]",
      "FieldType=Struct",
      "AddField0=S",  // leads back up
      "[kept]",
      "FieldType=Byte",
      "[other]",
      "x=1",
  });
  TKV_Inifile& ini = Ini(text);
  EXPECT_EQ((std::vector<std::string>{"s", "l", "e"}), DeleteModifierTree(ini, "s"));
  EXPECT_EQ(Lines({"[p.utc]", "AddField0=s", "[kept]", "FieldType=Byte", "[other]", "x=1"}),
            Text());
}

}  // namespace
}  // namespace quennet
