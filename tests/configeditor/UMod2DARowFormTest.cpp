// The AddRow dialog and the machinery the 2DA modifier dialogs share: loading, store,
// edit, delete, the exclusive column, the column labels of the 2DA file beside
// changes.ini, the token list and the keys Esc and Enter. Each user action is checked
// on the whole changes.ini text.
#include "configeditor/modifiers/UMod2DARowForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "configeditor/parts/UDropDownCombo.h"
#include "formats/U2DAEdit.h"
#include "platform/ui/Codec.h"
#include "platform/ui/StringGrid.h"
#include "tests/configeditor/ModifierDialogFixture.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/support/FakeServices.h"

namespace quennet {
namespace {

using modifier_testing::Items;
using modifier_testing::kHead;
using modifier_testing::Lines;
using modifier_testing::Rows;
using platform::MessageKind;

using AddRowFormTest = modifier_testing::ModifierDialogTest<TMod2DARowForm>;

TEST_F(AddRowFormTest, LoadListsKeysWithAValueAndWritesNothing) {
  struct Case {
    const char* name;
    std::string section;
    Rows rows;
    std::string exclusive;
  };
  const Case cases[] = {
      {"no section", "", {{"", ""}}, ""},
      {"only the exclusive column", Lines({"[m]", "ExclusiveColumn=label"}), {{"", ""}}, "label"},
      {"keys with empty values leave no gap",
       Lines({"[m]", "RowLabel=r", "label=", "ExclusiveColumn=x", "2DAMEMORY1=RowIndex"}),
       {{"RowLabel", "r"}, {"2DAMEMORY1", "RowIndex"}},
       "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(kHead + c.section);
    EXPECT_EQ(c.rows, ListRows());
    EXPECT_EQ(c.exclusive, TextOf(*dialog.cbExclusiveLabel));
    EXPECT_EQ(kHead + c.section, Text());
  }
}

TEST_F(AddRowFormTest, StoreEditReplaceAndDelete) {
  Open(kHead + Lines({"[m]", "RowLabel=r", "[n]", "x=1"}));
  Store("label", "5");
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=r", "label=5", "[n]", "x=1"}), Text());
  EXPECT_EQ((Rows{{"RowLabel", "r"}, {"label", "5"}}), ListRows());
  EXPECT_EQ(1, dialog.grid2daMod->Row());
  EXPECT_EQ("", TextOf(*dialog.cbColLabel)) << "both boxes are emptied";
  EXPECT_EQ("", TextOf(*dialog.cbColValue));

  Store("RowLabel", "new");  // the same key: replaced where it stands
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=new", "label=5", "[n]", "x=1"}), Text());
  EXPECT_EQ(0, dialog.grid2daMod->Row());

  Store("rowlabel", "other");  // another case: a second row, one key in the file
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=other", "label=5", "[n]", "x=1"}), Text());
  EXPECT_EQ((Rows{{"RowLabel", "new"}, {"label", "5"}, {"rowlabel", "other"}}), ListRows());

  Store("cost", "");  // nothing without a value
  Type(dialog.cbColLabel, "");
  Type(dialog.cbColValue, "7");
  dialog.btnAddToList->click();  // nor without a column
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=other", "label=5", "[n]", "x=1"}), Text());

  Type(dialog.cbColLabel, "2DAMEMORY1");
  Type(dialog.cbColValue, "RowIndex");
  QTest::keyRelease(dialog.cbColValue, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(
      kHead + Lines({"[m]", "RowLabel=other", "label=5", "2DAMEMORY1=RowIndex", "[n]", "x=1"}),
      Text());
  Type(dialog.cbColLabel, "a");
  Type(dialog.cbColValue, "b");
  QTest::keyRelease(dialog.cbColLabel, Qt::Key_Right,
                    Qt::ControlModifier);  // not exactly Ctrl+Shift
  EXPECT_EQ("a", TextOf(*dialog.cbColLabel));

  const std::string stored = Text();
  dialog.grid2daMod->SetRow(1);
  dialog.btnEditColValue->click();
  EXPECT_EQ("label", TextOf(*dialog.cbColLabel));
  EXPECT_EQ("5", TextOf(*dialog.cbColValue));
  dialog.grid2daMod->SetRow(0);
  QTest::keyRelease(dialog.grid2daMod, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ("RowLabel", TextOf(*dialog.cbColLabel));
  EXPECT_EQ("new", TextOf(*dialog.cbColValue));
  EXPECT_EQ(stored, Text()) << "editing writes nothing";

  dialog.grid2daMod->SetRow(1);
  dialog.btnDelColValue->click();
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=other", "2DAMEMORY1=RowIndex", "[n]", "x=1"}), Text());
  EXPECT_EQ((Rows{{"RowLabel", "new"}, {"rowlabel", "other"}, {"2DAMEMORY1", "RowIndex"}}),
            ListRows());

  Reopen();
  EXPECT_EQ((Rows{{"RowLabel", "other"}, {"2DAMEMORY1", "RowIndex"}}), ListRows())
      << "one row per key";
  for (int i = 0; i < 2; ++i) dialog.btnDelColValue->click();
  EXPECT_EQ(kHead + Lines({"[m]", "[n]", "x=1"}), Text());
  EXPECT_EQ((Rows{{"", ""}}), ListRows());
  dialog.btnDelColValue->click();  // the empty list: nothing
  EXPECT_EQ(kHead + Lines({"[m]", "[n]", "x=1"}), Text());
}

TEST_F(AddRowFormTest, ExclusiveColumnIsWrittenOnlyByTheUser) {
  modifier_testing::Write2da(PathOf("appearance.2da"), {"label", "race"});
  Open(kHead + Lines({"[m]", "RowLabel=r", "ExclusiveColumn=race"}));
  EXPECT_EQ("race", TextOf(*dialog.cbExclusiveLabel));
  EXPECT_EQ(2, dialog.cbExclusiveLabel->currentIndex()) << "the stored text selects its item";
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=r", "ExclusiveColumn=race"}), Text())
      << "loading writes nothing";

  Type(dialog.cbExclusiveLabel, "lab");
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=r", "ExclusiveColumn=lab"}), Text());
  dialog.cbExclusiveLabel->showPopup();
  QTest::keyClick(dialog.cbExclusiveLabel->view(), Qt::Key_Home);
  QTest::keyClick(dialog.cbExclusiveLabel->view(), Qt::Key_Return);
  EXPECT_EQ("", TextOf(*dialog.cbExclusiveLabel));
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=r"}), Text()) << "the empty item removes the key";

  Store("ExclusiveColumn", "label");  // through the list like any key
  EXPECT_EQ(kHead + Lines({"[m]", "RowLabel=r", "ExclusiveColumn=label"}), Text());
  Reopen();
  EXPECT_EQ((Rows{{"RowLabel", "r"}}), ListRows());
  EXPECT_EQ("label", TextOf(*dialog.cbExclusiveLabel));
}

TEST_F(AddRowFormTest, ColumnLabelsFromTheTwoDaBesideChangesIni) {
  // Found without regard to case, as on the file system the names come from.
  modifier_testing::Write2da(PathOf("Appearance.2DA"), {"label", "race"});
  Open(kHead + Lines({"[m]", "ExclusiveColumn=kept"}));
  EXPECT_EQ((Items{"RowLabel", "label", "race"}), ItemsOf(*dialog.cbColLabel));
  EXPECT_EQ("RowLabel", TextOf(*dialog.cbColLabel));
  EXPECT_EQ((Items{"", "label", "race"}), ItemsOf(*dialog.cbExclusiveLabel));
  EXPECT_EQ("kept", TextOf(*dialog.cbExclusiveLabel));
  EXPECT_TRUE(IsGreen(*dialog.cbColLabel));
  EXPECT_TRUE(IsGreen(*dialog.cbExclusiveLabel));
  EXPECT_EQ("appearance.2da", dialog.LoadedColumnsFile());
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());

  // The same 2DA file again: its labels are kept and the file is not read.
  platform::ReplaceFile(PathOf("Appearance.2DA"), "no longer a table");
  Type(dialog.cbColLabel, "typed");
  Reopen("m2");
  EXPECT_EQ((Items{"RowLabel", "label", "race"}), ItemsOf(*dialog.cbColLabel));
  EXPECT_EQ("typed", TextOf(*dialog.cbColLabel));
  EXPECT_TRUE(IsGreen(*dialog.cbColLabel));

  // Another 2DA file, none beside changes.ini: the boxes are emptied and white.
  Reopen("m", "spells.2da");
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbColLabel));
  EXPECT_EQ("", TextOf(*dialog.cbColLabel));
  EXPECT_FALSE(IsGreen(*dialog.cbColLabel));
  EXPECT_FALSE(IsGreen(*dialog.cbExclusiveLabel));
  EXPECT_EQ("", dialog.LoadedColumnsFile()) << "the reset drops the file";

  // So the first file's labels are read again.
  modifier_testing::Write2da(PathOf("Appearance.2DA"), {"label", "race"});
  Reopen("m", "appearance.2da");
  EXPECT_EQ((Items{"RowLabel", "label", "race"}), ItemsOf(*dialog.cbColLabel));
  EXPECT_TRUE(IsGreen(*dialog.cbColLabel));
}

TEST_F(AddRowFormTest, TableWithoutColumnsSelectsNothing) {
  modifier_testing::Write2da(PathOf("appearance.2da"), {});
  Open(kHead);
  EXPECT_EQ((Items{"RowLabel"}), ItemsOf(*dialog.cbColLabel));
  EXPECT_EQ((Items{""}), ItemsOf(*dialog.cbExclusiveLabel));
  EXPECT_EQ(-1, dialog.cbColLabel->currentIndex());
  EXPECT_EQ("", TextOf(*dialog.cbColLabel));
  EXPECT_TRUE(IsGreen(*dialog.cbColLabel));
}

TEST_F(AddRowFormTest, LabelButtonsAskForTheFileAndSurviveAReaderFailure) {
  Open(kHead + Lines({"[m]", "ExclusiveColumn=kept"}));
  services.fileDialogs.ExpectCancel();
  dialog.btnOpen2da->click();
  ASSERT_EQ(1u, services.fileDialogs.Seen().size());
  const platform::FileDialogRequest& request = services.fileDialogs.Seen()[0];
  EXPECT_EQ("Open appearance.2da to load column labels from.", request.title);
  EXPECT_EQ("2DA file (*.2da)|*.2da", request.filter);
  EXPECT_EQ("2da", request.defaultExtension);
  EXPECT_EQ("appearance.2da", request.fileName);
  EXPECT_TRUE(request.fileMustExist);
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbColLabel));

