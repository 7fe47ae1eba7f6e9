#include "talktable/USearchForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/Services.h"
#include "tests/support/FakeServices.h"
#include "tests/support/Widgets.h"
#include "tests/talktable/KeyPress.h"

namespace sorlith {
namespace {

using testing_support::PressKey;

std::string TextOf(const QLineEdit& edit) { return edit.text().toStdString(); }

class SearchFormTest : public testing::Test {
 protected:
  void ShowWith(int32_t entryCount) {
    form.SetEntryCount(entryCount);
    form.show();
  }

  testing_support::ScopedFakeServices services;
  TSearchForm form;
};

TEST_F(SearchFormTest, ComponentsTabOrderAndHints) {
  EXPECT_EQ("Search", form.windowTitle().toStdString());
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ((std::vector<std::string>{"edString", "edResref", "edStart", "edStop", "cdSearchAll",
                                      "cbSoundSearch", "btnSearch", "cbMatchCase", "cbNegate",
                                      "cbExactMatch", "cbFlagNew", "cbFilterBlank", "cbWordSearch",
                                      "btnCancel", "btnReset"}),
            testing_support::TabOrder(*form.edString));
  struct Hint {
    const char* name;
    const char* hint;
  };
  const Hint hints[] = {
      {"edString",
       "Text to search for among the TLK entries. The flags to the right determine how this is "
       "used."},
      {"edResref",
       "Search for matching Resref (filename without suffix) of a sound associated with a TLK "
       "entry. Max 16 characters."},
      {"edStart", "Start entry of interval to search within."},
      {"edStop", "End entry of interval to search within."},
      {"cdSearchAll", "Search in all entries in the currently loaded TLK file."},
      {"cbSoundSearch", ""},
      {"cbMatchCase",
       "The entered text string to search for must match big and small letters as well. \"A\" and "
       "\"a\" will not match if this is checked."},
      {"cbNegate",
       "If checked, search for all strings that DO NOT contain the specified text string."},
      {"cbExactMatch",
       "If checked, only strings that EXACTLY matches the specified text string will be searched "
       "for."},
      {"cbFlagNew",
       "If checked, the search will only return entries that have been added to the TLK file since "
       "it was opened."},
      {"cbFilterBlank",
       "Entries with blank strings will not be listed in the search results even if they otherwise "
       "match the criteria."},
      {"cbWordSearch",
       "If checked, it will search for each entered word individually rather than the whole "
       "phrase."},
  };
  for (const Hint& hint : hints) {
    if (auto* widget = testing_support::Find<QWidget>(&form, hint.name)) {
      EXPECT_EQ(hint.hint, widget->toolTip().toStdString()) << hint.name;
    }
  }
  EXPECT_EQ(16, form.edResref->maxLength());
  EXPECT_EQ(10, form.edStop->maxLength());
  EXPECT_TRUE(form.btnSearch->isDefault());
  EXPECT_TRUE(form.cdSearchAll->isChecked());
  EXPECT_FALSE(form.edStart->isEnabled());
  EXPECT_FALSE(form.edStop->isEnabled());
}

TEST_F(SearchFormTest, ShowResetsOnlyTheIntervalAndFocusesTheText) {
  form.edString->setText("hello");
  form.edResref->setText("vo_");
  form.cbNegate->setChecked(true);
  form.cdSearchAll->setChecked(false);
  form.edStart->setText("5");
  form.edStop->setText("7");
  ShowWith(10);
  EXPECT_EQ("0", TextOf(*form.edStart));
  EXPECT_EQ("9", TextOf(*form.edStop));
  EXPECT_TRUE(form.edStart->isEnabled()) << "the enabled state stays";
  EXPECT_EQ("hello", TextOf(*form.edString));
  EXPECT_EQ("vo_", TextOf(*form.edResref));
  EXPECT_TRUE(form.cbNegate->isChecked());
  EXPECT_EQ(form.edString, form.focusWidget());
  form.hide();
  ShowWith(0);
  EXPECT_EQ("0", TextOf(*form.edStop)) << "an empty table searches 0 to 0";
}

TEST_F(SearchFormTest, SearchAllSetsTheWholeTableAndDisablesTheInterval) {
  form.SetEntryCount(50);
  form.cdSearchAll->setChecked(false);
  EXPECT_TRUE(form.edStart->isEnabled());
  EXPECT_TRUE(form.edStop->isEnabled());
  form.edStart->setText("3");
  form.edStop->setText("4");
  form.cdSearchAll->click();
  EXPECT_EQ("0", TextOf(*form.edStart));
  EXPECT_EQ("49", TextOf(*form.edStop));
  EXPECT_FALSE(form.edStart->isEnabled());
  EXPECT_FALSE(form.edStop->isEnabled());
}

TEST_F(SearchFormTest, WordSearchExcludesExactMatch) {
  form.cbExactMatch->setChecked(true);
  form.cbWordSearch->click();
  EXPECT_FALSE(form.cbExactMatch->isChecked());
  EXPECT_FALSE(form.cbExactMatch->isEnabled());
  form.cbWordSearch->click();
  EXPECT_TRUE(form.cbExactMatch->isEnabled());
  EXPECT_FALSE(form.cbExactMatch->isChecked());
}

TEST_F(SearchFormTest, AnySoundEmptiesAndDisablesTheResRef) {
  ShowWith(5);
  form.edResref->setText("vo_");
  form.cbSoundSearch->click();
  EXPECT_EQ("", TextOf(*form.edResref));
  EXPECT_FALSE(form.edResref->isEnabled());
  form.cbSoundSearch->click();
  EXPECT_TRUE(form.edResref->isEnabled());
  EXPECT_EQ(form.edResref, form.focusWidget());
}

TEST_F(SearchFormTest, ResetRestoresEveryDefault) {
  ShowWith(20);
  form.edString->setText("x");
  for (QCheckBox* box : {form.cbMatchCase, form.cbNegate, form.cbFlagNew, form.cbFilterBlank,
                         form.cbWordSearch, form.cbSoundSearch})
    box->setChecked(true);
  form.cdSearchAll->setChecked(false);
  form.edStart->setText("4");
  form.btnReset->click();
  EXPECT_EQ("", TextOf(*form.edString));
  EXPECT_EQ("", TextOf(*form.edResref));
  EXPECT_TRUE(form.edResref->isEnabled());
  for (QCheckBox* box : {form.cbMatchCase, form.cbNegate, form.cbExactMatch, form.cbFlagNew,
                         form.cbFilterBlank, form.cbWordSearch, form.cbSoundSearch})
    EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
  EXPECT_TRUE(form.cbExactMatch->isEnabled());
  EXPECT_TRUE(form.cdSearchAll->isChecked());
  EXPECT_EQ("0", TextOf(*form.edStart));
  EXPECT_EQ("19", TextOf(*form.edStop));
  EXPECT_FALSE(form.edStart->isEnabled());
  EXPECT_EQ(form.edString, form.focusWidget());
  EXPECT_EQ(TSearchCriteria{}.Text, form.Criteria().Text);
}

TEST_F(SearchFormTest, CriteriaAreTheFieldsAsTyped) {
  form.edString->setText(" Hello ");
  form.edResref->setText("VO_");
  form.cbMatchCase->setChecked(true);
  form.cbFilterBlank->setChecked(true);
  form.cbWordSearch->setChecked(true);
  const TSearchCriteria criteria = form.Criteria();
  EXPECT_EQ(" Hello ", criteria.Text);
  EXPECT_EQ("VO_", criteria.SoundResRef);
  EXPECT_TRUE(criteria.MatchCase && criteria.FilterBlank && criteria.WordSearch);
  EXPECT_FALSE(criteria.Negate || criteria.ExactMatch || criteria.FlagNew || criteria.SoundSearch);
}

TEST_F(SearchFormTest, IntervalKeyFilterJudgesTheTypedCharacter) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* eventText;
    bool passes;
  };
  const Case cases[] = {
      {Qt::Key_7, Qt::NoModifier, "7", true},
      {Qt::Key_Backspace, Qt::NoModifier, "\b", true},
      {Qt::Key_C, Qt::ControlModifier, "\x03", true},
      {Qt::Key_X, Qt::ControlModifier, "\x18", true},
      {Qt::Key_Z, Qt::ControlModifier, "\x1a", true},
      {Qt::Key_Left, Qt::NoModifier, "", true},
      {Qt::Key_Delete, Qt::NoModifier, "", true},
      {Qt::Key_A, Qt::NoModifier, "5", true},  // the character typed counts, not the key
      {Qt::Key_5, Qt::NoModifier, "(", false},
      {Qt::Key_A, Qt::AltModifier, "a", false},
      {Qt::Key_Minus, Qt::NoModifier, "-", false},
      {Qt::Key_Space, Qt::NoModifier, " ", false},
      {Qt::Key_A, Qt::ControlModifier, "\x01", false},
      {Qt::Key_7, Qt::ControlModifier, "", false},
  };
  for (const Case& row : cases) {
    const int beeps = services.beep.Count();
    EXPECT_EQ(row.passes, form.edStartKeyPress(QKeyEvent(QEvent::KeyPress, row.key, row.modifiers,
                                                         QString::fromLatin1(row.eventText))))
        << row.key;
    EXPECT_EQ(row.passes ? beeps : beeps + 1, services.beep.Count()) << row.key;
  }
  form.cdSearchAll->setChecked(false);
  form.edStop->setText("1");
  form.edStop->end(false);
  PressKey(*form.edStop, Qt::Key_A, Qt::NoModifier, "a");
  PressKey(*form.edStop, Qt::Key_2, Qt::NoModifier, "2");
  EXPECT_EQ("12", TextOf(*form.edStop));
}

