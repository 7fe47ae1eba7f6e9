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
#include <functional>

#include "platform/ui/Application.h"
#include "talktable/UConfirmDelete.h"
#include "talktable/ULanguageForm.h"
#include "talktable/UMainForm.h"
#include "talktable/UPadForm.h"
#include "tests/support/TlkBytes.h"
#include "tests/support/Widgets.h"
#include "tests/talktable/MainWindowFixture.h"

namespace {

using platform::MessageAnswer;
using platform::MessageKind;
using testing_support::Find;

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

class TableCommandsTest : public testing_support::MainWindowTest {
 protected:
  // Loads a table of `count` entries and shows the interval start..stop.
  std::string Open(uint32_t count, int start, int stop, uint32_t language = 0) {
    const std::string path = Write("open.tlk", TableBytes(count, "t", language));
    form->LoadFile(path);
    EXPECT_TRUE(form->TalkTable().IsOpen());
    Show(std::to_string(start), std::to_string(stop));
    return path;
  }
  std::string Selected(int col = 0) const {
    return std::string(form->grid->Cell(col, form->grid->Row()));
  }
  std::vector<std::string> EntryTexts() {
    std::vector<std::string> texts;
    TStringDataList& list = form->TalkTable().EntryList();
    for (TTLKString* entry = list.First(); entry; entry = list.Next())
      texts.emplace_back(entry->GetText());
    return texts;
  }
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
    Open(c.entries, c.start, c.stop);
    SelectStrRef(c.deleted);
    services.modals.Expect("TConfirmDelete", [&](QDialog& dialog) {
      EXPECT_EQ(form->PlaceAt(100, 128), dialog.pos());
      EXPECT_EQ("Delete entry #" + std::to_string(c.deleted),
                Find<QLabel>(&dialog, "lblHeader")->text().toStdString());
      ClickOk(dialog);
    });
    services.messages.Expect(MessageKind::Information,
                             "Entry " + std::to_string(c.deleted) +
                                 " has been deleted. Warning: All following entries have had their "
                                 "StrRefs changed!");
    form->Deleteselected1Click();

    EXPECT_EQ(c.entries - 1, form->TalkTable().EntryCount());
    EXPECT_TRUE(form->TalkTable().Modified());
    EXPECT_EQ(c.startAfter, Text(form->edStart));
    EXPECT_EQ(c.stopAfter, Text(form->edStop));
    EXPECT_EQ(Numbers(std::stoi(c.startAfter), std::stoi(c.stopAfter)), ListedStrRefs());
    EXPECT_EQ(std::to_string(c.selected), Selected());
    EXPECT_EQ(c.selectedText, Selected(1));
    EXPECT_EQ("(" + std::to_string(c.entries - 2) + " max.)", form->lblMax->text().toStdString());
    EXPECT_TRUE(form->Save2->isEnabled());
    services.ExpectAllUsed();
  }
}

