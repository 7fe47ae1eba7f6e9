#include "talktable/UMainForm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextBlock>
#include <filesystem>

#include "platform/Files.h"
#include "platform/ui/Codec.h"
#include "talktable/UConfirmDelete.h"
#include "talktable/UEntryForm.h"
#include "talktable/ULanguageForm.h"
#include "talktable/UPadForm.h"
#include "talktable/USearchForm.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TlkBytes.h"
#include "tests/support/Widgets.h"
#include "tests/talktable/ExampleTable.h"
#include "tests/talktable/MainWindowFixture.h"

namespace sorlith {
namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;
using platform::MessageKind;
using testing_support::Find;
using tlk_bytes::Entry;

const char* const kIntervalMessage =
    "Please specify a StrRef interval of strings to display. Bigger interval uses more memory "
    "and time.";
const char* const kQuitQuestion =
    "Are you sure you wish to quit? Any unsaved information in the currently open TLK file will "
    "be lost.";

std::vector<Entry> Numbered(int count) {
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) entries.push_back({"Text " + std::to_string(i)});
  return entries;
}

// The window is active: the shortcut and focus tests need it.
class MainFormTest : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  // Shows the interval by a click on the button.
  void Show(const char* start, const char* stop) {
    form->edStart->setText(QString::fromLatin1(start));
    form->edStop->setText(QString::fromLatin1(stop));
    QTest::mouseClick(form->btnShow, Qt::LeftButton);
  }
  std::vector<std::string> Column(int col) const {
    std::vector<std::string> cells;
    for (int row = 0; row < form->grid->RowCount(); ++row)
      cells.emplace_back(form->grid->Cell(col, row));
    return cells;
  }
  bool TableControlsEnabled() const {
    return form->btnShow->isEnabled() && form->edStart->isEnabled() && form->edStop->isEnabled() &&
           form->Tools1->isEnabled() && form->Save1->isEnabled() && form->Save2->isEnabled() &&
           form->Setlanguage1->isEnabled();
  }
  bool TableControlsDisabled() const {
    return !form->btnShow->isEnabled() && !form->edStart->isEnabled() &&
           !form->edStop->isEnabled() && !form->Tools1->isEnabled() && !form->Save1->isEnabled() &&
           !form->Save2->isEnabled() && !form->Setlanguage1->isEnabled();
  }
};

TEST_F(MainFormTest, CommandLineRule) {
  const std::string upper = Write("DIALOG.TLK", tlk_bytes::File(Numbered(1)));
  const std::string backup = Write("dialog.tlk.bak", tlk_bytes::File(Numbered(1)));
  fs::create_directory(PathOf("folder.tlk"));
  struct Case {
    std::vector<std::string> args;
    bool opens;
  } cases[] = {
      {{"Sorlith"}, false},
      {{"Sorlith", upper}, true},
      {{"Sorlith", upper, "extra"}, true},
      {{"Sorlith", backup}, false},
      {{"Sorlith", PathOf("missing.tlk")}, false},
      {{"Sorlith", PathOf("folder.tlk")}, false},
      {{"Sorlith", "tlk"}, false},
  };
  for (Case& c : cases) {
    std::vector<char*> argv;
    for (std::string& arg : c.args) argv.push_back(arg.data());
    EXPECT_EQ(c.opens, ShouldOpenAtStartUp(static_cast<int>(argv.size()), argv.data()))
        << c.args.back();
  }
}