TEST_F(SearchFormTest, PasteOnlyWholeNumbers) {
  form.cdSearchAll->setChecked(false);
  form.edStart->clear();
  services.clipboard.SetText("12a");
  PressKey(*form.edStart, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("", TextOf(*form.edStart));
  EXPECT_EQ(1, services.beep.Count());
  services.clipboard.SetText("120");
  PressKey(*form.edStart, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("120", TextOf(*form.edStart));
  services.clipboard.SetText("-5");
  form.edStop->clear();
  PressKey(*form.edStop, Qt::Key_Insert, Qt::ShiftModifier);  // the other paste key
  EXPECT_EQ("-5", TextOf(*form.edStop));
  services.clipboard.SetText("x");
  PressKey(*form.edStop, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ("-5", TextOf(*form.edStop));
  EXPECT_EQ(2, services.beep.Count());
}

TEST_F(SearchFormTest, EscapeDoesNotCloseTheDialog) {
  int result = -1;
  services.modals.Expect("TSearchForm", [&](QDialog& dialog) {
    PressKey(*dialog.focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    testing_support::Find<QPushButton>(&dialog, "btnSearch")->click();
  });
  form.SetEntryCount(3);
  result = platform::RunModal(form);
  EXPECT_EQ(QDialog::Accepted, result);
  services.modals.Expect("TSearchForm", [](QDialog& dialog) {
    testing_support::Find<QPushButton>(&dialog, "btnCancel")->click();
  });
  EXPECT_EQ(QDialog::Rejected, platform::RunModal(form));
}

}  // namespace
}  // namespace sorlith