  const std::string elsewhere = PathOf("elsewhere.2da");
  modifier_testing::Write2da(elsewhere, {"a"});
  services.fileDialogs.Expect({elsewhere});
  dialog.btnLoad2da->click();
  EXPECT_EQ((Items{"RowLabel", "a"}), ItemsOf(*dialog.cbColLabel));
  EXPECT_EQ("kept", TextOf(*dialog.cbExclusiveLabel));

  platform::ReplaceFile(elsewhere, "broken");
  std::string readerError;
  try {
    T2DAHandler table;
    table.LoadFromFile(elsewhere);
  } catch (const EDead& error) {
    readerError = error.Message();
  }
  ASSERT_FALSE(readerError.empty());
  services.fileDialogs.Expect({elsewhere});
  services.messages.Expect(MessageKind::Error, readerError);
  dialog.btnOpen2da->click();
  EXPECT_EQ((Items{"RowLabel", "a"}), ItemsOf(*dialog.cbColLabel))
      << "the lists are those from before";
  EXPECT_TRUE(dialog.btnOpen2da->isEnabled());
  EXPECT_TRUE(dialog.cbColLabel->isEnabled());
  EXPECT_TRUE(dialog.cbExclusiveLabel->isEnabled());
  EXPECT_EQ("kept", TextOf(*dialog.cbExclusiveLabel));
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
  EXPECT_EQ(kHead + Lines({"[m]", "ExclusiveColumn=kept"}), Text());
}