TEST_F(MainFormTest, StartsWithNothingOpen) {
  EXPECT_EQ("Sorlith v1.0.4b (TLK file editor)", form->windowTitle().toStdString());
  EXPECT_TRUE(TableControlsDisabled());
  EXPECT_FALSE(form->grid->isEnabled());
  EXPECT_FALSE(form->lblInterval1->isEnabled());
  EXPECT_TRUE(form->lblMax->text().isEmpty());
  EXPECT_EQ(1, form->grid->ColCount());
  EXPECT_EQ("Please use the menu to open a TLK file to display.", form->grid->Cell(0, 0));
  EXPECT_EQ(form->grid->width() - 6, form->grid->ColWidth(0));
  EXPECT_TRUE(form->txtDisplay->isReadOnly());
  // The menus, their shortcuts and separators.
  std::vector<std::string> file;
  for (QAction* action : form->File1->actions())
    file.push_back(action->isSeparator() ? "-"
                                         : action->objectName().toStdString() + " " +
                                               action->shortcut().toString().toStdString());
  EXPECT_EQ(
      (std::vector<std::string>{"New1 ", "Open1 Ctrl+O", "-", "Save2 Ctrl+S", "Save1 Ctrl+Alt+S",
                                "-", "Setlanguage1 Ctrl+L", "-", "Quit1 Ctrl+Q"}),
      file);
  std::vector<std::string> tools;
  for (QAction* action : form->Tools1->actions())
    tools.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  EXPECT_EQ((std::vector<std::string>{"S&earch...", "-", "&New entry...", "&Edit selected entry...",
                                      "Delete selected entry...", "-", "Pad to StrRef...", "-",
                                      "Append file..."}),
            tools);
  EXPECT_EQ(5u, form->Edit1->actions().size());
  EXPECT_TRUE(form->Edit1->actions()[3]->isSeparator());
}

TEST_F(MainFormTest, LoadReadiesTheIntervalFields) {
  const std::string path = Load(Numbered(5));
  EXPECT_EQ("Sorlith v1.0.4b (" + path + ")", form->windowTitle().toStdString());
  EXPECT_EQ("Opened file " + path + ". TLK  V3.0. 5 entries read.", form->StatusText());
  EXPECT_EQ("(4 max.)", form->lblMax->text().toStdString());
  EXPECT_FALSE(form->lblMax->isEnabled());
  EXPECT_EQ("0", Text(form->edStart));
  EXPECT_EQ("4", Text(form->edStop));
  EXPECT_EQ(kIntervalMessage, form->grid->Cell(0, 0));
  EXPECT_FALSE(form->grid->isEnabled());
  EXPECT_TRUE(TableControlsEnabled());
  EXPECT_TRUE(form->lblInterval1->isEnabled());

  // Hovering a menu item clears temporary status messages; the status panel stays.
  QStatusTipEvent tip(QString{});
  QApplication::sendEvent(form.get(), &tip);
  EXPECT_EQ("Opened file " + path + ". TLK  V3.0. 5 entries read.", form->StatusText());

  Load(Numbered(1), "one.tlk");
  EXPECT_EQ("(0 max.)", form->lblMax->text().toStdString());
  EXPECT_EQ("0", Text(form->edStop));
}

// Paths are the file system's bytes (UTF-8 here); the caption, status and messages
// show the name the user sees in the file dialog.
TEST_F(MainFormTest, TextsShowAPathAsTheFileSystemNamesIt) {
  const std::string path = Load(Numbered(2),
                                "Donn\xC3\xA9"
                                "es.tlk");
  const QString shown = platform::PathToQt(path);
  ASSERT_TRUE(
      shown.endsWith(QString::fromUtf8("Donn\xC3\xA9"
                                       "es.tlk")));
  EXPECT_EQ((QStringLiteral("Sorlith v1.0.4b (") + shown + QStringLiteral(")")).toStdString(),
            form->windowTitle().toStdString());
  EXPECT_EQ(
      (QStringLiteral("Opened file ") + shown + QStringLiteral(". TLK  V3.0. 2 entries read."))
          .toStdString(),
      form->bpanelText->text().toStdString());
  services.fileDialogs.Expect({path});
  form->Save1->trigger();
  EXPECT_EQ(
      (QStringLiteral("Saved file ") + shown + QStringLiteral(". TLK  V3.0. 2 entries written."))
          .toStdString(),
      form->bpanelText->text().toStdString());
}

