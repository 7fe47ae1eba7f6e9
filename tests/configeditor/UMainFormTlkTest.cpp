// The talk-table token pane: File > Open filling the token list, listing an append.tlk,
// the preview, and adding, editing and deleting tokens, each checked on the whole
// changes.ini text.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "configeditor/prompts/UEditTokenForm.h"
#include "talktable/UTLKFile.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"
#include "tests/support/Widgets.h"

namespace quennet_testing {
namespace {

using testing_support::ClickRow;
using testing_support::DoubleClickRow;
using testing_support::GridRows;
using Rows = testing_support::GridCells;
using modifier_testing::Lines;
using testing_support::Find;

const std::string kHead = Lines({"[Settings]", "FileExists=1"});
const std::string kThreeTokens =
    kHead + Lines({"[TLKList]", "StrRef0=10", "StrRef1=11", "StrRef2=12"});

class QuennetTlkTest : public QuennetWindowTest {
 protected:
  void OpenAndShowPane(const std::string& text) {
    OpenFile(text);
    Select(form->nodeTlk);
  }
  // An append.tlk with these texts at StrRef 0, 1, ...
  void WriteTalkTable(const std::string& name, const std::vector<std::string>& texts) {
    TTLKFileHandler table;
    table.NewFile();
    for (const std::string& text : texts) {
      auto entry = std::make_unique<TTLKString>();
      entry->SetText(text);
      table.AddEntry(std::move(entry));
    }
    table.SaveToFile(PathOf(name));
  }
  void ListTalkTable(const std::string& name) {
    services.fileDialogs.Expect({PathOf(name)});
    form->btnOpenTlk->click();
  }
  void ExpectTokenPrompt(const std::string& number, const std::string& strRef,
                         const std::string& shownNumber, const std::string& shownStrRef,
                         bool save = true) {
    services.modals.Expect("TEditTokenForm", [=](QDialog& dialog) {
      auto* token = Find<QLineEdit>(&dialog, "edToken");
      auto* value = Find<QLineEdit>(&dialog, "edStrRef");
      EXPECT_EQ(shownNumber, token->text().toStdString());
      EXPECT_EQ(shownStrRef, value->text().toStdString());
      token->setText(QString::fromStdString(number));
      value->setText(QString::fromStdString(strRef));
      Find<QPushButton>(&dialog, save ? "btnSave" : "btnCancel")->click();
    });
  }
  Rows Tokens() const { return GridRows(*form->gridTokens); }
};

TEST_F(QuennetTlkTest, OpenFillsTheTokensAndSetsTheCounter) {
  OpenFile(kThreeTokens);
  EXPECT_EQ((Rows{{"StrRef0", "10"}, {"StrRef1", "11"}, {"StrRef2", "12"}}), Tokens());
  EXPECT_EQ(3, form->TokenCounter);
  EXPECT_FALSE(form->btnAddStrRef->isEnabled());
}

TEST_F(QuennetTlkTest, AddingDeletingAndAddingAgainCountsOn) {
  WriteTalkTable("append.tlk", {"zero", "one"});
  OpenAndShowPane(kThreeTokens);
  ListTalkTable("append.tlk");
  EXPECT_TRUE(form->btnAddStrRef->isEnabled());
  EXPECT_EQ((Rows{{"0", "zero"}, {"1", "one"}}), GridRows(*form->gridTlk));

  form->gridTlk->SetRow(1);
  form->btnAddStrRef->click();
  EXPECT_EQ(kThreeTokens + Lines({"StrRef3=1"}), ReadFile("changes.ini"));
  EXPECT_EQ(3, form->gridTokens->Row());

  form->btnDelToken->click();
  EXPECT_EQ(kThreeTokens, ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"StrRef0", "10"}, {"StrRef1", "11"}, {"StrRef2", "12"}}), Tokens());

  DoubleClickRow(*form->gridTlk, 0);
  EXPECT_EQ(kThreeTokens + Lines({"StrRef4=0"}), ReadFile("changes.ini"));
  QTest::keyClick(form->gridTlk, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(form->gridTlk, Qt::Key_Left,
                  Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(kThreeTokens + Lines({"StrRef4=0", "StrRef5=0"}), ReadFile("changes.ini"));
  EXPECT_EQ(6, form->TokenCounter);
}

TEST_F(QuennetTlkTest, AnAddedTokenPassesOverTakenNumbers) {
  WriteTalkTable("append.tlk", {"zero"});
  OpenAndShowPane(kThreeTokens);
  ListTalkTable("append.tlk");
  form->gridTokens->SetRow(1);
  form->btnDelToken->click();
  Select(form->nodeSettings);
  Select(form->nodeTlk);
  EXPECT_EQ(2, form->TokenCounter);
  form->btnAddStrRef->click();
  EXPECT_EQ(kHead + Lines({"[TLKList]", "StrRef0=10", "StrRef2=12", "StrRef3=0"}),
            ReadFile("changes.ini"));
  EXPECT_EQ(4, form->TokenCounter);
}

TEST_F(QuennetTlkTest, NothingIsAddedWithoutAListing) {
  OpenAndShowPane(kThreeTokens);
  form->btnAddStrRef->click();
  QTest::keyClick(form->gridTlk, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
  DoubleClickRow(*form->gridTlk, 0);
  EXPECT_EQ(kThreeTokens, ReadFile("changes.ini"));
  EXPECT_EQ(3, form->TokenCounter);
}

TEST_F(QuennetTlkTest, DeletingTheOnlyTokenLeavesAnEmptyRow) {
  OpenAndShowPane(kHead + Lines({"[TLKList]", "StrRef0=10"}));
  form->btnDelToken->click();
  EXPECT_EQ(kHead + Lines({"[TLKList]"}), ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"", ""}}), Tokens());
  form->btnDelToken->click();
  Select(form->nodeSettings);
  Select(form->nodeTlk);
  EXPECT_EQ((Rows{{"", ""}}), Tokens());
  EXPECT_EQ(1, form->TokenCounter);
}