TEST_F(AddRowFormTest, TokenListOfTheValueBox) {
  Open(Lines({"[Settings]", "FileExists=1", "[TLKList]", "StrRef0=5", "StrRef1=", "[2DAList]",
              "Table0=appearance.2da", "[appearance.2da]", "AddRow0=m", "AddRow1=later", "[m]",
              "2DAMEMORY2=RowIndex", "[later]", "2DAMEMORY3=RowIndex"}));
  Type(dialog.cbColValue, "typed");
  dialog.cbColValue->showPopup();
  EXPECT_EQ((Items{"high()", "StrRef0", "2DAMEMORY2"}), ItemsOf(*dialog.cbColValue));
  EXPECT_EQ("typed", TextOf(*dialog.cbColValue)) << "the typed text stays";
  dialog.cbColValue->hidePopup();
  EXPECT_EQ((std::vector<platform::CursorShape>{platform::CursorShape::Hourglass,
                                                platform::CursorShape::Normal}),
            services.cursor.History());
}

TEST_F(AddRowFormTest, EscDoesNotCloseAndEnterClosesWithoutStoring) {
  Open(kHead);
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  dialog.cbColValue->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible()) << "no Cancel: Esc is ignored";
  Type(dialog.cbColLabel, "label");
  Type(dialog.cbColValue, "5");
  dialog.cbColValue->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible()) << "Enter reaches the default button";
  EXPECT_EQ(QDialog::Accepted, dialog.result());
  EXPECT_EQ(kHead, Text());
  EXPECT_EQ(Items{}, ItemsOf(*dialog.cbColValue)) << "Enter adds no item";
}