// Shows nothing; keeps what each box would show.
class ShownMessages : public platform::MessageService {
 public:
  platform::MessageAnswer Show(QWidget*, const platform::MessageRequest& request) override {
    shown.push_back(platform::MessageText(request).toStdString());
    return platform::MessageAnswer::Ok;
  }
  std::vector<std::string> shown;
};

// A path holding characters outside the code page ("Å") shows whole in the caption,
// the status text, a warning and the default error box: the sentence is decoded from
// the code page, the path as the file system names it.
TEST_F(MainFormTest, PathsOutsideTheCodePageShowWhole) {
  fs::create_directories(FFolder /
                         "\xC3\x9C"
                         "ber");
  const std::string path = Load(Numbered(2),
                                "\xC3\x9C"
                                "ber/\xC5\x82\xC3\xB3"
                                "d\xC5\xBA.tlk");
  const std::string shown = platform::PathToQt(path).toStdString();  // UTF-8 here
  ASSERT_NE(std::string::npos, shown.find("\xC3\x9C"
                                          "ber/\xC5\x82\xC3\xB3"
                                          "d\xC5\xBA.tlk"));
  EXPECT_EQ("Sorlith v1.0.4b (" + shown + ")", form->windowTitle().toStdString());
  EXPECT_EQ("Opened file " + shown + ". TLK  V3.0. 2 entries read.",
            form->bpanelText->text().toStdString());

  ShownMessages boxes;
  platform::Services installed = platform::CurrentServices();
  installed.messages = &boxes;
  platform::InstallServices(installed);
  form->LoadFile(path + ".missing");
  const std::string missing = platform::PathToQt(path + ".missing").toStdString();
  const std::string folder = PathOf(
                                 "\xC5\x81\xC3\xB3"
                                 "d\xC5\xBA") +
                             "/t.tlk";
  services.fileDialogs.Expect({folder});
  form->Save1->trigger();  // the folder does not exist: the default error box
  installed.messages = &services.messages;
  platform::InstallServices(installed);

  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ("ERROR! Unable to load specified file \"" + missing + "\"", boxes.shown[0]);
  EXPECT_EQ(0u, boxes.shown[1].find("Cannot create file \"" +
                                    platform::PathToQt(folder).toStdString() + "\". "))
      << boxes.shown[1];
}

// Open and Append share the open dialog, which starts where the last choice was made;
// the save dialog refuses a folder that does not exist.
TEST_F(MainFormTest, TheDialogsRememberTheirFolderAndTheSaveDialogNeedsOne) {
  fs::create_directories(FFolder / "one");
  const std::string first = Write("one/a.tlk", tlk_bytes::File(Numbered(2)));
  services.fileDialogs.Expect({first});
  form->Open1->trigger();
  services.fileDialogs.Expect({first});
  services.messages.Expect(MessageKind::Information,
                           "Appended " + first + " to open file. Added 2 entries from 2 to 3.");
  form->Appendfile1->trigger();
  services.messages.Expect(MessageKind::Confirmation,
                           "Opening another TLK file will close the currently open one, causing "
                           "any unsaved changes to be lost. Still continue?",
                           MessageAnswer::Yes);
  services.fileDialogs.ExpectCancel();
  form->Open1->trigger();
  const auto& seen = services.fileDialogs.Seen();
  ASSERT_EQ(3u, seen.size());
  EXPECT_EQ("", seen[0].initialDirectory);
  EXPECT_EQ(PathOf("one/"), seen[1].initialDirectory);
  EXPECT_EQ(PathOf("one/"), seen[2].initialDirectory);
  EXPECT_TRUE(form->SaveTlkFile().pathMustExist);
}

// Restoring a minimised window is a show of the window system's: the show step must not
// run again and turn the listing into a message.
TEST_F(MainFormTest, RestoringAMinimisedWindowLeavesTheGrid) {
  form->New1Click();
  Show("0", "0");
  ASSERT_EQ(3, form->grid->ColCount());
  const std::vector<std::string> before = Column(0);
  form->setWindowState(Qt::WindowMinimized);
  QApplication::processEvents();
  form->setWindowState(Qt::WindowNoState);
  form->show();
  QApplication::processEvents();
  EXPECT_EQ(3, form->grid->ColCount());
  EXPECT_EQ(before, Column(0));
}

