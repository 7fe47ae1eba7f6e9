#include "talktable/UPadForm.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/FakeServices.h"
#include "tests/support/Widgets.h"

namespace {

using testing_support::Find;
using testing_support::ScopedFakeServices;

TEST(TPadEntriesFormTest, ShowProposesTheStrRefAfterNextAndShowsTheRange) {
  struct Case {
    int64_t entryCount;
    const char* proposal;
    const char* range;
  };
  const Case cases[] = {
      {1000, "1001", "(current range: 0 to 999)"},
      {1, "2", "(current range: 0 to 0)"},
      {0, "1", "(current range: 0 to -1)"},
  };
  ScopedFakeServices fakes;
  sorlith::TPadEntriesForm dialog;
  for (const Case& c : cases) {
    dialog.SetEntryCount(c.entryCount);
    fakes.modals.Expect("TPadEntriesForm", [&](QDialog& shown) {
      auto* edStrRef = Find<QLineEdit>(&shown, "edStrRef");
      EXPECT_EQ(c.proposal, edStrRef->text().toStdString());
      EXPECT_EQ(c.range, Find<QLabel>(&shown, "lblCurrent")->text().toStdString());
      EXPECT_EQ(edStrRef, shown.focusWidget());
      // What the user typed last time is replaced at the next show.
      edStrRef->setText("77");
    });
    platform::RunModal(dialog);
  }
}

TEST(TPadEntriesFormTest, OnlyOkProceedsAndEnterCancels) {
  struct Case {
    const char* name;
    std::function<void(QDialog&)> action;
    int result;
  };
  const Case cases[] = {
      {"click OK", [](QDialog& d) { Find<QPushButton>(&d, "btnOK")->click(); }, QDialog::Accepted},
      {"click Cancel", [](QDialog& d) { Find<QPushButton>(&d, "btnCancel")->click(); },
       QDialog::Rejected},
      {"Enter in the field", [](QDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); },
       QDialog::Rejected},
      {"Esc", [](QDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Escape); },
       QDialog::Rejected},
  };
  sorlith::TPadEntriesForm dialog;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedFakeServices fakes;
    fakes.modals.Expect("TPadEntriesForm", [&](QDialog& shown) { c.action(shown); });
    EXPECT_EQ(c.result, platform::RunModal(dialog));
  }
}

TEST(TPadEntriesFormTest, StrRefTextIsTheFieldAsTyped) {
  ScopedFakeServices fakes;
  sorlith::TPadEntriesForm dialog;
  dialog.SetEntryCount(5);
  fakes.modals.Expect("TPadEntriesForm", [](QDialog& shown) {
    auto* edStrRef = Find<QLineEdit>(&shown, "edStrRef");
    edStrRef->selectAll();
    QTest::keyClicks(edStrRef, "250");
    Find<QPushButton>(&shown, "btnOK")->click();
  });
  ASSERT_EQ(QDialog::Accepted, platform::RunModal(dialog));
  EXPECT_EQ("250", dialog.StrRefText());
}

TEST(TPadEntriesFormTest, KeyFilterJudgesTheTypedCharacter) {
  struct Case {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* text;  // what the event carries
    const char* after;
    int beeps;
  };
  const Case cases[] = {
      {"digit", Qt::Key_7, Qt::NoModifier, "7", "127", 0},
      {"keypad digit", Qt::Key_7, Qt::KeypadModifier, "7", "127", 0},
      {"letter", Qt::Key_A, Qt::NoModifier, "a", "12", 1},
      {"blank", Qt::Key_Space, Qt::NoModifier, " ", "12", 1},
      {"minus", Qt::Key_Minus, Qt::NoModifier, "-", "12", 1},
      {"a key that types a digit", Qt::Key_A, Qt::NoModifier, "5", "125", 0},
      {"a digit key that types a letter", Qt::Key_5, Qt::NoModifier, "(", "12", 1},
      {"Ctrl+digit", Qt::Key_5, Qt::ControlModifier, "", "12", 1},
      {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, "", "12", 1},
      {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "", "1", 0},
      {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, "", "", 0},
      {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, "", "12", 0},
      {"Left", Qt::Key_Left, Qt::NoModifier, "", "12", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedFakeServices fakes;
    sorlith::TPadEntriesForm dialog;
    fakes.modals.Expect("TPadEntriesForm", [&](QDialog& shown) {
      auto* edStrRef = Find<QLineEdit>(&shown, "edStrRef");
      edStrRef->clear();
      QTest::keyClicks(edStrRef, "12");
      QKeyEvent press(QEvent::KeyPress, c.key, c.mods, QString::fromLatin1(c.text));
      QApplication::sendEvent(edStrRef, &press);
      EXPECT_EQ(c.after, edStrRef->text().toStdString());
    });
    platform::RunModal(dialog);
    EXPECT_EQ(c.beeps, fakes.beep.Count());
  }
}

}  // namespace
