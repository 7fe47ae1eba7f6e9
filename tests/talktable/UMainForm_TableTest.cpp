// The main window's table-wide commands: delete, pad, append and set language, each
// driven through the scripted dialogs and message boxes.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "platform/ui/Application.h"
#include "talktable/UConfirmDelete.h"
#include "talktable/ULanguageForm.h"
#include "talktable/UMainForm.h"
#include "talktable/UPadForm.h"
#include "tests/support/FakeServices.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TlkBytes.h"
#include "tests/support/Widgets.h"

namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;
using platform::MessageKind;
using testing_support::Find;
using testing_support::ScopedFakeServices;

const char* const kIntervalMessage =
    "Please specify a StrRef interval of strings to display. Bigger interval uses more memory and "
    "time.";

// A file of `count` entries with texts "<prefix>0", "<prefix>1", ...
std::string TableBytes(uint32_t count, const std::string& prefix = "t", uint32_t language = 0) {
  std::vector<tlk_bytes::Entry> entries;
  for (uint32_t i = 0; i < count; ++i)
    entries.emplace_back(prefix + std::to_string(i), "snd" + std::to_string(i));
  return tlk_bytes::File(entries, language);
}

class TableCommandsTest : public testing::Test {
 protected:
  void SetUp() override { form.CreateForms(); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    return scratch.Write(name, bytes);
  }
  // Loads a table of `count` entries and shows the interval start..stop.
  std::string Open(uint32_t count, int start, int stop, uint32_t language = 0) {
    const std::string path = Write("open.tlk", TableBytes(count, "t", language));
    form.LoadFile(path);
    EXPECT_TRUE(form.TalkTable().IsOpen());
    Show(start, stop);
    return path;
  }
  void Show(int start, int stop) {
    form.edStart->setText(QString::number(start));
    form.edStop->setText(QString::number(stop));
    form.btnShowClick();
  }
  void SelectStrRef(int strRef) {
    for (int row = 1; row < form.grid->RowCount(); ++row)
      if (form.grid->Cell(0, row) == std::to_string(strRef)) form.grid->SetRow(row);
    ASSERT_EQ(std::to_string(strRef), form.grid->Cell(0, form.grid->Row()));
  }
  // The StrRef cells of the grid's rows below the header.
  std::vector<std::string> StrRefsShown() const {
    std::vector<std::string> cells;
    for (int row = 1; row < form.grid->RowCount(); ++row) cells.push_back(form.grid->Cell(0, row));
    return cells;
  }
  std::string Selected(int col = 0) const { return form.grid->Cell(col, form.grid->Row()); }
  std::string Field(QLineEdit* field) const { return field->text().toStdString(); }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    TStringDataList& list = form.TalkTable().EntryList();
    for (TTLKString* entry = list.First(); entry; entry = list.Next())
      texts.emplace_back(entry->GetText());
    return texts;
  }

  testing_support::ScratchFolder scratch;
  fs::path FFolder{scratch.Path()};
  sorlith::TMainForm form;
};

std::vector<std::string> Numbers(int from, int to) {
  std::vector<std::string> numbers;
  for (int i = from; i <= to; ++i) numbers.push_back(std::to_string(i));
  return numbers;
}

void ClickOk(QDialog& dialog) { Find<QPushButton>(&dialog, "btnOk")->click(); }

// ---- Delete selected entry ----

