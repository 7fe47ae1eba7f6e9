#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>

#include "talktable/USearchForm.h"
#include "tests/talktable/MainWindowFixture.h"

namespace sorlith {
namespace {

using platform::MessageKind;
using testing_support::Find;

const std::vector<tlk_bytes::Entry> kTable = {
    {"Hello there.", "vo_hello"},    // 0
    {"Farewell."},                   // 1
    {"HELLO"},                       // 2
    {"Good day to you.", "vo_day"},  // 3
    {"Say hello\r\nto him."},        // 4
    {""},                            // 5
};

class SearchCommandTest : public testing_support::MainWindowTest {
 protected:
  // Runs Tools > Search; `fill` works the dialog, which is then ended with "&Search".
  void Search(const std::function<void(TSearchForm&)>& fill) {
    services.modals.Expect("TSearchForm", [&](QDialog& dialog) {
      auto& search = static_cast<TSearchForm&>(dialog);
      fill(search);
      search.btnSearch->click();
    });
    form->Search1->trigger();
  }
};

TEST_F(SearchCommandTest, RefusedWithoutATable) {
  services.messages.Expect(MessageKind::Warning,
                           "Error! No TLK file is currently open. There is nothing to search in.");
  form->Search1Click();
  EXPECT_TRUE(services.modals.Seen().empty());
}

// "ł" would become "?" and list every entry holding a question mark.
TEST_F(SearchCommandTest, ASearchTextOutsideTheCodePageIsRefused) {
  Load({{"What?"}, {"\xB3"}, {"plain"}});
  Show("0", "2");
  const auto before = State();
  for (QLineEdit* TSearchForm::*field : {&TSearchForm::edString, &TSearchForm::edResref}) {
    services.messages.Expect(MessageKind::Warning,
                             "The character \"\xC5\x82\" (U+0142) cannot be stored in the "
                             "Windows-1252 code page of the files. Nothing was changed.");
    Search([&](TSearchForm& search) {
      search.btnResetClick();
      (search.*field)->setText(QString::fromUtf8("\xC5\x82"));
    });
    EXPECT_EQ(before, State());
    EXPECT_FALSE(form->SearchResultsShown());
  }
}

TEST_F(SearchCommandTest, ListsTheHitsAndPlacesTheDialog) {
  Load(kTable);
  form->move(100, 80);
  Search([&](TSearchForm& search) {
    EXPECT_EQ(form->pos() + QPoint(32, 64), search.pos());
    EXPECT_EQ("5", Text(search.edStop));
    search.edString->setText("hello");
  });
  EXPECT_EQ((std::vector<std::string>{"0", "2", "4"}), ListedStrRefs());
  EXPECT_EQ("StrRef", form->grid->Cell(0, 0));
  EXPECT_EQ("Say hello\nto him.", form->grid->Cell(1, 3)) << "carriage returns removed";
  EXPECT_EQ("vo_hello", form->grid->Cell(2, 1));
  EXPECT_EQ("Search completed. 3 matches found to specified criteria.", form->StatusText());
  EXPECT_TRUE(form->SearchResultsShown());
  EXPECT_TRUE(form->grid->isEnabled());
  EXPECT_EQ(form->grid, form->focusWidget());
  EXPECT_EQ("", platform::FromQt(form->txtDisplay->toPlainText())) << "until a row is picked";
  EXPECT_EQ(0, form->pbar->value());
}

TEST_F(SearchCommandTest, CriteriaStayBetweenUsesButTheIntervalIsReset) {
  Load(kTable);
  Search([](TSearchForm& search) {
    search.edString->setText("hello");
    search.cbMatchCase->setChecked(true);
    search.cdSearchAll->setChecked(false);
    search.edStart->setText("1");
    search.edStop->setText("3");
  });
  EXPECT_TRUE(ListedStrRefs().empty());
  Search([](TSearchForm& search) {
    EXPECT_EQ("hello", Text(search.edString));
    EXPECT_TRUE(search.cbMatchCase->isChecked());
    EXPECT_FALSE(search.cdSearchAll->isChecked());
    EXPECT_EQ("0", Text(search.edStart));
    EXPECT_EQ("5", Text(search.edStop));
  });
  EXPECT_EQ((std::vector<std::string>{"4"}), ListedStrRefs());
  const auto before = State();
  services.modals.Expect("TSearchForm",
                         [](QDialog& dialog) { Find<QPushButton>(&dialog, "btnCancel")->click(); });
  form->Search1->trigger();
  EXPECT_EQ(before, State()) << "Cancel searches nothing";
}

TEST_F(SearchCommandTest, NoHitsShowsAMessageAndKeepsTheResultsFlag) {
  Load(kTable);
  Search([](TSearchForm& search) { search.edString->setText("zebra"); });
  EXPECT_EQ(1, form->grid->ColCount());
  EXPECT_EQ("No entries matching the specified criteria were found!", form->grid->Cell(0, 0));
  EXPECT_FALSE(form->grid->isEnabled());
  EXPECT_EQ("Search completed. No matching results found.", form->StatusText());
  EXPECT_FALSE(form->SearchResultsShown());
  Search([](TSearchForm& search) { search.edString->setText("hello"); });
  EXPECT_TRUE(form->SearchResultsShown());
  Search([](TSearchForm& search) { search.edString->setText("zebra"); });
  EXPECT_TRUE(form->SearchResultsShown()) << "a search without hits leaves the flag";
  Show("0", "1");
  EXPECT_FALSE(form->SearchResultsShown());
}

TEST_F(SearchCommandTest, RefusalsLeaveGridMemoAndStatus) {
  Load(kTable);
  Show("0", "3");
  SelectStrRef(2);
  struct Case {
    const char* start;
    const char* stop;
    const char* warning;
  };
  const Case cases[] = {
      {"3", "2", "ERROR! Invalid start value of interval to search!"},
      {"0", "6", "ERROR! Oi! Invalid end value of interval to search!"},
      {"-1", "2", "ERROR! Invalid start value of interval to search!"},
      {"0", "-5", "ERROR! Oi! Invalid end value of interval to search!"},
      {"0", "", "Error! You can only use numbers when specifying an interval to search in!"},
      {"1x", "2", "Error! You can only use numbers when specifying an interval to search in!"},
  };
  for (const Case& row : cases) {
    const auto before = State();
    ASSERT_NE("", before.memo);
    services.messages.Expect(MessageKind::Warning, row.warning);
    Search([&](TSearchForm& search) {
      search.edString->setText("hello");
      search.cdSearchAll->setChecked(false);
      search.edStart->setText(row.start);
      search.edStop->setText(row.stop);
    });
    EXPECT_EQ(before, State()) << row.start << ".." << row.stop;
  }
}

TEST_F(SearchCommandTest, NewOnlyAfterAnAddAndAModify) {
  Load(kTable);
  Search([](TSearchForm& search) {
    search.btnReset->click();
    search.cbFlagNew->setChecked(true);
  });
  EXPECT_TRUE(ListedStrRefs().empty());
  Entry(1).SetText("Farewell, friend.");
  form->TalkTable().ModifyEntry(Entry(1));
  form->TalkTable().AddEntry(std::make_unique<TTLKString>());
  Search([](TSearchForm&) {});
  EXPECT_EQ((std::vector<std::string>{"1", "6"}), ListedStrRefs());
}

TEST_F(SearchCommandTest, AnEmptyTableFindsNothing) {
  form->New1Click();
  Search([](TSearchForm& search) {
    search.btnReset->click();
    EXPECT_EQ("0", Text(search.edStop));
  });
  EXPECT_EQ("Search completed. No matching results found.", form->StatusText());
}

TEST_F(SearchCommandTest, WordsMatchIsTheSearchRule) {
  EXPECT_TRUE(TMainForm::WordsMatch("good day", "day, good sir!"));
  EXPECT_FALSE(TMainForm::WordsMatch("good day", "goodness daylight"));
}

}  // namespace
}  // namespace sorlith
