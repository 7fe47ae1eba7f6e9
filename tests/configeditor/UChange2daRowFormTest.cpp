// The ChangeRow dialog: the line identifier (load, repair, Set, Close, the digit
// filter), the list, ChangeRow's own column-label load and refused key names. Each
// user action is checked on the whole changes.ini text.
#include "configeditor/modifiers/UChange2daRowForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
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

using ChangeRowFormTest = modifier_testing::ModifierDialogTest<TChange2daForm>;

TEST_F(ChangeRowFormTest, LoadShowsTheIdentifierAndRepairsASectionWithoutOne) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;  // after the load and again after Close
    const char* type;
    const char* value;
    Rows rows;
  };
  const Case cases[] = {
      {"an empty section gets RowIndex=0", kHead + kTail,
       kHead + kTail + Lines({"[m]", "RowIndex=0"}), "RowIndex", "", Rows{{"", ""}}},
      {"column keys first are repaired in place", kHead + Lines({"[m]", "A=1", "B=2"}) + kTail,
       kHead + Lines({"[m]", "RowIndex=0", "A=1", "B=2"}) + kTail, "RowIndex", "",
       Rows{{"A", "1"}, {"B", "2"}}},
      {"an identifier in another case is that identifier",
       kHead + Lines({"[m]", "rowindex=5", "A=1"}) + kTail,
       kHead + Lines({"[m]", "rowindex=5", "A=1"}) + kTail, "RowIndex", "5", Rows{{"A", "1"}}},
      {"LabelIndex", kHead + Lines({"[m]", "labelindex=3"}) + kTail,
       kHead + Lines({"[m]", "labelindex=3"}) + kTail, "LabelIndex", "3", Rows{{"", ""}}},
      {"empty values leave no gap; ExclusiveColumn is a column here",
       kHead + Lines({"[m]", "RowLabel=x", "A=", "B=2", "ExclusiveColumn=c"}) + kTail,
       kHead + Lines({"[m]", "RowLabel=x", "A=", "B=2", "ExclusiveColumn=c"}) + kTail, "RowLabel",
       "x", Rows{{"B", "2"}, {"ExclusiveColumn", "c"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.before);
    EXPECT_EQ(c.after, Text());
    EXPECT_EQ((Items{"RowIndex", "RowLabel", "LabelIndex"}), ItemsOf(*dialog.cbIdxType));
    EXPECT_EQ(c.type, TextOf(*dialog.cbIdxType));
    EXPECT_EQ(c.value, TextOf(*dialog.edIdx));
    EXPECT_EQ(c.rows, ListRows());
    dialog.btnClose->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(c.after, Text()) << "Close with nothing new writes nothing new";
  }
}

// A row label the code page cannot store is refused by name on Set and on Close; the
// dialog stays open and nothing is written.
TEST_F(ChangeRowFormTest, AnIdentifierOutsideTheCodePageIsRefused) {
  const std::string before = kHead + Lines({"[m]", "RowIndex=1", "A=1"}) + kTail;
  Open(before);
  dialog.cbIdxType->setCurrentIndex(1);
  dialog.edIdx->setText(
      QString::fromUtf8("\xC5\x82\xC3\xB3"
                        "d\xC5\xBA"));
  const char* kRefused =
      "The character \"\xC5\x82\" (U+0142) cannot be stored in the Windows-1252 code page of "
      "the files. Nothing was changed.";
  services.messages.Expect(MessageKind::Warning, kRefused);
  dialog.btnSetIdx->click();
  services.messages.Expect(MessageKind::Warning, kRefused);
  dialog.btnClose->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(before, Text());
  dialog.edIdx->setText(QStringLiteral("lodz"));
  dialog.btnClose->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=lodz", "A=1"}) + kTail, Text());
}

TEST_F(ChangeRowFormTest, SetPutsTheIdentifierFirstWhereTheSectionStands) {
  Open(kHead + Lines({"[m]", "RowIndex=1", "A=1", "LabelIndex=2", "B=2"}) + kTail);
  dialog.cbIdxType->setCurrentIndex(1);
  Type(dialog.edIdx, "x");
  dialog.btnSetIdx->click();
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=x", "A=1", "B=2"}) + kTail, Text());
  EXPECT_EQ("RowLabel", TextOf(*dialog.cbIdxType));
  EXPECT_EQ("x", TextOf(*dialog.edIdx));

  Type(dialog.edIdx, "y");
  dialog.btnSetIdx->click();  // the same type again: replaced in place
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=y", "A=1", "B=2"}) + kTail, Text());

  dialog.edIdx->clear();
  dialog.btnSetIdx->click();  // no value: nothing
  dialog.cbIdxType->setCurrentIndex(0);
  Type(dialog.edIdx, "7");
  dialog.close();  // the close box writes no identifier
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=y", "A=1", "B=2"}) + kTail, Text());

  Reopen();
  dialog.cbIdxType->setCurrentIndex(0);
  Type(dialog.edIdx, "7");
  dialog.btnClose->click();
  EXPECT_EQ(kHead + Lines({"[m]", "RowIndex=7", "A=1", "B=2"}) + kTail, Text());
}

TEST_F(ChangeRowFormTest, DigitFilterWhileRowIndexIsChosen) {
  Open(kHead);
  QTest::keyClicks(dialog.edIdx, "1a2");
  EXPECT_EQ("12", TextOf(*dialog.edIdx));
  EXPECT_EQ(1, services.beep.Count());
  QTest::keyClick(dialog.edIdx, Qt::Key_Backspace);
  EXPECT_EQ("1", TextOf(*dialog.edIdx));
  dialog.cbIdxType->setCurrentIndex(1);
  QTest::keyClicks(dialog.edIdx, "ab");
  EXPECT_EQ("1ab", TextOf(*dialog.edIdx));
  EXPECT_EQ(1, services.beep.Count());
}

// Alt combinations, characters beyond Latin-1 and input-method text are judged by the
// character they type, as in every filtered field.
TEST_F(ChangeRowFormTest, DigitFilterJudgesEveryWayOfTyping) {
  Open(kHead);
  dialog.edIdx->setText(QStringLiteral("1"));
  dialog.edIdx->end(false);
  QTest::keyClick(dialog.edIdx, Qt::Key_A, Qt::AltModifier);
  QKeyEvent stroke(QEvent::KeyPress, 0x141, Qt::NoModifier, QString::fromUtf8("\xC5\x82"));
  QApplication::sendEvent(dialog.edIdx, &stroke);
  QInputMethodEvent compose;
  compose.setCommitString(QString::fromUtf8("2\xC5\x82"));
  QApplication::sendEvent(dialog.edIdx, &compose);
  EXPECT_EQ("1", TextOf(*dialog.edIdx));
  EXPECT_EQ(3, services.beep.Count());
  QInputMethodEvent digits;
  digits.setCommitString(QStringLiteral("23"));
  QApplication::sendEvent(dialog.edIdx, &digits);
  EXPECT_EQ("123", TextOf(*dialog.edIdx));
}

TEST_F(ChangeRowFormTest, StoreEditDeleteAndRefusedKeyNames) {
  Open(kHead + Lines({"[m]", "RowIndex=3"}) + kTail);
  Store("label", "5");
  EXPECT_EQ(kHead + Lines({"[m]", "RowIndex=3", "label=5"}) + kTail, Text());
  for (const char* key : {"a=b", ";a", "[a"}) {
    SCOPED_TRACE(key);
    services.messages.Expect(MessageKind::Warning, *RefusedKeyName(key));
    Store(key, "1");
    EXPECT_EQ(key, TextOf(*dialog.cbColLabel)) << "the typed pair stays";
  }
  EXPECT_EQ(kHead + Lines({"[m]", "RowIndex=3", "label=5"}) + kTail, Text());
  EXPECT_EQ((Rows{{"label", "5"}}), ListRows());

  dialog.btnEditColValue->click();
  EXPECT_EQ("label", TextOf(*dialog.cbColLabel));
  EXPECT_EQ("5", TextOf(*dialog.cbColValue));
  dialog.btnDeleteKey->click();
  EXPECT_EQ(kHead + Lines({"[m]", "RowIndex=3"}) + kTail, Text());
  EXPECT_EQ((Rows{{"", ""}}), ListRows());

  dialog.cbColValue->showPopup();
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbColValue)) << "no fixed tokens";
  dialog.cbColValue->hidePopup();
}

