#include "talktable/ULanguageForm.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "tests/support/FakeServices.h"
#include "tests/support/Widgets.h"

namespace {

using testing_support::Find;
using testing_support::ScopedFakeServices;

TEST(TLanguageFormTest, ListsTheSixLanguagesInIdOrder) {
  sorlith::TLanguageForm dialog;
  auto* edLanguage = Find<QComboBox>(&dialog, "edLanguage");
  EXPECT_FALSE(edLanguage->isEditable());
  QStringList items;
  for (int i = 0; i < edLanguage->count(); ++i) items << edLanguage->itemText(i);
  EXPECT_EQ(QStringList({"English (0)", QString::fromUtf8("Français (1)"), "Deutsch (2)",
                         "Italiano (3)", QString::fromUtf8("Español (4)"), "Polski (5)"}),
            items);
  EXPECT_EQ("Set TLK file language ID", dialog.windowTitle().toStdString());
}

TEST(TLanguageFormTest, NamesInTheConfirmation) {
  const std::vector<std::string> expected{"English", "French",  "German",
                                          "Italian", "Spanish", "Polish"};
  for (int id = 0; id < 6; ++id) EXPECT_EQ(expected[id], sorlith::TLanguageForm::LanguageName(id));
}

// Each use of one dialog in turn: the id it is given and the item shown selected.
TEST(TLanguageFormTest, PreselectsTheTablesIdOrKeepsTheLastChoice) {
  struct Use {
    int64_t languageId;
    int selected;
  };
  const Use uses[] = {{9, -1}, {3, 3}, {9, 3}, {4294967295LL, 3}, {0, 0}, {5, 5}, {6, 5}};
  ScopedFakeServices fakes;
  sorlith::TLanguageForm dialog;
  for (const Use& use : uses) {
    SCOPED_TRACE(use.languageId);
    dialog.SetLanguageId(use.languageId);
    fakes.modals.Expect("TLanguageForm", [&](QDialog& shown) {
      auto* edLanguage = Find<QComboBox>(&shown, "edLanguage");
      EXPECT_EQ(use.selected, edLanguage->currentIndex());
      EXPECT_EQ(edLanguage, shown.focusWidget());
      Find<QPushButton>(&shown, "btnSave")->click();
    });
    ASSERT_EQ(QDialog::Accepted, platform::RunModal(dialog));
    EXPECT_EQ(use.selected, dialog.SelectedIndex());
  }
}

TEST(TLanguageFormTest, ChoosingAnItemGivesItsIndex) {
  ScopedFakeServices fakes;
  sorlith::TLanguageForm dialog;
  dialog.SetLanguageId(3);
  fakes.modals.Expect("TLanguageForm", [](QDialog& shown) {
    Find<QComboBox>(&shown, "edLanguage")->setCurrentIndex(5);
    QTest::keyClick(shown.focusWidget(), Qt::Key_Return);
  });
  ASSERT_EQ(QDialog::Accepted, platform::RunModal(dialog));
  EXPECT_EQ(5, dialog.SelectedIndex());
}

TEST(TLanguageFormTest, EscDoesNothingAndCancelRejects) {
  ScopedFakeServices fakes;
  sorlith::TLanguageForm dialog;
  fakes.modals.Expect("TLanguageForm", [](QDialog& shown) {
    QTest::keyClick(&shown, Qt::Key_Escape);
    EXPECT_TRUE(shown.isVisible());
    Find<QPushButton>(&shown, "btnCancel")->click();
  });
  EXPECT_EQ(QDialog::Rejected, platform::RunModal(dialog));
}

}  // namespace