TEST_F(QuennetTlkTest, EditingATokenThroughThePrompt) {
  struct Case {
    const char* name;
    std::string number;
    std::string strRef;
    std::string after;
    Rows rows;
    bool warned;
  };
  const Case cases[] = {
      {"in place",
       "2",
       "20",
       kHead + Lines({"[TLKList]", "StrRef0=10", "StrRef1=11", "StrRef2=20"}),
       {{"StrRef0", "10"}, {"StrRef1", "11"}, {"StrRef2", "20"}},
       false},
      {"to a new number",
       "7",
       "12",
       kHead + Lines({"[TLKList]", "StrRef0=10", "StrRef1=11", "StrRef7=12"}),
       {{"StrRef0", "10"}, {"StrRef1", "11"}, {"StrRef7", "12"}},
       false},
      {"onto another token",
       "0",
       "12",
       kThreeTokens,
       {{"StrRef0", "10"}, {"StrRef1", "11"}, {"StrRef2", "12"}},
       true},
      {"an empty number",
       "",
       "12",
       kThreeTokens,
       {{"StrRef0", "10"}, {"StrRef1", "11"}, {"StrRef2", "12"}},
       false},
      {"letters in the number",
       "x2",
       "12",
       kThreeTokens,
       {{"StrRef0", "10"}, {"StrRef1", "11"}, {"StrRef2", "12"}},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenAndShowPane(kThreeTokens);
    form->gridTokens->SetRow(2);
    ExpectTokenPrompt(c.number, c.strRef, "2", "12");
    if (c.warned) {
      services.messages.Expect(
          MessageKind::Warning,
          "String Token must be \"StrRef\" followed by a unique numeric value.");
    }
    DoubleClickRow(*form->gridTokens, 2);
    EXPECT_EQ(c.after, ReadFile("changes.ini"));
    EXPECT_EQ(c.rows, Tokens());
    EXPECT_EQ(3, form->TokenCounter);
  }
  ExpectTokenPrompt("9", "9", "2", "12", false);
  DoubleClickRow(*form->gridTokens, 2);
  EXPECT_EQ(kThreeTokens, ReadFile("changes.ini"));
}

TEST_F(QuennetTlkTest, TheStrRefBoxTakesDigitsOnly) {
  quennet::TEditTokenForm& prompt = *forms->EditTokenForm;
  EXPECT_EQ("Edit String Token", prompt.windowTitle().toStdString());
  prompt.edStrRef->setText(QStringLiteral("12"));
  QTest::keyClicks(prompt.edStrRef, QStringLiteral("3a"));
  EXPECT_EQ("123", prompt.edStrRef->text().toStdString());
  EXPECT_EQ(1, services.beep.Count());
  QTest::keyClick(prompt.edStrRef, Qt::Key_Backspace);
  EXPECT_EQ("12", prompt.edStrRef->text().toStdString());
  QTest::keyClicks(prompt.edToken, QStringLiteral("a1"));
  EXPECT_EQ("a1", prompt.edToken->text().toStdString());
  EXPECT_EQ(1, services.beep.Count());
}

TEST_F(QuennetTlkTest, PreviewAndASecondListing) {
  WriteTalkTable("a.tlk", {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight",
                           "nine", "ten", "eleven", "first line\r\nsecond line"});
  WriteTalkTable("b.tlk", {"other"});
  OpenAndShowPane(kHead);
  ListTalkTable("a.tlk");
  ASSERT_EQ(13, form->gridTlk->RowCount());
  form->gridTlk->scrollToBottom();
  ClickRow(*form->gridTlk, 12);
  EXPECT_EQ("12:\nfirst line\nsecond line", form->txtEntry->toPlainText().toStdString());

  ListTalkTable("b.tlk");
  EXPECT_EQ((Rows{{"0", "other"}}), GridRows(*form->gridTlk));
  const platform::FileDialogRequest& request = services.fileDialogs.Seen().back();
  EXPECT_EQ("TLK file (*.tlk)|*.tlk", request.filter);
  EXPECT_EQ("append.tlk", request.fileName);
  EXPECT_EQ("Select an append.tlk file to use...", request.title);
}

TEST_F(QuennetTlkTest, AnUnreadableTalkTableLeavesTheListEmpty) {
  WriteTalkTable("a.tlk", {"zero"});
  WriteFile("bad.tlk", "TLK V3.0 cut short");
  std::string sentence;
  try {
    TTLKFileHandler table(PathOf("bad.tlk"));
  } catch (const platform::Exception& error) {
    sentence = error.what();
  }
  ASSERT_FALSE(sentence.empty());
  OpenAndShowPane(kHead);
  ListTalkTable("a.tlk");
  services.messages.Expect(MessageKind::Error, sentence);
  ListTalkTable("bad.tlk");
  EXPECT_EQ((Rows{{"", ""}}), GridRows(*form->gridTlk));
  EXPECT_TRUE(form->btnAddStrRef->isEnabled());
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
}

TEST_F(QuennetTlkTest, NewEmptiesBothLists) {
  WriteTalkTable("a.tlk", {"zero"});
  OpenAndShowPane(kThreeTokens);
  ListTalkTable("a.tlk");
  NewFile("other.ini");
  EXPECT_EQ((Rows{{"", ""}}), Tokens());
  EXPECT_EQ((Rows{{"", ""}}), GridRows(*form->gridTlk));
  EXPECT_EQ(0, form->TokenCounter);
}

}  // namespace
}  // namespace quennet_testing