TEST_F(MainFormTest, OpenRefusalsAndCancel) {
  services.fileDialogs.ExpectCancel();
  QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ("No valid file opened!", form->StatusText());
  ASSERT_EQ(1u, services.fileDialogs.Seen().size());
  EXPECT_EQ("dialog.tlk", services.fileDialogs.Seen()[0].fileName);
  EXPECT_EQ("TLK file|*.tlk", services.fileDialogs.Seen()[0].filter);
  EXPECT_TRUE(services.fileDialogs.Seen()[0].fileMustExist);

  const std::string good = Load(Numbered(3));
  const std::string status = form->StatusText();
  const std::string bad = Write("bad.tlk", "tlk V3.0 nonsense");
  services.fileDialogs.Expect({bad});
  services.messages.Expect(MessageKind::Warning,
                           "ERROR! Type mismatch. Specified file is not a valid TLK file!");
  form->Open1->trigger();
  EXPECT_TRUE(TableControlsDisabled());
  EXPECT_EQ(status, form->StatusText()) << "status and caption keep what they showed";
  EXPECT_EQ("Sorlith v1.0.4b (" + good + ")", form->windowTitle().toStdString());
  EXPECT_FALSE(form->TalkTable().IsOpen());
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
  EXPECT_EQ((std::vector<platform::CursorShape>{platform::CursorShape::Hourglass,
                                                platform::CursorShape::Normal}),
            services.cursor.History());
  EXPECT_EQ(1, services.cursor.Pumps());

  services.messages.Expect(MessageKind::Warning,
                           "ERROR! Unable to load specified file \"" + PathOf("gone.tlk") + "\"");
  form->LoadFile(PathOf("gone.tlk"));
  // Message boxes sit at the window's left edge + 64 and top edge + 128.
  EXPECT_EQ(form->pos() + QPoint(64, 128), services.messages.Seen().back().topLeft);
  EXPECT_EQ("Warning", services.messages.Seen().back().caption);
}

TEST_F(MainFormTest, OpenFocusesTheStartField) {
  const std::string path = Write("a.tlk", tlk_bytes::File(Numbered(2)));
  services.fileDialogs.Expect({path});
  form->Open1->trigger();
  EXPECT_EQ(form->edStart, QApplication::focusWidget());
  EXPECT_EQ(2u, form->TalkTable().EntryCount());
}

TEST_F(MainFormTest, NewTable) {
  form->New1->trigger();
  EXPECT_EQ("Created new blank TLK File. TLK  V3.0", form->StatusText());
  EXPECT_EQ("(0 max.)", form->lblMax->text().toStdString());
  EXPECT_EQ("0", Text(form->edStart));
  EXPECT_EQ("0", Text(form->edStop));
  EXPECT_EQ("No entries present. Please use the Tools menu to add new entries.",
            form->grid->Cell(0, 0));
  EXPECT_TRUE(TableControlsEnabled());
  EXPECT_EQ("Sorlith v1.0.4b (TLK file editor)", form->windowTitle().toStdString());

  // An empty table lists a header row and one empty row.
  Show("0", "0");
  EXPECT_EQ(3, form->grid->ColCount());
  EXPECT_EQ(2, form->grid->RowCount());
  EXPECT_EQ("", form->grid->Cell(0, 1));
  EXPECT_EQ("Displaying entries between StrRef 0 to 0 out of a total of 0 entries.",
            form->StatusText());

  // The new table is modified: a second New asks first.
  const char* question =
      "Creating a new TLK file will close the currently open one, causing any unsaved changes to "
      "be lost. Still continue?";
  form->TalkTable().AddEntry(std::make_unique<TTLKString>());
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::No);
  form->New1->trigger();
  EXPECT_EQ(1u, form->TalkTable().EntryCount());
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::Yes);
  form->New1->trigger();
  EXPECT_EQ(0u, form->TalkTable().EntryCount());

  services.messages.Expect(MessageKind::Confirmation,
                           "Opening another TLK file will close the currently open one, causing "
                           "any unsaved changes to be lost. Still continue?",
                           MessageAnswer::No);
  form->Open1->trigger();
}

