#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <bit>

#include "talktable/UEntryForm.h"
#include "talktable/USearchForm.h"
#include "tests/talktable/MainWindowFixture.h"

namespace sorlith {
namespace {

using platform::MessageKind;
using testing_support::Find;
using tlk_bytes::Entry;

std::vector<Entry> Numbered(int count) {
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) entries.push_back({"Text " + std::to_string(i)});
  return entries;
}

TTLKString::ResRef ResRefOf(std::string_view bytes) {
  TTLKString::ResRef resRef{};
  for (size_t i = 0; i < bytes.size() && i < resRef.size(); ++i) resRef[i] = bytes[i];
  return resRef;
}

class EntryCommandTest : public testing_support::MainWindowTest {
 protected:
  // Runs `command`; the entry dialog is worked by `fill` and ended with `button`.
  void WithDialog(QAction* command, const std::function<void(TEntryForm&)>& fill,
                  const char* button = "btnSave") {
    services.modals.Expect("TEntryForm", [&, button](QDialog& dialog) {
      auto& entryForm = static_cast<TEntryForm&>(dialog);
      fill(entryForm);
      Find<QPushButton>(&dialog, button)->click();
    });
    command->trigger();
  }
  void Add(const std::function<void(TEntryForm&)>& fill, const char* button = "btnSave") {
    WithDialog(form->Newentry1, fill, button);
  }
  void Modify(uint32_t strRef, const std::function<void(TEntryForm&)>& fill,
              const char* button = "btnSave") {
    SelectStrRef(strRef);
    WithDialog(form->Editrow1, fill, button);
  }
  int SelectedStrRef() const {
    return std::stoi(std::string(form->grid->Cell(0, form->grid->Row())));
  }
};

TEST_F(EntryCommandTest, NewEntryStoresTheFieldsAndShowsItSelected) {
  Load(Numbered(500));
  form->Save2->setEnabled(false);
  form->move(50, 40);
  platform::SetDecimalSeparator(',');
  Add([&](TEntryForm& dialog) {
    EXPECT_EQ("Add new entry", dialog.windowTitle().toStdString());
    EXPECT_EQ(" Entry Text (500) ", dialog.boxText->title().toStdString());
    EXPECT_EQ(form->pos() + QPoint(32, 64), dialog.pos());
    EXPECT_EQ("0,0", Text(dialog.edLength)) << "a new entry's defaults";
    dialog.txtString->setPlainText("line one\nline two");
    dialog.cbSound->setChecked(false);
    dialog.edResref->setText("abc");
    dialog.edVolume->setText("4294967295");
    dialog.edPitch->setText("12");
    dialog.edLength->setText("1,5");
  });
  ASSERT_EQ(501u, form->TalkTable().EntryCount());
  const TTLKString& added = Entry(500);
  EXPECT_EQ("line one\nline two", added.GetText());
  EXPECT_EQ(5u, added.GetFlags());
  EXPECT_EQ(ResRefOf("abc"), added.GetSoundResRef());
  EXPECT_EQ(4294967295u, added.GetVolumeVariance());
  EXPECT_EQ(12u, added.GetPitchVariance());
  EXPECT_EQ(1.5f, added.GetSoundLength());
  EXPECT_TRUE(added.GetIsNew());
  EXPECT_TRUE(form->TalkTable().Modified());
  EXPECT_EQ("0", Text(form->edStart));
  EXPECT_EQ("500", Text(form->edStop));
  EXPECT_EQ("(500 max.)", platform::FromQt(form->lblMax->text()));
  EXPECT_EQ(form->grid->RowCount() - 1, form->grid->Row());
  EXPECT_EQ(500, SelectedStrRef());
  EXPECT_TRUE(form->Save2->isEnabled());
}

TEST_F(EntryCommandTest, NewEntryKeepsTheIntervalWithinOneThousandAndOne) {
  struct Case {
    int count;
    const char* typedStart;
    const char* start;
  };
  const Case cases[] = {
      {5000, "0", "4000"},    {5000, "4000", "4000"},  // exactly 1000 before the new entry: stays
      {5000, "3999", "4000"}, {10, "9999", "0"},  // typed past the end: no refusal after the add
      {10, "-5", "0"},        {2000, "99999", "1000"},
  };
  for (const Case& row : cases) {
    Load(Numbered(row.count));
    form->edStart->setText(row.typedStart);
    Add([](TEntryForm&) {});
    EXPECT_EQ(row.start, Text(form->edStart)) << row.count << " / " << row.typedStart;
    EXPECT_EQ(std::to_string(row.count), Text(form->edStop));
    EXPECT_EQ(std::to_string(row.count), form->grid->Cell(0, form->grid->Row()));
    EXPECT_EQ(std::stoi(row.start), std::stoi(std::string(form->grid->Cell(0, 1))));
  }
}

TEST_F(EntryCommandTest, EmptiedNumberFieldsStoreZeros) {
  Load(Numbered(2));
  Add([](TEntryForm& dialog) {
    dialog.edVolume->clear();
    dialog.edPitch->clear();
    dialog.edLength->clear();
  });
  const TTLKString& added = Entry(2);
  EXPECT_EQ(0u, added.GetVolumeVariance());
  EXPECT_EQ(0u, added.GetPitchVariance());
  EXPECT_EQ(0.0f, added.GetSoundLength());
  EXPECT_EQ(7u, added.GetFlags());
}

TEST_F(EntryCommandTest, AFailedNumberCheckAddsNothing) {
  Load(Numbered(3));
  platform::SetDecimalSeparator(',');
  struct Case {
    const char* field;
    const char* text;
    const char* warning;
  };
  const Case cases[] = {
      {"edLength", "1.5",
       "Error reading decimal value. Only numbers allowed, and you must use , as a decimal "
       "separator!"},
      {"edVolume", "-1", "Error! Volume and pitch variance must be non-decimal numbers!"},
      {"edPitch", "4294967296", "Error! Volume and pitch variance must be non-decimal numbers!"},
  };
  for (const Case& row : cases) {
    const auto before = State();
    services.messages.Expect(MessageKind::Warning, row.warning);
    Add([&](TEntryForm& dialog) {
      Find<QLineEdit>(&dialog, row.field)->setText(row.text);  // as pasted
    });
    EXPECT_EQ(3u, form->TalkTable().EntryCount()) << row.field;
    EXPECT_EQ(before, State()) << row.field;
  }
  EXPECT_FALSE(form->TalkTable().Modified());
}

// A typed character the code page cannot store is refused by name; nothing is stored.
TEST_F(EntryCommandTest, TextsOutsideTheCodePageAreRefused) {
  Load(Numbered(3));
  Show("0", "2");
  struct Case {
    const char* field;
    QString typed;
    const char* warning;
  } const cases[] = {
      {"txtString", QString::fromUtf8("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"),
       "The character \"\xC5\xBC\" (U+017C) cannot be stored in the Windows-1252 code page of "
       "the files. Nothing was changed."},
      {"edResref", QString::fromUtf8("snd_\xC4\x87"),
       "The character \"\xC4\x87\" (U+0107) cannot be stored in the Windows-1252 code page of "
       "the files. Nothing was changed."},
  };
  for (const Case& row : cases) {
    const auto before = State();
    services.messages.Expect(MessageKind::Warning, row.warning);
    Add([&](TEntryForm& dialog) {
      if (auto* memo = dialog.findChild<QPlainTextEdit*>(row.field))
        memo->setPlainText(row.typed);
      else
        Find<QLineEdit>(&dialog, row.field)->setText(row.typed);
    });
    EXPECT_EQ(3u, form->TalkTable().EntryCount()) << row.field;
    EXPECT_EQ(before, State()) << row.field;

    services.messages.Expect(MessageKind::Warning, row.warning);
    Modify(1, [&](TEntryForm& dialog) {
      if (auto* memo = dialog.findChild<QPlainTextEdit*>(row.field))
        memo->setPlainText(row.typed);
      else
        Find<QLineEdit>(&dialog, row.field)->setText(row.typed);
    });
    EXPECT_EQ("Text 1", Entry(1).GetText()) << row.field;
    EXPECT_EQ("", Entry(1).GetSoundResRefText()) << row.field;
    EXPECT_FALSE(Entry(1).GetIsNew()) << row.field;
  }
  EXPECT_FALSE(form->TalkTable().Modified());

  // The euro sign and accented Latin letters are in the code page.
  Add([&](TEntryForm& dialog) {
    dialog.txtString->setPlainText(QString::fromUtf8("5 \xE2\x82\xAC, \xC3\xA9t\xC3\xA9"));
  });
  EXPECT_EQ("5 \x80, \xE9t\xE9", Entry(3).GetText());
}

TEST_F(EntryCommandTest, CancelChangesNothing) {
  Load(Numbered(3));
  Show("0", "2");
  const auto before = State();
  Add([](TEntryForm& dialog) { dialog.txtString->setPlainText("never"); }, "btnCancel");
  Modify(
      1, [](TEntryForm& dialog) { dialog.txtString->setPlainText("never"); }, "btnCancel");
  EXPECT_EQ(3u, form->TalkTable().EntryCount());
  EXPECT_EQ("Text 1", Entry(1).GetText());
  EXPECT_FALSE(Entry(1).GetIsNew());
  EXPECT_FALSE(form->TalkTable().Modified());
  EXPECT_EQ(before.cells, State().cells);
}

TEST_F(EntryCommandTest, AddWithoutATableIsRefused) {
  services.messages.Expect(MessageKind::Warning,
                           "ERROR! No TLK file us currently open. Nothing to add an entry to");
  services.modals.Expect("TEntryForm",
                         [](QDialog& dialog) { Find<QPushButton>(&dialog, "btnSave")->click(); });
  form->Newentry1Click();
}

TEST_F(EntryCommandTest, AnEmptiedStartFieldEndsTheAddInTheErrorBox) {
  Load(Numbered(3));
  Show("0", "2");
  form->edStart->clear();
  services.messages.Expect(MessageKind::Error, "'' is not a valid integer value");
  Add([](TEntryForm& dialog) { dialog.txtString->setPlainText("kept"); });
  EXPECT_EQ("kept", Entry(3).GetText()) << "the entry stays added";
  EXPECT_TRUE(form->TalkTable().Modified());
  EXPECT_EQ((std::vector<std::string>{"0", "1", "2"}), ListedStrRefs()) << "no refresh";
}

// The grid lists the entries' texts where they lie; a modify that ends in the error box
// before the grid is filled again leaves the rows it listed, the replaced text among
// them, as they were.
TEST_F(EntryCommandTest, AModifyEndedBeforeTheRefreshLeavesTheListedRowsIntact) {
  Load(Numbered(3));
  Entry(1).SetText("an own text, longer than what freeing a block overwrites");
  Show("0", "2");
  const TWindowState listed = State();
  form->edStart->clear();
  services.messages.Expect(MessageKind::Error, "'' is not a valid integer value",
                           platform::MessageAnswer::Ok, [&] {
                             form->grid->grab();
                             EXPECT_EQ(listed.cells, State().cells);
                           });
  Modify(1, [](TEntryForm& dialog) { dialog.txtString->setPlainText("replaced"); });
  EXPECT_EQ("replaced", Entry(1).GetText());
  EXPECT_EQ(listed.cells, State().cells) << "no refresh";
}

TEST_F(EntryCommandTest, ModifyShowsTheEntryAndKeepsWhatWasNotTouched) {
  Load({{"zero"},
        {"one"},
        {"first\r\nsecond\rthird", "vo_two", 6, 4294967295u, 3, 3.867f},
        {"three"}});
  Show("0", "3");
  form->move(10, 20);
  Modify(2, [&](TEntryForm& dialog) {
    EXPECT_EQ("Modify entry", dialog.windowTitle().toStdString());
    EXPECT_EQ(" Entry Text (2) ", dialog.boxText->title().toStdString());
    EXPECT_EQ(form->pos() + QPoint(32, 64), dialog.pos());
    EXPECT_EQ("first\nsecond\nthird", dialog.txtString->toPlainText().toStdString());
    EXPECT_FALSE(dialog.cbText->isChecked());
    EXPECT_TRUE(dialog.cbSound->isChecked());
    EXPECT_TRUE(dialog.cbLength->isChecked());
    EXPECT_EQ("vo_two", Text(dialog.edResref));
    EXPECT_EQ("4294967295", Text(dialog.edVolume));
    EXPECT_EQ("3", Text(dialog.edPitch));
    EXPECT_EQ("3.9", Text(dialog.edLength));
    dialog.txtString->setPlainText("first\nchanged");
  });
  const TTLKString& entry = Entry(2);
  EXPECT_EQ("first\nchanged", entry.GetText());
  EXPECT_EQ(13u, entry.GetSize());
  EXPECT_EQ(std::bit_cast<uint32_t>(3.867f), std::bit_cast<uint32_t>(entry.GetSoundLength()));
  EXPECT_EQ(4294967295u, entry.GetVolumeVariance()) << "no refusal of a value it showed";
  EXPECT_EQ(3u, entry.GetPitchVariance());
  EXPECT_EQ(6u, entry.GetFlags());
  EXPECT_TRUE(entry.GetIsNew());
  EXPECT_TRUE(form->TalkTable().Modified());
  EXPECT_EQ("first\nchanged", form->grid->Cell(1, form->grid->Row()));
  EXPECT_EQ(2, SelectedStrRef());

  Modify(2, [](TEntryForm& dialog) {
    dialog.edLength->setText("2.25");
    dialog.edVolume->setText("8");
  });
  EXPECT_EQ(2.25f, Entry(2).GetSoundLength());
  EXPECT_EQ(8u, Entry(2).GetVolumeVariance());
}

TEST_F(EntryCommandTest, DoubleClickEditsLikeTheMenu) {
  Load(Numbered(3));
  Show("0", "2");
  SelectStrRef(1);
  services.modals.Expect("TEntryForm", [](QDialog& dialog) {
    auto& entryForm = static_cast<TEntryForm&>(dialog);
    EXPECT_EQ("Text 1", entryForm.txtString->toPlainText().toStdString());
    entryForm.txtString->setPlainText("Edited");
    entryForm.btnSave->click();
  });
  form->gridDblClick();
  EXPECT_EQ("Edited", Entry(1).GetText());
}

TEST_F(EntryCommandTest, EditNeedsAnEntryRow) {
  Load(Numbered(3));
  services.messages.Expect(MessageKind::Warning,
                           "No TLK entry row has been selected in the table!");
  form->Editrow1->trigger();  // the grid shows a message
  form->New1Click();
  Show("0", "0");
  services.messages.Expect(MessageKind::Warning,
                           "No TLK entry row has been selected in the table!");
  form->Editrow1->trigger();  // the blank row of an empty table
}

TEST_F(EntryCommandTest, AFailedNumberCheckLeavesTheEntry) {
  Load(Numbered(3));
  Show("0", "2");
  services.messages.Expect(MessageKind::Warning,
                           "Error! Volume and pitch variance must be non-decimal numbers!");
  Modify(1, [](TEntryForm& dialog) {
    dialog.txtString->setPlainText("lost");
    dialog.edPitch->setText("1.5");
  });
  EXPECT_EQ("Text 1", Entry(1).GetText());
  EXPECT_FALSE(Entry(1).GetIsNew());
  EXPECT_FALSE(form->TalkTable().Modified());
  // The typed input is gone: the next opening starts from the entry again.
  Modify(
      1,
      [](TEntryForm& dialog) {
        EXPECT_EQ("Text 1", dialog.txtString->toPlainText().toStdString());
      },
      "btnCancel");
}

TEST_F(EntryCommandTest, ModifyWidensTheIntervalFields) {
  Load(Numbered(7001));
  Show("0", "7000");
  SelectStrRef(7000);
  form->edStart->setText("0");
  form->edStop->setText("100");
  WithDialog(form->Editrow1, [](TEntryForm& dialog) { dialog.txtString->setPlainText("last"); });
  EXPECT_EQ("7000", Text(form->edStop));
  EXPECT_EQ(7002, form->grid->RowCount());
  EXPECT_EQ(7000, SelectedStrRef());

  Show("5", "9");
  SelectStrRef(5);
  form->edStart->setText("6");
  WithDialog(form->Editrow1, [](TEntryForm&) {});
  EXPECT_EQ("5", Text(form->edStart));
  EXPECT_EQ("9", Text(form->edStop));
}

TEST_F(EntryCommandTest, ModifyInSearchResultsRepeatsTheSearch) {
  Load({{"apple"}, {"banana"}, {"apple pie"}, {"cherry"}, {"apple tart"}});
  Show("0", "1");
  services.modals.Expect("TSearchForm", [](QDialog& dialog) {
    auto& search = static_cast<TSearchForm&>(dialog);
    search.edString->setText("apple");
    search.btnSearch->click();
  });
  form->Search1->trigger();
  ASSERT_EQ((std::vector<std::string>{"0", "2", "4"}), ListedStrRefs());
  Modify(4, [](TEntryForm& dialog) { dialog.txtString->setPlainText("apple crumble"); });
  EXPECT_TRUE(form->SearchResultsShown());
  EXPECT_EQ((std::vector<std::string>{"0", "2", "4"}), ListedStrRefs());
  EXPECT_EQ("apple crumble", form->grid->Cell(1, 3));
  EXPECT_EQ(4, SelectedStrRef());
  EXPECT_EQ("4", Text(form->edStop)) << "the interval fields include the entry";
  Modify(2, [](TEntryForm& dialog) { dialog.txtString->setPlainText("pear"); });
  EXPECT_EQ((std::vector<std::string>{"0", "4"}), ListedStrRefs()) << "no longer a hit";
  EXPECT_EQ("Search completed. 2 matches found to specified criteria.", form->StatusText());
}

// The repeated search is the last one that ran, with its criteria and interval, not
// what the dialog holds after a cancelled or refused use.
TEST_F(EntryCommandTest, ModifyRepeatsTheLastSearchThatRan) {
  Load({{"apple"}, {"banana"}, {"apple pie"}, {"cherry"}, {"apple tart"}, {"apple jam"}});
  services.modals.Expect("TSearchForm", [](QDialog& dialog) {
    auto& search = static_cast<TSearchForm&>(dialog);
    search.edString->setText("apple");
    search.cdSearchAll->setChecked(false);
    search.edStart->setText("1");
    search.edStop->setText("4");
    search.btnSearch->click();
  });
  form->Search1->trigger();
  ASSERT_EQ((std::vector<std::string>{"2", "4"}), ListedStrRefs());
  // Typed, then cancelled; the show also reset the interval to the whole table.
  services.modals.Expect("TSearchForm", [](QDialog& dialog) {
    auto& search = static_cast<TSearchForm&>(dialog);
    search.edString->setText("cherry");
    search.btnCancel->click();
  });
  form->Search1->trigger();
  Modify(2, [](TEntryForm& dialog) { dialog.txtString->setPlainText("apple crumble"); });
  EXPECT_EQ((std::vector<std::string>{"2", "4"}), ListedStrRefs());
  // A search refused by its interval did not run either.
  services.messages.Expect(MessageKind::Warning,
                           "ERROR! Invalid start value of interval to search!");
  services.modals.Expect("TSearchForm", [](QDialog& dialog) {
    auto& search = static_cast<TSearchForm&>(dialog);
    search.edString->setText("banana");
    search.cdSearchAll->setChecked(false);
    search.edStart->setText("3");
    search.edStop->setText("1");
    search.btnSearch->click();
  });
  form->Search1->trigger();
  Modify(4, [](TEntryForm& dialog) { dialog.txtString->setPlainText("apple sauce"); });
  EXPECT_EQ((std::vector<std::string>{"2", "4"}), ListedStrRefs());
  EXPECT_EQ("apple sauce", form->grid->Cell(1, 2));
}

}  // namespace
}  // namespace sorlith
