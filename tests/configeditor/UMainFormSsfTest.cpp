// The soundset pane of the main window, driven through its widgets and checked on the
// whole changes.ini text: showing a file, storing, editing and deleting entry changes,
// the kind of the file's list key and the value list.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cerrno>

#include "configeditor/parts/UDropDownCombo.h"
#include "configeditor/rules/USsfSections.h"
#include "platform/ui/StringGrid.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"
#include "tests/platform/FaultInjector.h"

namespace quennet_testing {
namespace {

using modifier_testing::Lines;
using Rows = std::vector<std::vector<std::string>>;

const std::string kHead = Lines({"[Settings]", "FileExists=1"});

class QuennetSsfTest : public QuennetWindowTest {
 protected:
  void OpenAndSelect(const std::string& text, const std::string& fileName) {
    OpenFile(text);
    SelectFile(fileName);
  }
  void SelectFile(const std::string& fileName) { SelectChild(form->nodeSsf, fileName); }

  // The rows below the header.
  Rows ListRows() const { return testing_support::GridRows(*form->gridSSF, 1); }
  std::string EntryText() const { return platform::FromQt(form->cbSSFEntry->currentText()); }
  std::string ValueText() const { return platform::FromQt(form->cbSSFValue->currentText()); }

  void Store(const std::string& entry, const std::string& value) {
    form->cbSSFEntry->setCurrentText(QString::fromStdString(entry));
    form->cbSSFValue->clearEditText();
    QTest::keyClicks(form->cbSSFValue, QString::fromStdString(value));
    form->btnAddSSF->click();
  }
};

TEST_F(QuennetSsfTest, ShowingAFile) {
  const std::string text = kHead + Lines({"[SSFList]", "File0=a.ssf", "Replace3=b.ssf", "[a.ssf]",
                                          "Death=42", "Pain 1=", "[b.ssf]", "Search=7"});
  OpenAndSelect(text, "a.ssf");
  EXPECT_EQ((Rows{{"Death", "42"}, {"Pain 1", ""}}), ListRows());
  EXPECT_EQ("Sound Entry", form->gridSSF->Cell(0, 0));
  EXPECT_EQ("StrRef in dialog.tlk", form->gridSSF->Cell(1, 0));
  EXPECT_EQ("Modified sound entries in file a.ssf: ", form->lblSSFHeading->text().toStdString());
  EXPECT_FALSE(form->chSSFReplace->isChecked());
  EXPECT_EQ("", EntryText());
  EXPECT_TRUE(form->paneSSF->isVisible());

  SelectFile("b.ssf");  // its key is of the Replace kind: the box follows, nothing is written
  EXPECT_TRUE(form->chSSFReplace->isChecked());
  EXPECT_EQ((Rows{{"Search", "7"}}), ListRows());
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

// The file command is the category's; here what the pane shows of a new file.
TEST_F(QuennetSsfTest, AnAddedFileShowsAnEmptyGridAndTheBoxCleared) {
  const std::string text = kHead + Lines({"[SSFList]", "Replace0=b.ssf", "[b.ssf]", "Death=1"});
  OpenAndSelect(text, "b.ssf");
  ASSERT_TRUE(form->chSSFReplace->isChecked());
  services.modals.Expect("TFormFilename", [](QDialog& dialog) {
    QTest::keyClicks(testing_support::Find<QLineEdit>(&dialog, "edFilename"), "a.ssf");
    testing_support::Find<QPushButton>(&dialog, "btnOK")->click();
  });
  form->AddSSFFile2->trigger();
  EXPECT_EQ(kHead + Lines({"[SSFList]", "Replace0=b.ssf", "File0=a.ssf", "[b.ssf]", "Death=1"}),
            ReadFile("changes.ini"));
  EXPECT_EQ("a.ssf", CurrentNodeText());
  EXPECT_EQ((Rows{{"", ""}}), ListRows());
  EXPECT_FALSE(form->chSSFReplace->isChecked());
}

TEST_F(QuennetSsfTest, EntryListHoldsTheFortyEntries) {
  ASSERT_EQ(40, form->cbSSFEntry->count());
  EXPECT_FALSE(form->cbSSFEntry->isEditable());
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(quennet::kSsfEntryNames[static_cast<size_t>(i)],
              form->cbSSFEntry->itemText(i).toStdString());
  EXPECT_EQ("Battlecry 1", form->cbSSFEntry->itemText(0).toStdString());
  EXPECT_EQ("Poisoned", form->cbSSFEntry->itemText(27).toStdString());
  EXPECT_EQ("Unknown(40)", form->cbSSFEntry->itemText(39).toStdString());
}

TEST_F(QuennetSsfTest, StoringEntryChanges) {
  const std::string list = kHead + Lines({"[SSFList]", "File0=a.ssf"});
  OpenAndSelect(list, "a.ssf");
  EXPECT_EQ((Rows{{"", ""}}), ListRows());
  Store("Death", "42");
  Store("Pain 1", "StrRef5");
  EXPECT_EQ(list + Lines({"[a.ssf]", "Death=42", "Pain 1=StrRef5"}), ReadFile("changes.ini"));
  Store("Death", "43");
  EXPECT_EQ(list + Lines({"[a.ssf]", "Death=43", "Pain 1=StrRef5"}), ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"Death", "43"}, {"Pain 1", "StrRef5"}}), ListRows());
  EXPECT_EQ(1, form->gridSSF->Row());
  EXPECT_EQ("", EntryText());
  EXPECT_EQ("", ValueText());