// The grid lists the entries' texts where they lie. A command that frees them (a
// deleted entry's own text, the bytes of a table that fails to open over it) may show a
// box over the rows still listed: the grid shows them as they were, painted or read,
// during the box and after it.
TEST_F(TableCommandsTest, ListedRowsOutliveTheTextsACommandFrees) {
  struct Case {
    const char* name;
    uint32_t entries;  // enough for the table's bytes to be mapped apart from the heap
    std::function<void()> command;
    MessageKind kind;
    std::string box;
  };
  const std::string badFile = Write("bad.tlk", "not a talk table at all");
  const std::vector<Case> cases = {
      {"delete", 20,
       [&] {
         SelectStrRef(5);
         services.modals.Expect("TConfirmDelete", ClickOk);
         form->Deleteselected1Click();
       },
       MessageKind::Information,
       "Entry 5 has been deleted. Warning: All following entries have had their StrRefs "
       "changed!"},
      {"failed open", 5000, [&] { form->LoadFile(badFile); }, MessageKind::Warning,
       "ERROR! Type mismatch. Specified file is not a valid TLK file!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.entries, 0, static_cast<int>(c.entries) - 1);
    Entry(5).SetText("an own text, longer than what freeing a block overwrites");
    Show("0", std::to_string(c.entries - 1));
    const std::vector<std::vector<std::string>> listed = State().cells;
    services.messages.Expect(c.kind, c.box, MessageAnswer::Ok, [&] {
      form->grid->grab();
      EXPECT_EQ(listed, State().cells);
    });
    c.command();
    if (c.kind == MessageKind::Warning) {
      EXPECT_EQ(listed, State().cells) << "a failed open leaves the grid as it was";
    }
    services.ExpectAllUsed();
  }
}

TEST_F(TableCommandsTest, DeletingTheOnlyEntryShowsAnEmptyTable) {
  Open(1, 0, 0);
  services.modals.Expect("TConfirmDelete", ClickOk);
  services.messages.Expect(
      MessageKind::Information,
      "Entry 0 has been deleted. Warning: All following entries have had their "
      "StrRefs changed!");
  form->Deleteselected1Click();
  EXPECT_EQ(0u, form->TalkTable().EntryCount());
  EXPECT_EQ("0", Text(form->edStart));
  EXPECT_EQ("0", Text(form->edStop));
  // A header row and one empty row, as a new empty table shows.
  EXPECT_EQ(3, form->grid->ColCount());
  EXPECT_EQ(std::vector<std::string>{""}, ListedStrRefs());
  EXPECT_EQ("Displaying entries between StrRef 0 to 0 out of a total of 0 entries.",
            form->StatusText());
  // The empty row names no entry: a further Delete does nothing.
  form->Deleteselected1Click();
}

// A start field the user changed without showing it: typed beyond the stop, or a
// negative number that came by paste. The refresh after the delete must not refuse
// the interval, or the grid would keep rows of the old numbering.
TEST_F(TableCommandsTest, StartTypedBeyondTheStopIsPulledDown) {
  for (const char* typed : {"500", "-5"}) {
    SCOPED_TRACE(typed);
    Open(100, 0, 20);
    SelectStrRef(3);
    form->edStart->setText(typed);
    services.modals.Expect("TConfirmDelete", ClickOk);
    services.messages.Expect(MessageKind::Information,
                             "Entry 3 has been deleted. Warning: All following entries have had "
                             "their StrRefs changed!");
    form->Deleteselected1Click();
    EXPECT_EQ("0", Text(form->edStart));
    EXPECT_EQ("20", Text(form->edStop));
    EXPECT_EQ(Numbers(0, 20), ListedStrRefs());
    EXPECT_EQ("3", Selected());
    EXPECT_EQ("t4", Selected(1));
    services.ExpectAllUsed();
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
    Open(10, 0, 9);
    SelectStrRef(4);
    services.modals.Expect("TConfirmDelete", c.answer);
    form->Deleteselected1Click();
    EXPECT_EQ(10u, form->TalkTable().EntryCount());
    EXPECT_FALSE(form->TalkTable().Modified());
    EXPECT_EQ("4", Selected());
    services.ExpectAllUsed();
  }
}

TEST_F(TableCommandsTest, DeleteDoesNothingWhileTheGridShowsAMessage) {
  form->LoadFile(Write("open.tlk", TableBytes(5)));
  ASSERT_EQ(1, form->grid->ColCount());
  form->Deleteselected1Click();
  EXPECT_EQ(5u, form->TalkTable().EntryCount());
}

TEST_F(TableCommandsTest, ABadIntervalFieldAfterADeleteLeavesNoStaleRow) {
  Open(100, 0, 99);
  SelectStrRef(10);
  form->edStop->setText("");
  services.modals.Expect("TConfirmDelete", ClickOk);
  services.messages.Expect(
      MessageKind::Information,
      "Entry 10 has been deleted. Warning: All following entries have had their "
      "StrRefs changed!");
  services.messages.Expect(MessageKind::Error, "'' is not a valid integer value");
  platform::RunGuarded([&] { form->Deleteselected1Click(); });
  EXPECT_EQ(99u, form->TalkTable().EntryCount());
  EXPECT_EQ(1, form->grid->ColCount());
  EXPECT_EQ(kIntervalMessage, form->grid->Cell(0, 0));
  EXPECT_FALSE(form->grid->isEnabled());
  EXPECT_EQ("", form->txtDisplay->toPlainText().toStdString());
  // With no entry row on show, a second Delete cannot reach another entry.
  form->Deleteselected1Click();
  EXPECT_EQ(99u, form->TalkTable().EntryCount());
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
    Open(1000, 0, 999);
    services.modals.Expect("TPadEntriesForm", [&](QDialog& dialog) {
      EXPECT_EQ(form->PlaceAt(32, 64), dialog.pos());
      auto* edStrRef = Find<QLineEdit>(&dialog, "edStrRef");
      EXPECT_EQ("1001", edStrRef->text().toStdString());
      EXPECT_EQ("(current range: 0 to 999)",
                Find<QLabel>(&dialog, "lblCurrent")->text().toStdString());
      if (c.typed) edStrRef->setText(c.typed);
      Find<QPushButton>(&dialog, "btnOK")->click();
    });
    services.messages.Expect(MessageKind::Information, c.report);
    form->PadtoStrRef1Click();

    const int last = std::stoi(c.stopAfter);
    EXPECT_EQ(uint32_t(last + 1), form->TalkTable().EntryCount());
    EXPECT_EQ(c.startAfter, Text(form->edStart));
    EXPECT_EQ(c.stopAfter, Text(form->edStop));
    EXPECT_EQ(Numbers(std::stoi(c.startAfter), last), ListedStrRefs());
    EXPECT_EQ(c.stopAfter, Selected());
    EXPECT_EQ("", Selected(1));
    EXPECT_EQ("", Selected(2));
    EXPECT_EQ("(" + std::string(c.stopAfter) + " max.)", form->lblMax->text().toStdString());
    EXPECT_TRUE(form->TalkTable().Modified());
    EXPECT_EQ("Displaying entries between StrRef " + std::string(c.startAfter) + " to " +
                  c.stopAfter + " out of a total of " + std::to_string(last + 1) + " entries.",
              form->StatusText());
    services.ExpectAllUsed();
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
    Open(1000, 0, 999);
    services.modals.Expect("TPadEntriesForm", [&](QDialog& dialog) {
      Find<QLineEdit>(&dialog, "edStrRef")->setText(c.typed);
      Find<QPushButton>(&dialog, "btnOK")->click();
    });
    if (c.warning) services.messages.Expect(MessageKind::Warning, c.warning);
    form->PadtoStrRef1Click();
    EXPECT_EQ(1000u, form->TalkTable().EntryCount());
    EXPECT_FALSE(form->TalkTable().Modified());
    EXPECT_EQ("999", Text(form->edStop));
    services.ExpectAllUsed();
  }
}

