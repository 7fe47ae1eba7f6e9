// The CopyRow dialog: its line identifier (only RowIndex and RowLabel offered, a
// LabelIndex section kept), the exclusive column, the column labels with "NewRowLabel"
// first, its fixed tokens and the help window. Each user action is checked on the
// whole changes.ini text.
#include "configeditor/modifiers/UCopy2daRowForm.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "configeditor/parts/UDropDownCombo.h"
#include "tests/configeditor/ModifierDialogFixture.h"

namespace quennet {
namespace {

using modifier_testing::Items;
using modifier_testing::kHead;
using modifier_testing::kTail;
using modifier_testing::Lines;
using modifier_testing::Rows;
using platform::MessageKind;

using CopyRowFormTest = modifier_testing::ModifierDialogTest<TCopy2daForm>;

TEST_F(CopyRowFormTest, LoadShowsTheIdentifierAndTheExclusiveColumn) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;
    int type;  // the selected item of cbIdxType, -1 for none
    const char* value;
    Rows rows;
    const char* exclusive;
  };
  const Case cases[] = {
      {"an empty section gets RowIndex=0", kHead + kTail,
       kHead + kTail + Lines({"[m]", "RowIndex=0"}), 0, "", Rows{{"", ""}}, ""},
      {"repaired, ExclusiveColumn not listed",
       kHead + Lines({"[m]", "ExclusiveColumn=race", "NewRowLabel=n"}) + kTail,
       kHead + Lines({"[m]", "RowIndex=0", "ExclusiveColumn=race", "NewRowLabel=n"}) + kTail, 0, "",
       Rows{{"NewRowLabel", "n"}}, "race"},
      {"rowlabel in another case", kHead + Lines({"[m]", "rowlabel=r", "A=1"}) + kTail,
       kHead + Lines({"[m]", "rowlabel=r", "A=1"}) + kTail, 1, "r", Rows{{"A", "1"}}, ""},
      {"LabelIndex stays without a type", kHead + Lines({"[m]", "LabelIndex=3", "A=1"}) + kTail,
       kHead + Lines({"[m]", "LabelIndex=3", "A=1"}) + kTail, -1, "3", Rows{{"A", "1"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.before);
    EXPECT_EQ(c.after, Text());
    EXPECT_EQ((Items{"RowIndex", "RowLabel"}), ItemsOf(*dialog.cbIdxType));
    EXPECT_EQ(c.type, dialog.cbIdxType->currentIndex());
    EXPECT_EQ(c.value, TextOf(*dialog.edIdx));
    EXPECT_EQ(c.rows, ListRows());
    EXPECT_EQ(c.exclusive, TextOf(*dialog.cbExclusiveLabel));
    EXPECT_TRUE(dialog.btnCopyInfo->isVisible());
    dialog.btnSetIdx->click();
    dialog.btnClose->click();
    EXPECT_EQ(c.after, Text()) << "Set and Close write nothing new";
  }
}

TEST_F(CopyRowFormTest, ATypeChosenOverLabelIndexIsWrittenFirst) {
  Open(kHead + Lines({"[m]", "LabelIndex=3", "A=1"}) + kTail);
  QTest::keyClicks(dialog.edIdx, "x");  // no type: any character
  EXPECT_EQ(0, services.beep.Count());
  dialog.cbIdxType->setCurrentIndex(1);
  dialog.btnSetIdx->click();
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=3x", "A=1"}) + kTail, Text());
}

TEST_F(CopyRowFormTest, ColumnLabelsWithNewRowLabelFirstAndFixedTokens) {
  modifier_testing::Write2da(PathOf("appearance.2da"), {"label", "race"});
  Open(kHead + Lines({"[m]", "RowIndex=1", "ExclusiveColumn=kept"}));
  EXPECT_EQ((Items{"NewRowLabel", "label", "race"}), ItemsOf(*dialog.cbColLabel));
  EXPECT_EQ("NewRowLabel", TextOf(*dialog.cbColLabel));
  EXPECT_EQ((Items{"", "label", "race"}), ItemsOf(*dialog.cbExclusiveLabel));
  EXPECT_EQ("kept", TextOf(*dialog.cbExclusiveLabel));
  EXPECT_TRUE(IsGreen(*dialog.cbColLabel));
  EXPECT_TRUE(IsGreen(*dialog.cbExclusiveLabel));

  Type(dialog.cbExclusiveLabel, "race");
  EXPECT_EQ(kHead + Lines({"[m]", "RowIndex=1", "ExclusiveColumn=race"}), Text());

  modifier_testing::Write2da(PathOf("appearance.2da"), {"cost"});
  dialog.btnLoad2da->click();
  EXPECT_EQ((Items{"NewRowLabel", "cost"}), ItemsOf(*dialog.cbColLabel));
  EXPECT_EQ("race", TextOf(*dialog.cbExclusiveLabel)) << "the exclusive box keeps its text";
  EXPECT_TRUE(dialog.btnLoad2da->isEnabled());

  dialog.cbColValue->showPopup();
  EXPECT_EQ((Items{"high()", "inc(#)"}), ItemsOf(*dialog.cbColValue));
  dialog.cbColValue->hidePopup();
}

TEST_F(CopyRowFormTest, HelpButtonTogglesTheHelpAndClosingHidesIt) {
  Open(kHead);
  dialog.btnCopyInfo->click();
  EXPECT_TRUE(help.isVisible());
  dialog.btnCopyInfo->click();
  EXPECT_FALSE(help.isVisible());
  dialog.btnCopyInfo->click();
  dialog.close();
  EXPECT_FALSE(help.isVisible()) << "any way of closing hides it";
}

TEST_F(CopyRowFormTest, UnreadableTwoDaIsReportedAndTheLoadGoesOn) {
  platform::ReplaceFile(PathOf("appearance.2da"), "not a table");
  services.messages.Expect(MessageKind::Error,
                           "The column labels of " + PathOf("appearance.2da") +
                               " cannot be read: " + ReaderError(PathOf("appearance.2da")));
  Open(kHead);
  EXPECT_EQ(kHead + Lines({"[m]", "RowIndex=0"}), Text());
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbColLabel));
  EXPECT_FALSE(IsGreen(*dialog.cbColLabel));
}

}  // namespace
}  // namespace quennet