TEST_F(MainFormTest, IntervalDisplay) {
  Load(Numbered(10));
  Show("3", "99");
  EXPECT_EQ("9", Text(form->edStop));
  EXPECT_EQ((std::vector<std::string>{"StrRef", "3", "4", "5", "6", "7", "8", "9"}), Column(0));
  EXPECT_EQ("Text 3", form->grid->Cell(1, 1));
  EXPECT_EQ(1, form->grid->FixedRows());
  EXPECT_EQ(1, form->grid->FixedCols());
  EXPECT_EQ(64, form->grid->ColWidth(0));
  EXPECT_EQ(form->grid->viewport()->width() - 200, form->grid->ColWidth(1));
  EXPECT_EQ(128, form->grid->ColWidth(2));
  EXPECT_TRUE(form->grid->isEnabled());
  EXPECT_EQ(0, form->pbar->value());
  EXPECT_EQ("Displaying entries between StrRef 3 to 9 out of a total of 10 entries.",
            form->StatusText());
  EXPECT_EQ("3 :\n\nText 3", form->txtDisplay->toPlainText().toStdString());
  form->SetSearchResultsShown(true);

  struct Refusal {
    const char* start;
    const char* stop;
    const char* message;
  } refusals[] = {
      {"5", "2", "ERROR! Invalid start value of interval to display!"},
      {"-5", "3", "ERROR! Invalid start value of interval to display!"},
      {"0", "-5", "ERROR! Oi! Invalid end value of interval to display!"},
  };
  for (const Refusal& r : refusals) {
    services.messages.Expect(MessageKind::Warning, r.message);
    Show(r.start, r.stop);
    EXPECT_EQ("3", form->grid->Cell(0, 1)) << "the grid keeps its contents";
    EXPECT_TRUE(form->SearchResultsShown());
  }

  services.messages.Expect(MessageKind::Error, "'x1' is not a valid integer value");
  Show("x1", "3");

  Show("0", "9");
  EXPECT_FALSE(form->SearchResultsShown());
  EXPECT_EQ(11, form->grid->RowCount());
}

TEST_F(MainFormTest, EnterInAnIntervalFieldShows) {
  Load(Numbered(4));
  form->edStop->setFocus();
  QTest::keyClick(form->edStop, Qt::Key_Return);
  EXPECT_EQ(5, form->grid->RowCount());
}

TEST_F(MainFormTest, TheFullDisplayQuestion) {
  TTLKFileHandler& table = form->TalkTable();
  table.NewFile();
  for (int i = 0; i < 136001; ++i) {
    auto entry = std::make_unique<TTLKString>();
    entry->SetText("x");
    table.AddEntry(std::move(entry));
  }
  form->edStart->setText("0");
  form->edStop->setText("136000");
  form->btnShowClick();  // last StrRef exactly 136000: no question
  EXPECT_EQ(136002, form->grid->RowCount());

  table.AddEntry(std::make_unique<TTLKString>());
  const std::string question =
      "Are you sure you wish to display all 136002 entries at once? It will take about 30 seconds "
      "to make the list and requires 240 MB of free RAM. It is probably better to use a narrower "
      "interval or do a search. Continue anyway?";
  form->edStop->setText("999999");
  form->SetStatusText("before");
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::No);
  form->btnShowClick();
  EXPECT_EQ("999999", Text(form->edStop));
  EXPECT_EQ(136002, form->grid->RowCount());
  EXPECT_EQ("before", form->StatusText());

  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::Yes);
  form->btnShowClick();
  EXPECT_EQ("136001", Text(form->edStop));
  EXPECT_EQ(136003, form->grid->RowCount());
  EXPECT_EQ("136001", form->grid->Cell(0, 136002));
}