TEST_F(ChangeRowFormTest, ColumnLabelsOnlyFromTheButton) {
  modifier_testing::Write2da(PathOf("appearance.2da"), {"label", "race"});
  Open(kHead + Lines({"[m]", "RowIndex=3"}));
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbColLabel)) << "the load never reads the 2DA file";
  EXPECT_EQ("", dialog.LoadedColumnsFile());

  dialog.btnLoadCols->click();
  EXPECT_EQ((Items{"label", "race"}), ItemsOf(*dialog.cbColLabel));
  EXPECT_EQ("label", TextOf(*dialog.cbColLabel));
  EXPECT_TRUE(IsGreen(*dialog.cbColLabel));
  EXPECT_TRUE(dialog.cbColLabel->hasFocus());
  EXPECT_EQ("appearance.2da", dialog.LoadedColumnsFile());
  EXPECT_EQ((std::vector<platform::CursorShape>{platform::CursorShape::Hourglass,
                                                platform::CursorShape::Normal}),
            services.cursor.History());

  Reopen("m");
  EXPECT_EQ((Items{"label", "race"}), ItemsOf(*dialog.cbColLabel)) << "kept for the same file";
  Reopen("m", "spells.2da");
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbColLabel));
  EXPECT_FALSE(IsGreen(*dialog.cbColLabel));

  services.fileDialogs.ExpectCancel();  // no spells.2da beside changes.ini: asked for
  dialog.btnLoadCols->click();
  EXPECT_EQ("Open spells.2da to load column labels from.",
            services.fileDialogs.Seen().back().title);
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbColLabel));

  platform::ReplaceFile(PathOf("elsewhere.2da"), "broken");
  services.fileDialogs.Expect({PathOf("elsewhere.2da")});
  services.messages.Expect(MessageKind::Error, ReaderError(PathOf("elsewhere.2da")));
  dialog.btnLoadCols->click();
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
  EXPECT_EQ(kHead + Lines({"[m]", "RowIndex=3"}), Text());
}

TEST_F(ChangeRowFormTest, ClosingHidesTheCopyRowHelp) {
  Open(kHead);
  help.show();
  dialog.btnClose->click();
  EXPECT_FALSE(help.isVisible());
}

}  // namespace
}  // namespace quennet
