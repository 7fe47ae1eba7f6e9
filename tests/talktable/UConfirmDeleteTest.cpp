#include "talktable/UConfirmDelete.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/support/FakeServices.h"
#include "tests/support/Widgets.h"

namespace {

using testing_support::Find;
using testing_support::ScopedFakeServices;

TEST(TConfirmDeleteTest, ShowsTheEntryNumberAndFocusesCancel) {
  ScopedFakeServices fakes;
  sorlith::TConfirmDelete dialog;
  dialog.SetEntryNumber(42);
  fakes.modals.Expect("TConfirmDelete", [](QDialog& shown) {
    EXPECT_EQ("Confirm Delete Entry", shown.windowTitle().toStdString());
    EXPECT_EQ("Delete entry #42", Find<QLabel>(&shown, "lblHeader")->text().toStdString());
    EXPECT_EQ(Find<QPushButton>(&shown, "btnCancel"), shown.focusWidget());
    EXPECT_TRUE(Find<QPushButton>(&shown, "btnCancel")->isDefault());
    EXPECT_FALSE(Find<QPushButton>(&shown, "btnOk")->isDefault());
  });
  EXPECT_EQ(QDialog::Rejected, platform::RunModal(dialog));
}

TEST(TConfirmDeleteTest, OnlyOkProceeds) {
  struct Case {
    const char* name;
    std::function<void(QDialog&)> action;
    int result;
  };
  const Case cases[] = {
      {"click OK", [](QDialog& d) { Find<QPushButton>(&d, "btnOk")->click(); }, QDialog::Accepted},
      {"click Cancel", [](QDialog& d) { Find<QPushButton>(&d, "btnCancel")->click(); },
       QDialog::Rejected},
      {"Enter", [](QDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); },
       QDialog::Rejected},
      {"keypad Enter", [](QDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Enter); },
       QDialog::Rejected},
      {"Esc", [](QDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Escape); },
       QDialog::Rejected},
  };
  sorlith::TConfirmDelete dialog;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedFakeServices fakes;
    fakes.modals.Expect("TConfirmDelete", [&](QDialog& shown) {
      c.action(shown);
      EXPECT_FALSE(shown.isVisible());
    });
    EXPECT_EQ(c.result, platform::RunModal(dialog));
  }
}

TEST(TConfirmDeleteTest, HeadingFollowsEachUse) {
  ScopedFakeServices fakes;
  sorlith::TConfirmDelete dialog;
  for (int entry : {7, 0}) {
    dialog.SetEntryNumber(entry);
    fakes.modals.Expect("TConfirmDelete", [entry](QDialog& shown) {
      EXPECT_EQ("Delete entry #" + std::to_string(entry),
                Find<QLabel>(&shown, "lblHeader")->text().toStdString());
    });
    platform::RunModal(dialog);
  }
}

TEST(TConfirmDeleteTest, WarningTexts) {
  sorlith::TConfirmDelete dialog;
  std::vector<std::string> texts;
  for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
    texts.push_back(Find<QLabel>(&dialog, name)->text().toStdString());
  }
  EXPECT_EQ(
      (std::vector<std::string>{
          "Warning:", "Deleting a TLK entry will automatically adjust the StrRef values of all",
          "other entries that comes after it in the TLK table!",
          "Only click OK below if you are very sure of what you are doing.",
          "If you delete one of the standard entries you run the risk of messing up a",
          "lot of text that appears in the game."}),
      texts);
  EXPECT_EQ("&OK", Find<QPushButton>(&dialog, "btnOk")->text().toStdString());
  EXPECT_EQ("&Cancel", Find<QPushButton>(&dialog, "btnCancel")->text().toStdString());
}

TEST(TConfirmDeleteTest, SetPositionPlacesTheFrame) {
  sorlith::TConfirmDelete dialog;
  dialog.SetPosition(310, 228);
  EXPECT_EQ(QPoint(310, 228), dialog.pos());
}

}  // namespace