TEST_F(MainFormTest, MemoAndGridText) {
  Load({{"A\r\nB", "snd_12"}, {"plain"}});
  Show("0", "1");
  EXPECT_EQ("A\nB", form->grid->Cell(1, 1));
  EXPECT_EQ("snd_12", form->grid->Cell(2, 1));
  EXPECT_EQ("0 (snd_12):\n\nA\nB", form->txtDisplay->toPlainText().toStdString());
  form->grid->SetRow(2);
  EXPECT_EQ("1 :\n\nplain", form->txtDisplay->toPlainText().toStdString());
}

// With the vertical scroll bar shown the three columns still fit the visible area, so
// the StrRef column keeps its first digit after Ctrl+End.
TEST_F(MainFormTest, ColumnsFitTheVisibleAreaAndRowsTheFont) {
  Load(Numbered(200));
  Show("0", "199");
  QApplication::processEvents();
  ASSERT_TRUE(form->grid->verticalScrollBar()->isVisible());
  const int total = form->grid->ColWidth(0) + form->grid->ColWidth(1) + form->grid->ColWidth(2);
  EXPECT_LE(total, form->grid->viewport()->width());
  EXPECT_EQ(64, form->grid->ColWidth(0));
  EXPECT_EQ(128, form->grid->ColWidth(2));
  EXPECT_GE(form->grid->rowHeight(1), form->grid->fontMetrics().height());
}

// A megabyte without a line break is shown in paragraphs of at most 4096 characters,
// so that only what is visible is laid out; Copy gives the entry's text.
TEST_F(MainFormTest, ThePreviewOfAHugeTextCopiesItWhole) {
  std::string huge(10000, 'x');
  huge[5000] = 'y';
  const std::string text = huge + "\n" + std::string(5000, 'z') + "\nend";
  Load({{text}});
  Show("0", "0");
  const std::string memo = "0 :\n\n" + text;
  EXPECT_LE(form->txtDisplay->document()->findBlockByNumber(2).length(), 4097);
  form->txtDisplay->setFocus();
  form->txtDisplay->selectAll();
  form->Copy1Click();
  EXPECT_EQ(memo, services.clipboard.Text());
  // Across the break after the first 4096 characters (which takes one position).
  QTextCursor cursor = form->txtDisplay->textCursor();
  cursor.setPosition(5 + 4090);
  cursor.setPosition(5 + 4100 + 1, QTextCursor::KeepAnchor);
  form->txtDisplay->setTextCursor(cursor);
  form->Copy1Click();
  EXPECT_EQ(text.substr(4090, 10), services.clipboard.Text());
}

// A long run without a blank is laid out in quadratic time when wrapped at word
// boundaries; such a text is wrapped anywhere, in the memo and in the entry dialog.
TEST_F(MainFormTest, AnUnbrokenTextIsWrappedAnywhere) {
  const std::string unbroken(5000, 'x');
  Load({{"a few words"}, {unbroken}, {"more words"}});
  Show("0", "2");
  EXPECT_EQ(QTextOption::WrapAtWordBoundaryOrAnywhere, form->txtDisplay->wordWrapMode());
  form->grid->SetRow(2);
  EXPECT_EQ(QTextOption::WrapAnywhere, form->txtDisplay->wordWrapMode());
  form->grid->SetRow(3);
  EXPECT_EQ(QTextOption::WrapAtWordBoundaryOrAnywhere, form->txtDisplay->wordWrapMode());

  auto* memo = Find<QPlainTextEdit>(&form->EntryForm(), "txtString");
  TTLKString entry;
  entry.SetText(unbroken);
  form->EntryForm().ShowEntry(entry);
  EXPECT_EQ(QTextOption::WrapAnywhere, memo->wordWrapMode());
  memo->setPlainText(QStringLiteral("short words"));
  EXPECT_EQ(QTextOption::WrapAtWordBoundaryOrAnywhere, memo->wordWrapMode());
}