  Store("Search", "");  // an empty value stores nothing
  form->cbSSFEntry->setCurrentIndex(-1);
  QTest::keyClicks(form->cbSSFValue, "5");
  form->btnAddSSF->click();  // nor an empty entry
  EXPECT_EQ(list + Lines({"[a.ssf]", "Death=43", "Pain 1=StrRef5"}), ReadFile("changes.ini"));
}

TEST_F(QuennetSsfTest, AValueOutsideTheCodePageIsRefused) {
  const std::string text = kHead + Lines({"[SSFList]", "File0=a.ssf"});
  OpenAndSelect(text, "a.ssf");
  form->cbSSFEntry->setCurrentText("Death");
  form->cbSSFValue->setEditText(QString::fromUtf8("\xC5\xBBo"));
  services.messages.Expect(MessageKind::Warning,
                           "The character \"\xC5\xBB\" (U+017B) cannot be stored in the "
                           "Windows-1252 code page of the files. Nothing was changed.");
  form->btnAddSSF->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

TEST_F(QuennetSsfTest, CtrlShiftKeysStoreAndEdit) {
  const std::string list = kHead + Lines({"[SSFList]", "File0=a.ssf"});
  OpenAndSelect(list + Lines({"[a.ssf]", "Search=7"}), "a.ssf");
  form->cbSSFEntry->setCurrentText("Death");
  QTest::keyClicks(form->cbSSFValue, "42");
  QTest::keyClick(form->cbSSFValue, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(list + Lines({"[a.ssf]", "Search=7", "Death=42"}), ReadFile("changes.ini"));
  form->gridSSF->SetRow(1);
  QTest::keyClick(form->gridSSF, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ("Search", EntryText());
  EXPECT_EQ("7", ValueText());
}

TEST_F(QuennetSsfTest, EditingFindsTheEntryWithoutRegardToCase) {
  const std::string text =
      kHead + Lines({"[SSFList]", "File0=a.ssf", "[a.ssf]", "pain 2=9", "Nosuch=3"});
  OpenAndSelect(text, "a.ssf");
  form->gridSSF->SetRow(1);
  form->btnEditSSF->click();
  EXPECT_EQ("Pain 2", EntryText());
  EXPECT_EQ("9", ValueText());
  form->gridSSF->SetRow(2);
  form->btnEditSSF->click();
  EXPECT_EQ(-1, form->cbSSFEntry->currentIndex());
  EXPECT_EQ("3", ValueText());
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

TEST_F(QuennetSsfTest, DeletingTheOnlyEntryRemovesTheSection) {
  const std::string list = kHead + Lines({"[SSFList]", "File0=a.ssf"});
  OpenAndSelect(list + Lines({"[a.ssf]", "Death=42"}), "a.ssf");
  form->gridSSF->SetRow(1);
  services.messages.Expect(MessageKind::Confirmation,
                           "Are you sure you wish to delete the changes to the entry \"Death\"  "
                           "for the SSF file \"a.ssf\"?",
                           MessageAnswer::Yes);
  form->btnDelSSF->click();
  // The section line stays, but a section without keys does not exist.
  EXPECT_EQ(list + Lines({"[a.ssf]"}), ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"", ""}}), ListRows());
  EXPECT_EQ((std::vector<std::string>{"a.ssf"}), ChildTexts(form->nodeSsf));
  form->btnDelSSF->click();  // the empty row: no question
}

TEST_F(QuennetSsfTest, SwitchingTheKindKeepsTheOrder) {
  const std::string files = Lines({"[a.ssf]", "Death=1"});
  OpenAndSelect(
      kHead + Lines({"[SSFList]", "File0=a.ssf", "File1=b.ssf", "Replace0=c.ssf"}) + files,
      "a.ssf");
  form->chSSFReplace->click();
  EXPECT_EQ(kHead + Lines({"[SSFList]", "Replace1=a.ssf", "File1=b.ssf", "Replace0=c.ssf"}) + files,
            ReadFile("changes.ini"));
  form->chSSFReplace->click();
  EXPECT_EQ(kHead + Lines({"[SSFList]", "File0=a.ssf", "File1=b.ssf", "Replace0=c.ssf"}) + files,
            ReadFile("changes.ini"));
}

TEST_F(QuennetSsfTest, AKindSwitchWhoseWriteFailsLeavesTheListAsItWas) {
  const std::string text =
      kHead + Lines({"[SSFList]", "File0=a.ssf", "File1=b.ssf", "Replace0=c.ssf"});
  OpenAndSelect(text, "a.ssf");
  services.messages.Expect(MessageKind::Error, "Unable to write to " + PathOf("changes.ini"));
  // Every rewrite of the file fails.
  fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
  form->chSSFReplace->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));
  EXPECT_FALSE(form->chSSFReplace->isChecked()) << "the box shows the kind the file has";
}