TEST_F(TableCommandsTest, PadCancelledOrNotANumber) {
  Open(10, 0, 9);
  services.modals.Expect("TPadEntriesForm", [](QDialog& dialog) {
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);  // Cancel is the default button
  });
  form->PadtoStrRef1Click();
  services.modals.Expect("TPadEntriesForm", [](QDialog& dialog) {
    Find<QLineEdit>(&dialog, "edStrRef")->setText("12a");  // pasted
    Find<QPushButton>(&dialog, "btnOK")->click();
  });
  services.messages.Expect(MessageKind::Error, "'12a' is not a valid integer value");
  platform::RunGuarded([&] { form->PadtoStrRef1Click(); });
  EXPECT_EQ(10u, form->TalkTable().EntryCount());
  EXPECT_FALSE(form->TalkTable().Modified());
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
    Open(c.entries, 0, 3);
    const size_t dialogsBefore = services.fileDialogs.Seen().size();
    const std::string other = Write(c.name, TableBytes(c.appended, "other"));
    const int last = int(c.entries + c.appended) - 1;
    const std::string report = "Appended " + (FFolder / c.shownName).string() +
                               " to open file. Added " + std::to_string(c.appended) +
                               " entries from " + std::to_string(c.entries) + " to " +
                               std::to_string(last) + ".";
    services.fileDialogs.Expect({other});
    services.messages.Expect(MessageKind::Information, report);
    form->Appendfile1Click();

    ASSERT_EQ(dialogsBefore + 1, services.fileDialogs.Seen().size());
    EXPECT_EQ("append.tlk", services.fileDialogs.Seen().back().fileName);
    // The report reaches the status bar first; the refreshed display then reports itself.
    EXPECT_EQ("Displaying entries between StrRef " + std::to_string(c.start) + " to " +
                  std::to_string(last) + " out of a total of " + std::to_string(last + 1) +
                  " entries.",
              form->StatusText());
    EXPECT_EQ(uint32_t(last + 1), form->TalkTable().EntryCount());
    EXPECT_TRUE(form->TalkTable().Modified());
    EXPECT_EQ(std::to_string(c.start), Text(form->edStart));
    EXPECT_EQ(std::to_string(last), Text(form->edStop));
    EXPECT_EQ("(" + std::to_string(last) + " max.)", form->lblMax->text().toStdString());
    EXPECT_EQ(Numbers(c.start, last), ListedStrRefs());
    EXPECT_EQ(std::to_string(last), Selected());
    EXPECT_EQ("other" + std::to_string(c.appended - 1), Selected(1));
    EXPECT_EQ("snd" + std::to_string(c.appended - 1), Selected(2));
    services.ExpectAllUsed();
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
    Open(10, 0, 9);
    services.fileDialogs.Expect({Write("bad.tlk", c.bytes)});
    services.messages.Expect(MessageKind::Warning, c.warning);
    form->Appendfile1Click();
    EXPECT_EQ(10u, form->TalkTable().EntryCount());
    EXPECT_FALSE(form->TalkTable().Modified());
    EXPECT_EQ(Numbers(0, 9), ListedStrRefs());
    services.ExpectAllUsed();
  }
}