TEST_F(MainFormTest, KeyFiltersAndPaste) {
  Load(Numbered(20));
  form->edStart->setFocus();
  form->edStart->clear();
  QTest::keyClicks(form->edStart, "1a2");
  EXPECT_EQ("12", Text(form->edStart));
  EXPECT_EQ(1, services.beep.Count());
  QTest::keyClick(form->edStart, Qt::Key_Backspace);
  QTest::keyClick(form->edStart, Qt::Key_B, Qt::ControlModifier);
  QTest::keyClick(form->edStart, Qt::Key_Minus);
  QTest::keyClick(form->edStart, Qt::Key_Left);  // moves, no beep
  EXPECT_EQ("1", Text(form->edStart));
  EXPECT_EQ(3, services.beep.Count());

  // Ctrl+A, C, X, V reach the Edit menu although a line edit has the focus.
  QTest::keyClick(form->edStart, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ("1", form->edStart->selectedText().toStdString());
  QTest::keyClick(form->edStart, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ("1", services.clipboard.Text());

  form->edStop->setFocus();
  form->edStop->setText("7");
  form->edStop->selectAll();
  services.clipboard.SetText("12a");
  QTest::keyClick(form->edStop, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("7", Text(form->edStop));
  EXPECT_EQ(4, services.beep.Count());
  services.clipboard.SetText("-5");
  QTest::keyClick(form->edStop, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("-5", Text(form->edStop));
  services.clipboard.SetText("12345678901234");
  form->edStop->clear();
  services.clipboard.SetText("0x7FFFFFFF");
  QTest::keyClick(form->edStop, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ("0x7FFFFFFF", Text(form->edStop)) << "the conversion reads hexadecimal too";
  form->edStop->selectAll();
  QTest::keyClick(form->edStop, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ("", Text(form->edStop));
  EXPECT_EQ("0x7FFFFFFF", services.clipboard.Text());

  // Cut in the read-only memo copies.
  Show("0", "1");
  form->txtDisplay->setFocus();
  QTest::keyClick(form->txtDisplay, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(form->txtDisplay, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ("0 :\n\nText 0", services.clipboard.Text());
  EXPECT_EQ("0 :\n\nText 0", form->txtDisplay->toPlainText().toStdString());
  EXPECT_EQ(4, services.beep.Count());
}

TEST_F(MainFormTest, QuitAndCloseAskOnceAboutUnsavedChanges) {
  Load(Numbered(2));
  form->Quit1->trigger();  // nothing unsaved: ends at once
  EXPECT_FALSE(form->isVisible());
  form->show();

  form->TalkTable().AddEntry(std::make_unique<TTLKString>());
  services.messages.Expect(MessageKind::Confirmation, kQuitQuestion, MessageAnswer::No);
  form->Quit1->trigger();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(3u, form->TalkTable().EntryCount());

  services.messages.Expect(MessageKind::Confirmation, kQuitQuestion, MessageAnswer::No);
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());

  services.messages.Expect(MessageKind::Confirmation, kQuitQuestion, MessageAnswer::Yes);
  form->Quit1->trigger();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(3u, services.messages.Seen().size()) << "one question for the quit";
}

TEST_F(MainFormTest, SaveAfterSaveAsWritesTheOpenedFile) {
  const std::string path = Load(Numbered(2));
  form->TalkTable().AddEntry(std::make_unique<TTLKString>());
  services.fileDialogs.Expect({PathOf("other.tlk")});
  form->Save1->trigger();
  EXPECT_EQ(path, services.fileDialogs.Seen().back().fileName);
  EXPECT_TRUE(services.fileDialogs.Seen().back().overwritePrompt);
  EXPECT_EQ("Saved file " + PathOf("other.tlk") + ". TLK  V3.0. 3 entries written.",
            form->StatusText());
  EXPECT_FALSE(form->TalkTable().Modified());

  form->TalkTable().AddEntry(std::make_unique<TTLKString>());
  form->Save2->trigger();  // no dialog: the opened file exists
  EXPECT_EQ("Saved file " + path + ". TLK  V3.0. 4 entries written.", form->StatusText());
  EXPECT_EQ(4u, TTLKFileHandler(path).EntryCount());
  EXPECT_EQ(3u, TTLKFileHandler(PathOf("other.tlk")).EntryCount());
}

TEST_F(MainFormTest, MenuShortcutsWinOverAFocusedField) {
  const std::string path = Load(Numbered(2));
  form->TalkTable().AddEntry(std::make_unique<TTLKString>());
  form->edStart->setFocus();
  QTest::keyClick(form->edStart, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ("Saved file " + path + ". TLK  V3.0. 3 entries written.", form->StatusText());
  EXPECT_EQ(0, services.beep.Count());
  // A one-row interval keeps a plain progress bar (no busy indicator).
  Show("1", "1");
  EXPECT_LT(form->pbar->minimum(), form->pbar->maximum());
}

// The program runs its dialogs window-modal: each must block the main window, or a
// command of the window could pull the table from under an open dialog.
TEST_F(MainFormTest, AWindowModalDialogBlocksTheMainWindow) {
  Load(Numbered(3));
  const std::vector<QDialog*> dialogs = {&form->SearchForm(), &form->EntryForm(),
                                         &form->LanguageForm(), &form->ConfirmDelete(),
                                         &form->PadEntriesForm()};
  const QPoint button = form->btnShow->mapTo(form.get(), form->btnShow->rect().center());
  for (QDialog* dialog : dialogs) {
    SCOPED_TRACE(dialog->objectName().toStdString());
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
    EXPECT_EQ(1, form->grid->ColCount());  // Show interval did not run
    dialog->hide();
  }
  // With no dialog open the same click reaches the button.
  QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
  EXPECT_EQ(3, form->grid->ColCount());
}

TEST_F(MainFormTest, SaveOfANewTableAsksForAName) {
  form->New1->trigger();
  services.messages.Expect(MessageKind::Warning,
                           "ERROR! There is no current data in the TLK file to write!");
  services.fileDialogs.Expect({PathOf("x.tlk")});
  form->Save2->trigger();
  EXPECT_EQ("untitled.tlk", services.fileDialogs.Seen().back().fileName);
  EXPECT_FALSE(platform::FileExists(PathOf("x.tlk")));

  form->TalkTable().AddEntry(std::make_unique<TTLKString>());
  services.fileDialogs.ExpectCancel();
  form->Save2->trigger();
  EXPECT_TRUE(form->TalkTable().Modified());
}

TEST_F(MainFormTest, FailedSaveKeepsTheOldFileAndReportsNoSuccess) {
  const std::string path = Load(Numbered(2));
  const std::string before = platform::ReadWholeFile(path);
  form->TalkTable().AddEntry(std::make_unique<TTLKString>());
  form->SetStatusText("before");
  fs::create_directory(PathOf("dir.tlk"));
  services.fileDialogs.Expect({PathOf("dir.tlk")});
  services.messages.Expect(MessageKind::Error,
                           "Cannot create file \"" + PathOf("dir.tlk") + "\". Is a directory");
  form->Save1->trigger();
  EXPECT_EQ("before", form->StatusText());
  EXPECT_TRUE(form->TalkTable().Modified());
  EXPECT_EQ(before, platform::ReadWholeFile(path));
}

// Renders the window with the example table to a picture a person can look at.
TEST_F(MainFormTest, Screenshot) {
  const std::string path = Write("example.tlk", tlk_bytes::ExampleTable());
  form->resize(760, 560);
  form->LoadFile(path);
  Show("0", "21");
  form->grid->SetRow(2);
  QApplication::processEvents();
  const fs::path folder = fs::path(MT_BINARY_DIR) / "screenshots";
  fs::create_directories(folder);
  const QString file = QString::fromStdString((folder / "sorlith_main.png").string());
  ASSERT_TRUE(form->grab().save(file));
}

}  // namespace
}  // namespace sorlith