// Were each change a write of its own, a failure after the first would lose the keys
// deleted and not yet written again.
TEST_F(QuennetSsfTest, AKindSwitchIsOneWriteOfTheFile) {
  OpenAndSelect(kHead + Lines({"[SSFList]", "File0=a.ssf", "File1=b.ssf", "Replace0=c.ssf"}),
                "a.ssf");
  fault_injection::OnlyTheFirstReplaceSucceeds onlyTheFirstWrite;
  form->chSSFReplace->click();
  EXPECT_EQ(kHead + Lines({"[SSFList]", "Replace1=a.ssf", "File1=b.ssf", "Replace0=c.ssf"}),
            ReadFile("changes.ini"));
}

TEST_F(QuennetSsfTest, ValueListAddsTheTokensOfGffModifiers) {
  const std::string text =
      kHead + Lines({"[TLKList]", "StrRef0=1", "[GFFList]", "File0=p.utc", "[p.utc]",
                     "2DAMEMORY5=!FieldPath", "[SSFList]", "File0=a.ssf"});
  OpenAndSelect(text, "a.ssf");
  QTest::keyClicks(form->cbSSFValue, "typed");
  form->cbSSFValue->showPopup();
  std::vector<std::string> items;
  for (int i = 0; i < form->cbSSFValue->count(); ++i)
    items.push_back(form->cbSSFValue->itemText(i).toStdString());
  EXPECT_EQ((std::vector<std::string>{"StrRef0", "2DAMEMORY5"}), items);
  EXPECT_EQ("typed", ValueText());
  form->cbSSFValue->hidePopup();
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

}  // namespace
}  // namespace quennet_testing