TEST_F(AddRowFormTest, EditAndDeleteOnAFreshDialog) {
  platform::ReplaceFile(PathOf("changes.ini"), kHead);
  ini = std::make_unique<TKV_Inifile>(PathOf("changes.ini"));
  TMod2DARowForm fresh;
  fresh.SetIniFile(ini.get());
  fresh.SetModifierSection("m");
  EXPECT_EQ(0, fresh.grid2daMod->Row());
  fresh.btnEditColValue->click();
  fresh.btnDelColValue->click();
  EXPECT_EQ("", TextOf(*fresh.cbColLabel));
  EXPECT_EQ(kHead, Text());
}

// A delete removes the line that counts; a second line of the name then shows in its row.
TEST_F(AddRowFormTest, DeletingARepeatedKeyShowsTheNextLineOfItsName) {
  Open(kHead + Lines({"[appearance.2da]", "AddRow0=m", "[m]", "a=1", "b=2", "A=3"}));
  dialog.grid2daMod->SetRow(0);
  dialog.btnDelColValue->click();
  EXPECT_EQ((Rows{{"a", "3"}, {"b", "2"}}), ListRows());
  EXPECT_EQ(kHead + Lines({"[appearance.2da]", "AddRow0=m", "[m]", "b=2", "A=3"}), Text());
  dialog.btnDelColValue->click();
  EXPECT_EQ((Rows{{"b", "2"}}), ListRows());
  EXPECT_EQ(kHead + Lines({"[appearance.2da]", "AddRow0=m", "[m]", "b=2"}), Text());
}

// A column name that changes.ini would read back as something else is refused with a
// warning: neither the list nor the file changes.
TEST_F(AddRowFormTest, AColumnNameTheFileCannotHoldIsRefused) {
  const std::string text = kHead + Lines({"[appearance.2da]", "AddRow0=m", "[m]", "a=1"});
  Open(text);
  for (const char* name : {"x=y", ";x", "[x"}) {
    services.messages.Expect(platform::MessageKind::Warning, *RefusedKeyName(name));
    Store(name, "v");
    EXPECT_EQ((Rows{{"a", "1"}}), ListRows()) << name;
  }
  EXPECT_EQ(text, Text());
}

}  // namespace
}  // namespace quennet
