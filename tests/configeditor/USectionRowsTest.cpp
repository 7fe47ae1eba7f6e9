// The rows of a section as the list panes show them, with and without empty values.
#include "configeditor/rules/USectionRows.h"

#include <gtest/gtest.h>

#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/ScratchIni.h"

namespace quennet {
namespace {

using modifier_testing::Lines;

TEST(SectionRowsTest, EveryKeyInOrderOrOnlyThoseWithAValue) {
  modifier_testing::ScratchIni scratch;
  TKV_Inifile& ini =
      scratch.Ini(Lines({"[spells.2da]", "AddRow0=a", "ChangeRow0=", "CopyRow0=c", "[x]", "A=1"}));
  EXPECT_EQ((TKeyValues{{"AddRow0", "a"}, {"ChangeRow0", ""}, {"CopyRow0", "c"}}),
            SectionRows(ini, "spells.2da"));
  EXPECT_EQ((TKeyValues{{"AddRow0", "a"}, {"CopyRow0", "c"}}),
            SectionRows(ini, "spells.2da", TEmptyValues::Skipped));
  EXPECT_EQ(TKeyValues{}, SectionRows(ini, "none.2da"));
}

}  // namespace
}  // namespace quennet