TEST_F(TableCommandsTest, DeleteRenumbersRefreshesAndSelects) {
  struct Case {
    const char* name;
    uint32_t entries;
    int start, stop, deleted;
    const char* startAfter;
    const char* stopAfter;
    int selected;  // StrRef of the selected row afterwards
    const char* selectedText;
  };
  const Case cases[] = {
      {"middle", 100, 0, 99, 10, "0", "98", 10, "t11"},
      {"last", 100, 0, 99, 99, "0", "98", 98, "t98"},
      {"first of a narrow view", 100, 0, 5, 0, "0", "5", 0, "t1"},
      {"wide view is narrowed", 2000, 0, 1999, 1500, "998", "1998", 1500, "t1501"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedFakeServices fakes;
    Open(c.entries, c.start, c.stop);
    SelectStrRef(c.deleted);
    fakes.modals.Expect("TConfirmDelete", [&](QDialog& dialog) {
      EXPECT_EQ(form.PlaceAt(100, 128), dialog.pos());
      EXPECT_EQ("Delete entry #" + std::to_string(c.deleted),
                Find<QLabel>(&dialog, "lblHeader")->text().toStdString());
      ClickOk(dialog);
    });
    fakes.messages.Expect(MessageKind::Information,
                          "Entry " + std::to_string(c.deleted) +
                              " has been deleted. Warning: All following entries have had their "
                              "StrRefs changed!");
    form.Deleteselected1Click();

    EXPECT_EQ(c.entries - 1, form.TalkTable().EntryCount());
    EXPECT_TRUE(form.TalkTable().Modified());
    EXPECT_EQ(c.startAfter, Field(form.edStart));
    EXPECT_EQ(c.stopAfter, Field(form.edStop));
    EXPECT_EQ(Numbers(std::stoi(c.startAfter), std::stoi(c.stopAfter)), StrRefsShown());
    EXPECT_EQ(std::to_string(c.selected), Selected());
    EXPECT_EQ(c.selectedText, Selected(1));
    EXPECT_EQ("(" + std::to_string(c.entries - 2) + " max.)", form.lblMax->text().toStdString());
    EXPECT_TRUE(form.Save2->isEnabled());
  }
}

TEST_F(TableCommandsTest, DeletingTheOnlyEntryShowsAnEmptyTable) {
  ScopedFakeServices fakes;
  Open(1, 0, 0);
  fakes.modals.Expect("TConfirmDelete", ClickOk);
  fakes.messages.Expect(MessageKind::Information,
                        "Entry 0 has been deleted. Warning: All following entries have had their "
                        "StrRefs changed!");
  form.Deleteselected1Click();
  EXPECT_EQ(0u, form.TalkTable().EntryCount());
  EXPECT_EQ("0", Field(form.edStart));
  EXPECT_EQ("0", Field(form.edStop));
  // A header row and one empty row, as a new empty table shows.
  EXPECT_EQ(3, form.grid->ColCount());
  EXPECT_EQ(std::vector<std::string>{""}, StrRefsShown());
  EXPECT_EQ("Displaying entries between StrRef 0 to 0 out of a total of 0 entries.",
            form.StatusText());
  // The empty row names no entry: a further Delete does nothing.
  form.Deleteselected1Click();
}

// A start field the user changed without showing it: typed beyond the stop, or a
// negative number that came by paste. The refresh after the delete must not refuse
// the interval, or the grid would keep rows of the old numbering.
TEST_F(TableCommandsTest, StartTypedBeyondTheStopIsPulledDown) {
  for (const char* typed : {"500", "-5"}) {
    SCOPED_TRACE(typed);
    ScopedFakeServices fakes;
    Open(100, 0, 20);
    SelectStrRef(3);
    form.edStart->setText(typed);
    fakes.modals.Expect("TConfirmDelete", ClickOk);
    fakes.messages.Expect(MessageKind::Information,
                          "Entry 3 has been deleted. Warning: All following entries have had "
                          "their StrRefs changed!");
    form.Deleteselected1Click();
    EXPECT_EQ("0", Field(form.edStart));
    EXPECT_EQ("20", Field(form.edStop));
    EXPECT_EQ(Numbers(0, 20), StrRefsShown());
    EXPECT_EQ("3", Selected());
    EXPECT_EQ("t4", Selected(1));
  }
}

TEST_F(TableCommandsTest, DeleteIsCancelledByDefault) {
  struct Case {
    const char* name;
    std::function<void(QDialog&)> answer;
  };
  const Case cases[] = {
      {"Enter", [](QDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); }},
      {"Esc", [](QDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Escape); }},
      {"Cancel", [](QDialog& d) { Find<QPushButton>(&d, "btnCancel")->click(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedFakeServices fakes;
    Open(10, 0, 9);
    SelectStrRef(4);
    fakes.modals.Expect("TConfirmDelete", c.answer);
    form.Deleteselected1Click();
    EXPECT_EQ(10u, form.TalkTable().EntryCount());
    EXPECT_FALSE(form.TalkTable().Modified());
    EXPECT_EQ("4", Selected());
  }
}

TEST_F(TableCommandsTest, DeleteDoesNothingWhileTheGridShowsAMessage) {
  ScopedFakeServices fakes;
  form.LoadFile(Write("open.tlk", TableBytes(5)));
  ASSERT_EQ(1, form.grid->ColCount());
  form.Deleteselected1Click();
  EXPECT_EQ(5u, form.TalkTable().EntryCount());
}

TEST_F(TableCommandsTest, ABadIntervalFieldAfterADeleteLeavesNoStaleRow) {
  ScopedFakeServices fakes;
  Open(100, 0, 99);
  SelectStrRef(10);
  form.edStop->setText("");
  fakes.modals.Expect("TConfirmDelete", ClickOk);
  fakes.messages.Expect(MessageKind::Information,
                        "Entry 10 has been deleted. Warning: All following entries have had their "
                        "StrRefs changed!");
  fakes.messages.Expect(MessageKind::Error, "'' is not a valid integer value");
  platform::RunGuarded([&] { form.Deleteselected1Click(); });
  EXPECT_EQ(99u, form.TalkTable().EntryCount());
  EXPECT_EQ(1, form.grid->ColCount());
  EXPECT_EQ(kIntervalMessage, form.grid->Cell(0, 0));
  EXPECT_FALSE(form.grid->isEnabled());
  EXPECT_EQ("", form.txtDisplay->toPlainText().toStdString());
  // With no entry row on show, a second Delete cannot reach another entry.
  form.Deleteselected1Click();
  EXPECT_EQ(99u, form.TalkTable().EntryCount());
}

// ---- Pad to StrRef ----

const char* const kPadTooLow =
    "Invalid StrRef specified! You must specify a number at least 2 bigger than the current last "
    "StrRef!";
const char* const kPadTooHigh =
    "Invalid StrRef specified! You must specify a number no bigger than 16777215!";

TEST_F(TableCommandsTest, PadAddsBlankEntriesAndShowsTheirEnd) {
  struct Case {
    const char* typed;  // null: the proposal is accepted
    const char* startAfter;
    const char* stopAfter;
    const char* report;
  };
  const Case cases[] = {
      {nullptr, "0", "1000", "Added 1 blank entries, padding StrRef 1000 to 1000."},
      {"5000", "3999", "4999", "Added 4000 blank entries, padding StrRef 1000 to 4999."},
      {"1002", "1", "1001", "Added 2 blank entries, padding StrRef 1000 to 1001."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    ScopedFakeServices fakes;
    Open(1000, 0, 999);
    fakes.modals.Expect("TPadEntriesForm", [&](QDialog& dialog) {
      EXPECT_EQ(form.PlaceAt(32, 64), dialog.pos());
      auto* edStrRef = Find<QLineEdit>(&dialog, "edStrRef");
      EXPECT_EQ("1001", edStrRef->text().toStdString());
      EXPECT_EQ("(current range: 0 to 999)",
                Find<QLabel>(&dialog, "lblCurrent")->text().toStdString());
      if (c.typed) edStrRef->setText(c.typed);
      Find<QPushButton>(&dialog, "btnOK")->click();
    });
    fakes.messages.Expect(MessageKind::Information, c.report);
    form.PadtoStrRef1Click();

    const int last = std::stoi(c.stopAfter);
    EXPECT_EQ(uint32_t(last + 1), form.TalkTable().EntryCount());
    EXPECT_EQ(c.startAfter, Field(form.edStart));
    EXPECT_EQ(c.stopAfter, Field(form.edStop));
    EXPECT_EQ(Numbers(std::stoi(c.startAfter), last), StrRefsShown());
    EXPECT_EQ(c.stopAfter, Selected());
    EXPECT_EQ("", Selected(1));
    EXPECT_EQ("", Selected(2));
    EXPECT_EQ("(" + std::string(c.stopAfter) + " max.)", form.lblMax->text().toStdString());
    EXPECT_TRUE(form.TalkTable().Modified());
    EXPECT_EQ("Displaying entries between StrRef " + std::string(c.startAfter) + " to " +
                  c.stopAfter + " out of a total of " + std::to_string(last + 1) + " entries.",
              form.StatusText());
  }
}

TEST_F(TableCommandsTest, PadRefusalsAddNothing) {
  struct Case {
    const char* typed;
    const char* warning;  // null: nothing is shown
  };
  const Case cases[] = {
      {"1000", kPadTooLow},      {"999", kPadTooLow},          {"0", kPadTooLow},
      {"16777216", kPadTooHigh}, {"99999999999", kPadTooHigh}, {"", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ScopedFakeServices fakes;
    Open(1000, 0, 999);
    fakes.modals.Expect("TPadEntriesForm", [&](QDialog& dialog) {
      Find<QLineEdit>(&dialog, "edStrRef")->setText(c.typed);
      Find<QPushButton>(&dialog, "btnOK")->click();
    });
    if (c.warning) fakes.messages.Expect(MessageKind::Warning, c.warning);
    form.PadtoStrRef1Click();
    EXPECT_EQ(1000u, form.TalkTable().EntryCount());
    EXPECT_FALSE(form.TalkTable().Modified());
    EXPECT_EQ("999", Field(form.edStop));
  }
}

TEST_F(TableCommandsTest, PadCancelledOrNotANumber) {
  ScopedFakeServices fakes;
  Open(10, 0, 9);
  fakes.modals.Expect("TPadEntriesForm", [](QDialog& dialog) {
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);  // Cancel is the default button
  });
  form.PadtoStrRef1Click();
  fakes.modals.Expect("TPadEntriesForm", [](QDialog& dialog) {
    Find<QLineEdit>(&dialog, "edStrRef")->setText("12a");  // pasted
    Find<QPushButton>(&dialog, "btnOK")->click();
  });
  fakes.messages.Expect(MessageKind::Error, "'12a' is not a valid integer value");
  platform::RunGuarded([&] { form.PadtoStrRef1Click(); });
  EXPECT_EQ(10u, form.TalkTable().EntryCount());
  EXPECT_FALSE(form.TalkTable().Modified());
}

// ---- Append file ----

TEST_F(TableCommandsTest, AppendCopiesAndShowsTheLastTwentyEntries) {
  struct Case {
    uint32_t entries;
    uint32_t appended;
    int start;
    // The file's name as the file system holds it (UTF-8) and as the report holds it:
    // the same bytes, marked as a path, so that the box shows the name the user chose.
    const char* name = "other.tlk";
    const char* shownName = "other.tlk";
  };
  for (const Case& c : {Case{10, 5, 0}, Case{10000, 5, 9985}, Case{15, 5, 0}, Case{16, 5, 1},
                        Case{10, 5, 0,
                             "Donn\xC3\xA9"
                             "es.tlk",
                             "Donn\xC3\xA9"
                             "es.tlk"}}) {
    SCOPED_TRACE(std::to_string(c.appended) + " onto " + std::to_string(c.entries) + " from " +
                 c.name);
    ScopedFakeServices fakes;
    Open(c.entries, 0, 3);
    const std::string other = Write(c.name, TableBytes(c.appended, "other"));
    const int last = int(c.entries + c.appended) - 1;
    const std::string report = "Appended " + (FFolder / c.shownName).string() +
                               " to open file. Added " + std::to_string(c.appended) +
                               " entries from " + std::to_string(c.entries) + " to " +
                               std::to_string(last) + ".";
    fakes.fileDialogs.Expect({other});
    fakes.messages.Expect(MessageKind::Information, report);
    form.Appendfile1Click();

    ASSERT_EQ(1u, fakes.fileDialogs.Seen().size());
    EXPECT_EQ("append.tlk", fakes.fileDialogs.Seen()[0].fileName);
    // The report reaches the status bar first; the refreshed display then reports itself.
    EXPECT_EQ("Displaying entries between StrRef " + std::to_string(c.start) + " to " +
                  std::to_string(last) + " out of a total of " + std::to_string(last + 1) +
                  " entries.",
              form.StatusText());
    EXPECT_EQ(uint32_t(last + 1), form.TalkTable().EntryCount());
    EXPECT_TRUE(form.TalkTable().Modified());
    EXPECT_EQ(std::to_string(c.start), Field(form.edStart));
    EXPECT_EQ(std::to_string(last), Field(form.edStop));
    EXPECT_EQ("(" + std::to_string(last) + " max.)", form.lblMax->text().toStdString());
    EXPECT_EQ(Numbers(c.start, last), StrRefsShown());
    EXPECT_EQ(std::to_string(last), Selected());
    EXPECT_EQ("other" + std::to_string(c.appended - 1), Selected(1));
    EXPECT_EQ("snd" + std::to_string(c.appended - 1), Selected(2));
  }
}

TEST_F(TableCommandsTest, AppendRefusesABadFileAndLeavesTheTable) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* warning;
  };
  const Case cases[] = {
      {"not a talk table", "hello world, not a table",
       "ERROR! Type mismatch. Specified file is not a valid TLK file!"},
      {"no entries", tlk_bytes::File({}), "ERROR! No entries found in the specified TLK file!"},
      {"wrong version", tlk_bytes::Header(0, 1, 60, "TLK ", "V4.0") + std::string(40, '\0'),
       "ERROR! Version mismatch. File is not a valid v3.0 TLK file!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedFakeServices fakes;
    Open(10, 0, 9);
    fakes.fileDialogs.Expect({Write("bad.tlk", c.bytes)});
    fakes.messages.Expect(MessageKind::Warning, c.warning);
    form.Appendfile1Click();
    EXPECT_EQ(10u, form.TalkTable().EntryCount());
    EXPECT_FALSE(form.TalkTable().Modified());
    EXPECT_EQ(Numbers(0, 9), StrRefsShown());
  }
}

TEST_F(TableCommandsTest, AppendingTheOpenFileCopiesItAsStored) {
  ScopedFakeServices fakes;
  const std::string path = Open(3, 0, 2);
  TTLKString* first = form.TalkTable().EntryList().First();
  first->SetText("changed, not saved");
  form.TalkTable().ModifyEntry(*first);
  fakes.fileDialogs.Expect({path});
  fakes.messages.Expect(MessageKind::Information,
                        "Appended " + path + " to open file. Added 3 entries from 3 to 5.");
  form.Appendfile1Click();
  EXPECT_EQ((std::vector<std::string>{"changed, not saved", "t1", "t2", "t0", "t1", "t2"}),
            Texts());
}

TEST_F(TableCommandsTest, AppendNeedsAnOpenTableAndAFile) {
  ScopedFakeServices fakes;
  fakes.messages.Expect(MessageKind::Warning,
                        "Error! There is no open TLK file to append entries to!");
  form.Appendfile1Click();
  Open(4, 0, 3);
  fakes.fileDialogs.ExpectCancel();
  form.Appendfile1Click();
  EXPECT_EQ(4u, form.TalkTable().EntryCount());
  EXPECT_FALSE(form.TalkTable().Modified());
}

// ---- Set language ----

TEST_F(TableCommandsTest, SetLanguagePreselectsAndSetsTheChosenId) {
  ScopedFakeServices fakes;
  Open(3, 0, 2, 3);
  fakes.modals.Expect("TLanguageForm", [&](QDialog& dialog) {
    EXPECT_EQ(form.PlaceAt(100, 128), dialog.pos());
    auto* edLanguage = Find<QComboBox>(&dialog, "edLanguage");
    EXPECT_EQ("Italiano (3)", edLanguage->currentText().toStdString());
    edLanguage->setCurrentIndex(5);
    Find<QPushButton>(&dialog, "btnSave")->click();
  });
  fakes.messages.Expect(MessageKind::Information, "TLK file Language ID is now set to Polish.");
  form.Setlanguage1Click();
  EXPECT_EQ(5u, form.TalkTable().LanguageId());
  EXPECT_TRUE(form.TalkTable().Modified());
  // Closing now asks before the change is lost.
  fakes.messages.Expect(MessageKind::Confirmation,
                        "Are you sure you wish to quit? Any unsaved information in the currently "
                        "open TLK file will be lost.",
                        MessageAnswer::No);
  EXPECT_FALSE(form.FormCloseQuery());
}

TEST_F(TableCommandsTest, SetLanguageToTheSameIdChangesNothing) {
  ScopedFakeServices fakes;
  Open(3, 0, 2, 2);
  fakes.modals.Expect("TLanguageForm",
                      [](QDialog& dialog) { Find<QPushButton>(&dialog, "btnSave")->click(); });
  fakes.messages.Expect(MessageKind::Information, "TLK file Language ID is now set to German.");
  form.Setlanguage1Click();
  EXPECT_EQ(2u, form.TalkTable().LanguageId());
  EXPECT_FALSE(form.TalkTable().Modified());
}

TEST_F(TableCommandsTest, UnsupportedLanguageIdIsRefused) {
  ScopedFakeServices fakes;
  Open(3, 0, 2, 9);
  fakes.modals.Expect("TLanguageForm",
                      [](QDialog& dialog) { Find<QPushButton>(&dialog, "btnSave")->click(); });
  fakes.messages.Expect(MessageKind::Warning,
                        "Unsupported language id -1 encountered. Unable to save.");
  form.Setlanguage1Click();
  EXPECT_EQ(9u, form.TalkTable().LanguageId());
  EXPECT_FALSE(form.TalkTable().Modified());
  // A later use keeps the choice made meanwhile when the id names no item.
  form.TalkTable().SetLanguageId(4);
  fakes.modals.Expect("TLanguageForm",
                      [](QDialog& dialog) { Find<QPushButton>(&dialog, "btnSave")->click(); });
  fakes.messages.Expect(MessageKind::Information, "TLK file Language ID is now set to Spanish.");
  form.Setlanguage1Click();
  form.TalkTable().SetLanguageId(77);
  fakes.modals.Expect("TLanguageForm", [](QDialog& dialog) {
    EXPECT_EQ(4, Find<QComboBox>(&dialog, "edLanguage")->currentIndex());
    Find<QPushButton>(&dialog, "btnCancel")->click();
  });
  form.Setlanguage1Click();
  EXPECT_EQ(77u, form.TalkTable().LanguageId());
}

TEST_F(TableCommandsTest, SetLanguageNeedsAnOpenTable) {
  ScopedFakeServices fakes;
  fakes.messages.Expect(MessageKind::Warning,
                        "Error! No TLK file is currently open to set the language for!");
  form.Setlanguage1Click();
}

}  // namespace