TEST_F(TableCommandsTest, AppendingTheOpenFileCopiesItAsStored) {
  const std::string path = Open(3, 0, 2);
  TTLKString* first = form->TalkTable().EntryList().First();
  first->SetText("changed, not saved");
  form->TalkTable().ModifyEntry(*first);
  services.fileDialogs.Expect({path});
  services.messages.Expect(MessageKind::Information,
                           "Appended " + path + " to open file. Added 3 entries from 3 to 5.");
  form->Appendfile1Click();
  EXPECT_EQ((std::vector<std::string>{"changed, not saved", "t1", "t2", "t0", "t1", "t2"}),
            EntryTexts());
}

TEST_F(TableCommandsTest, AppendNeedsAnOpenTableAndAFile) {
  services.messages.Expect(MessageKind::Warning,
                           "Error! There is no open TLK file to append entries to!");
  form->Appendfile1Click();
  Open(4, 0, 3);
  services.fileDialogs.ExpectCancel();
  form->Appendfile1Click();
  EXPECT_EQ(4u, form->TalkTable().EntryCount());
  EXPECT_FALSE(form->TalkTable().Modified());
}

// ---- Set language ----

TEST_F(TableCommandsTest, SetLanguagePreselectsAndSetsTheChosenId) {
  Open(3, 0, 2, 3);
  services.modals.Expect("TLanguageForm", [&](QDialog& dialog) {
    EXPECT_EQ(form->PlaceAt(100, 128), dialog.pos());
    auto* edLanguage = Find<QComboBox>(&dialog, "edLanguage");
    EXPECT_EQ("Italiano (3)", edLanguage->currentText().toStdString());
    edLanguage->setCurrentIndex(5);
    Find<QPushButton>(&dialog, "btnSave")->click();
  });
  services.messages.Expect(MessageKind::Information, "TLK file Language ID is now set to Polish.");
  form->Setlanguage1Click();
  EXPECT_EQ(5u, form->TalkTable().LanguageId());
  EXPECT_TRUE(form->TalkTable().Modified());
  // Closing now asks before the change is lost.
  services.messages.Expect(
      MessageKind::Confirmation,
      "Are you sure you wish to quit? Any unsaved information in the currently "
      "open TLK file will be lost.",
      MessageAnswer::No);
  EXPECT_FALSE(form->FormCloseQuery());
}

TEST_F(TableCommandsTest, SetLanguageToTheSameIdChangesNothing) {
  Open(3, 0, 2, 2);
  services.modals.Expect("TLanguageForm",
                         [](QDialog& dialog) { Find<QPushButton>(&dialog, "btnSave")->click(); });
  services.messages.Expect(MessageKind::Information, "TLK file Language ID is now set to German.");
  form->Setlanguage1Click();
  EXPECT_EQ(2u, form->TalkTable().LanguageId());
  EXPECT_FALSE(form->TalkTable().Modified());
}

TEST_F(TableCommandsTest, UnsupportedLanguageIdIsRefused) {
  Open(3, 0, 2, 9);
  services.modals.Expect("TLanguageForm",
                         [](QDialog& dialog) { Find<QPushButton>(&dialog, "btnSave")->click(); });
  services.messages.Expect(MessageKind::Warning,
                           "Unsupported language id -1 encountered. Unable to save.");
  form->Setlanguage1Click();
  EXPECT_EQ(9u, form->TalkTable().LanguageId());
  EXPECT_FALSE(form->TalkTable().Modified());
  // A later use keeps the choice made meanwhile when the id names no item.
  form->TalkTable().SetLanguageId(4);
  services.modals.Expect("TLanguageForm",
                         [](QDialog& dialog) { Find<QPushButton>(&dialog, "btnSave")->click(); });
  services.messages.Expect(MessageKind::Information, "TLK file Language ID is now set to Spanish.");
  form->Setlanguage1Click();
  form->TalkTable().SetLanguageId(77);
  services.modals.Expect("TLanguageForm", [](QDialog& dialog) {
    EXPECT_EQ(4, Find<QComboBox>(&dialog, "edLanguage")->currentIndex());
    Find<QPushButton>(&dialog, "btnCancel")->click();
  });
  form->Setlanguage1Click();
  EXPECT_EQ(77u, form->TalkTable().LanguageId());
}

TEST_F(TableCommandsTest, SetLanguageNeedsAnOpenTable) {
  services.messages.Expect(MessageKind::Warning,
                           "Error! No TLK file is currently open to set the language for!");
  form->Setlanguage1Click();
}

}  // namespace
