// The file lists of the main window through the real widgets: the one add and remove
// command as each of the three categories' menu and pop-up items run it.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"

namespace quennet_testing {
namespace {

using modifier_testing::Lines;
using testing_support::Find;

const std::string kHead = Lines({"[Settings]", "FileExists=1"});
const char* kUsed = "A file with this name is already used in this changes.ini file!";

struct Category {
  const char* word;
  const char* list;
  const char* prefix;
  const char* nodeText;
  const char* noSelection;
  QAction* quennet::TMainForm::*menuItem;
  QAction* quennet::TMainForm::*addItem;
  QAction* quennet::TMainForm::*deleteItem;
  QTreeWidgetItem* quennet::TMainForm::*node;
};
const Category kCategories[] = {
    {"2DA", "[2DAList]", "Table", "2DA Files",
     "No 2da file has been selected in the list to be deleted", &quennet::TMainForm::mnuAdd2da,
     &quennet::TMainForm::Add2dafile1, &quennet::TMainForm::Delete2dafile1,
     &quennet::TMainForm::node2da},
    {"GFF", "[GFFList]", "File", "GFF Files",
     "No GFF format file has been selected in the list to be deleted",
     &quennet::TMainForm::mnuAddGff, &quennet::TMainForm::AddGFFFile1,
     &quennet::TMainForm::DeleteGFFfile1, &quennet::TMainForm::nodeGff},
    {"SSF", "[SSFList]", "File", "Soundset Files",
     "No SSF format file has been selected in the list to be deleted",
     &quennet::TMainForm::AddSSFFile2, &quennet::TMainForm::AddSSFFile1,
     &quennet::TMainForm::DeleteSSFFile1, &quennet::TMainForm::nodeSsf},
};

class QuennetFilesTest : public QuennetWindowTest {
 protected:
  void ExpectFileName(const std::string& word, const std::string& typed) {
    services.modals.Expect("TFormFilename", [word, typed](QDialog& dialog) {
      EXPECT_EQ("Add " + word + " file", Find<QLabel>(&dialog, "lblTitle")->text().toStdString());
      QTest::keyClicks(Find<QLineEdit>(&dialog, "edFilename"), QString::fromStdString(typed));
      Find<QPushButton>(&dialog, "btnOK")->click();
    });
  }
  void Remove(const Category& c, const std::string& name) {
    services.messages.Expect(MessageKind::Confirmation,
                             "Are you sure you wish to remove " + name + " from the modifier list?",
                             MessageAnswer::Yes);
    (form->*c.deleteItem)->trigger();
  }
  std::string Key(const Category& c, int n) const { return c.prefix + std::to_string(n); }
};

TEST_F(QuennetFilesTest, AddingThroughMenuAndPopUp) {
  for (const Category& c : kCategories) {
    SCOPED_TRACE(c.word);
    OpenFile(kHead);
    ExpectFileName(c.word, "a.x");
    (form->*c.menuItem)->trigger();
    ExpectFileName(c.word, " b.x  ");
    (form->*c.addItem)->trigger();
    ExpectFileName(c.word, "B.X");
    services.messages.Expect(MessageKind::Warning, kUsed);
    (form->*c.menuItem)->trigger();
    EXPECT_EQ(kHead + c.list + "\r\n" + Key(c, 0) + "=a.x\r\n" + Key(c, 1) + "=b.x\r\n",
              ReadFile("changes.ini"));
    EXPECT_EQ((std::vector<std::string>{"a.x", "b.x"}), ChildTexts(form->*c.node));
    EXPECT_EQ("b.x", CurrentNodeText());
    EXPECT_EQ("b.x", form->CurrentSection());
  }
}

TEST_F(QuennetFilesTest, AddedPaddedNameIsRemovedFromTheFile) {
  for (const Category& c : kCategories) {
    SCOPED_TRACE(c.word);
    OpenFile(kHead);
    ExpectFileName(c.word, "a.x ");
    (form->*c.menuItem)->trigger();
    Remove(c, "a.x");
    EXPECT_EQ(kHead + c.list + "\r\n", ReadFile("changes.ini"));
    EXPECT_EQ(0, (form->*c.node)->childCount());
  }
}

TEST_F(QuennetFilesTest, RemovingAFileListedTwiceRemovesEveryNodeAndSelectsTheCategory) {
  for (const Category& c : kCategories) {
    SCOPED_TRACE(c.word);
    const std::string list = std::string(c.list) + "\r\n";
    OpenFile(kHead + list + Key(c, 0) + "=x\r\n" + Key(c, 1) + "=y\r\n" + Key(c, 2) + "=x\r\n" +
             Lines({"[x]", "k=v"}));
    SelectChild(form->*c.node, "x");
    Remove(c, "x");
    EXPECT_EQ(kHead + list + Key(c, 1) + "=y\r\n", ReadFile("changes.ini"));
    EXPECT_EQ((std::vector<std::string>{"y"}), ChildTexts(form->*c.node));
    EXPECT_EQ(c.nodeText, CurrentNodeText());
  }
}

TEST_F(QuennetFilesTest, RemovingWithoutAFileOfTheCategorySelectedWarns) {
  const std::string text = kHead + Lines({"[2DAList]", "Table0=a.2da", "[GFFList]", "File0=a.utc",
                                          "[SSFList]", "File0=a.ssf"});
  OpenFile(text);
  for (const Category& c : kCategories) {
    SCOPED_TRACE(c.word);
    Select(form->node2da->child(0));
    if (c.node == &quennet::TMainForm::node2da) Select(form->nodeGff->child(0));
    services.messages.Expect(MessageKind::Warning, c.noSelection);
    (form->*c.deleteItem)->trigger();
  }
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

}  // namespace
}  // namespace quennet_testing
