// The GFF pane's compare button through the window: the two file dialogs, the summary,
// the missing-file warning, the failure rules, and a compare that writes where it
// started whatever the window shows meanwhile.
#include <errno.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "platform/ui/StringGrid.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"
#include "tests/platform/FaultInjector.h"

namespace quennet_testing {
namespace {

using game_file_builders::GffBuilder;
using modifier_testing::Lines;
using Rows = std::vector<std::vector<std::string>>;

const std::string kHead =
    Lines({"[Settings]", "FileExists=1", "[GFFList]", "File0=p.utc", "File1=q.utc"});

enum class StructS { None, First, Last };
// A root of Int fields, and a struct S holding an Int X before or after them.
std::string GffOf(const std::vector<std::pair<std::string, int32_t>>& ints,
                  StructS structS = StructS::None) {
  GffBuilder b;
  const uint32_t root = b.AddStruct(0xFFFFFFFF);
  const auto addStruct = [&] {
    const uint32_t inner = b.AddStruct(3);
    b.AddSimple(inner, 5, "X", 1);
    b.AddStructField(root, "S", inner);
  };
  if (structS == StructS::First) addStruct();
  for (const auto& [label, value] : ints) b.AddSimple(root, 5, label, static_cast<uint32_t>(value));
  if (structS == StructS::Last) addStruct();
  return b.Build();
}

// The scripted cursor and file dialogs, with a step run at each pending-message pump
// or after each dialog: what the window might do while the compare runs.
class HookedCursor : public testing_support::FakeCursor {
 public:
  std::function<void(int pump)> onPump;
  void ProcessPendingMessages() override {
    FakeCursor::ProcessPendingMessages();
    if (onPump) onPump(Pumps());
  }
};
class HookedFileDialogs : public platform::FileDialogService {
 public:
  explicit HookedFileDialogs(platform::FileDialogService& inner) : FInner(inner) {}
  std::function<void()> afterDialog;
  std::vector<std::string> Run(QWidget* parent,
                               const platform::FileDialogRequest& request) override {
    std::vector<std::string> chosen = FInner.Run(parent, request);
    if (afterDialog) afterDialog();
    return chosen;
  }

 private:
  platform::FileDialogService& FInner;
};

// The window's own pump, installed by the Qt services.
platform::CursorService* QtPump() {
  const platform::Services installed = platform::CurrentServices();
  platform::FolderPicker* picker = platform::CurrentFolderPicker();
  platform::InstallQtServices();
  platform::CursorService* qt = platform::CurrentServices().cursor;
  platform::InstallServices(installed);
  platform::SetFolderPicker(picker);
  return qt;
}

// A click as the window system queues it.
void PostClick(QWidget* widget) {
  const QPointF centre = widget->rect().center();
  const QPointF global = widget->mapToGlobal(centre);
  QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, centre, global,
                                                      Qt::LeftButton, Qt::LeftButton, {}));
  QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, centre, global,
                                                      Qt::LeftButton, Qt::NoButton, {}));
}

class QuennetGffCompareTest : public QuennetTest {
 protected:
  QuennetGffCompareTest() : fileDialogs(services.fileDialogs) {
    platform::Services hooked = platform::CurrentServices();
    hooked.cursor = &cursor;
    hooked.fileDialogs = &fileDialogs;
    platform::InstallServices(hooked);
    EXPECT_TRUE(ShowWindow());
  }

  void OpenAndSelect(const std::string& text, const std::string& fileName = "p.utc") {
    OpenFile(text);
    SelectFile(fileName);
  }
  void SelectFile(const std::string& fileName) { SelectChild(form->nodeGff, fileName); }
  Rows ListRows() const { return testing_support::GridRows(*form->gridGffMod); }
  // Writes the two copies and answers both file dialogs with them.
  void ChooseCopies(const std::string& unaltered, const std::string& modified) {
    platform::ReplaceFile(PathOf("unaltered.utc"), unaltered);
    platform::ReplaceFile(PathOf("modified.utc"), modified);
    services.fileDialogs.Expect({PathOf("unaltered.utc")});
    services.fileDialogs.Expect({PathOf("modified.utc")});
  }
  std::string Summary(int modified, int added, const std::string& file = "p.utc") const {
    return "Compare completed, " + std::to_string(modified) + " fields were modified and " +
           std::to_string(added) + " fields were new in the " + file +
           " file. Building modifiers...";
  }

  HookedCursor cursor;
  HookedFileDialogs fileDialogs;
};

TEST_F(QuennetGffCompareTest, ComparesTheTwoChosenCopiesIntoTheShownFile) {
  OpenAndSelect(kHead + Lines({"[p.utc]", "Tag=1"}));
  ChooseCopies(GffOf({{"A", 10}}), GffOf({{"A", 12}, {"B", 1}}));
  services.messages.Expect(MessageKind::Information, Summary(1, 1));
  form->btnCompareGff->click();

  const std::vector<platform::FileDialogRequest>& seen = services.fileDialogs.Seen();
  ASSERT_EQ(3u, seen.size()) << "File > Open and the two copies";
  const char* titles[] = {"Select ORIGINAL (Unaltered) GFF file to compare against:",
                          "Select MODIFIED GFF file to compare against original:"};
  for (int i = 0; i < 2; ++i) {
    const platform::FileDialogRequest& request = seen[i + 1];
    EXPECT_EQ(titles[i], request.title);
    EXPECT_EQ("p.utc", request.fileName);
    EXPECT_EQ("GFF format file (*.*)|*.*", request.filter);
    EXPECT_EQ("", request.defaultExtension);
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_TRUE(request.pathMustExist);
  }
  EXPECT_EQ(kHead + Lines({"[p.utc]", "Tag=1", "A=12", "AddField0=gff_p_B_0", "[gff_p_B_0]",
                           "FieldType=Int", "Path=", "Label=B", "Value=1"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"Tag", "1"}, {"A", "12"}, {"AddField0", "gff_p_B_0"}}), ListRows());
  EXPECT_EQ(std::vector<platform::CursorShape>(
                {platform::CursorShape::Hourglass, platform::CursorShape::Normal}),
            cursor.History());
}

TEST_F(QuennetGffCompareTest, CancelOrAMissingChoiceEndsSilently) {
  const std::string text = kHead;
  OpenAndSelect(text);
  services.fileDialogs.ExpectCancel();
  form->btnCompareGff->click();
  platform::ReplaceFile(PathOf("unaltered.utc"), GffOf({}));
  services.fileDialogs.Expect({PathOf("unaltered.utc")});
  services.fileDialogs.ExpectCancel();
  form->btnCompareGff->click();
  services.fileDialogs.Expect({PathOf("nowhere.utc")});
  form->btnCompareGff->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));
  EXPECT_TRUE(cursor.History().empty());
}

// The unaltered copy vanishes after it was chosen; the list is still read again.
TEST_F(QuennetGffCompareTest, AFileGoneBeforeTheCompareIsWarnedAbout) {
  OpenAndSelect(kHead);
  ChooseCopies(GffOf({{"A", 1}}), GffOf({{"A", 2}}));
  int dialogs = 0;
  fileDialogs.afterDialog = [&] {
    if (++dialogs == 2) std::remove(PathOf("unaltered.utc").c_str());
  };
  const std::string edited = kHead + Lines({"[p.utc]", "Edited=1"});
  WriteFile("changes.ini", edited);
  services.messages.Expect(
      MessageKind::Warning,
      "Unable to locate the file " + PathOf("unaltered.utc") + ", cannot continue!");
  form->btnCompareGff->click();
  EXPECT_EQ(edited, ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"Edited", "1"}}), ListRows());
}

TEST_F(QuennetGffCompareTest, SkippedChangesAreNamedAfterTheSummary) {
  OpenAndSelect(kHead);
  ChooseCopies(GffOf({{"AddField0", 1}, {"!Destination", 1}, {"A", 1}}),
               GffOf({{"AddField0", 2}, {"!Destination", 2}, {"A", 2}}));
  services.messages.Expect(MessageKind::Information, Summary(1, 0));
  services.messages.Expect(
      MessageKind::Warning,
      "These fields differ, but their changes were not written: changes.ini would read their "
      "paths as the file's settings (\"!ReplaceFile\", \"!Destination\") or as new-field keys "
      "(\"AddField\"):\nAddField0\n!Destination");
  form->btnCompareGff->click();
  EXPECT_EQ(kHead + Lines({"[p.utc]", "A=2"}), ReadFile("changes.ini"));
}

// A root holding an Int, a Char and two ExoStrings.
std::string GffWithTexts(int32_t id, char gender, const std::string& tag, const std::string& text) {
  GffBuilder b;
  const uint32_t root = b.AddStruct(0xFFFFFFFF);
  b.AddSimple(root, 5, "AddField0", static_cast<uint32_t>(id));
  b.AddSimple(root, 1, "Gender", static_cast<uint8_t>(gender));
  b.AddComplex(root, 10, "Tag", GffBuilder::ExoString(tag));
  b.AddComplex(root, 10, "Text", GffBuilder::ExoString(text));
  return b.Build();
}

// The one warning after the summary names the skipped keys and every value changes.ini
// cannot hold as it stands; the Char that became 0 is not written.
TEST_F(QuennetGffCompareTest, ValuesTheFileCannotHoldAreNamedAfterTheSummary) {
  OpenAndSelect(kHead);
  const std::string long3000(3000, 'x');
  ChooseCopies(GffWithTexts(1, 'm', "t", "short"), GffWithTexts(2, 0, " t ", long3000));
  services.messages.Expect(MessageKind::Information, Summary(2, 0));
  services.messages.Expect(
      MessageKind::Warning,
      "These fields differ, but their changes were not written: changes.ini would read their "
      "paths as the file's settings (\"!ReplaceFile\", \"!Destination\") or as new-field keys "
      "(\"AddField\"):\nAddField0\n\n"
      "These changes were not written, as changes.ini cannot hold them:\n"
      "Gender: it holds a zero byte\n\n"
      "These changes were written, but changes.ini reads them back otherwise:\n"
      "Tag: blanks at either end are not read back\n"
      "Text: only its first 2,047 characters are read back");
  form->btnCompareGff->click();
  EXPECT_EQ(kHead + Lines({"[p.utc]", "Tag= t ", ("Text=" + long3000).c_str()}),
            ReadFile("changes.ini"));
}

// The walk stops below S; what it wrote before is in changes.ini, no summary is shown
// and the cursor comes back.
TEST_F(QuennetGffCompareTest, APathTheUnalteredCopyCannotFollowStopsTheCompare) {
  OpenAndSelect(kHead);
  ChooseCopies(GffOf({{"A", 1}, {"S", 1}}), GffOf({{"A", 2}}, StructS::Last));
  services.messages.Expect(MessageKind::Error,
                           "Unable to retrieve field at path S\\X, the field S is not a LIST or "
                           "STRUCT!");
  form->btnCompareGff->click();
  EXPECT_EQ(kHead + Lines({"[p.utc]", "A=2"}), ReadFile("changes.ini"));
  EXPECT_EQ(platform::CursorShape::Normal, cursor.Current());
}

TEST_F(QuennetGffCompareTest, AFailedWriteShowsNoSummaryAndChangesNothing) {
  OpenAndSelect(kHead);
  ChooseCopies(GffOf({{"A", 1}}), GffOf({{"A", 2}, {"B", 2}}));
  services.messages.Expect(MessageKind::Error, "Unable to write to " + PathOf("changes.ini"));
  {
    // The one write fails.
    fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
    form->btnCompareGff->click();
  }
  EXPECT_EQ(kHead, ReadFile("changes.ini"));
  EXPECT_EQ(platform::CursorShape::Normal, cursor.Current());
}

// Whatever the window shows while pending messages run, the compare goes on writing to
// the section it started with, and the list shows that file afterwards.
TEST_F(QuennetGffCompareTest, TheCompareWritesWhereItStarted) {
  OpenAndSelect(kHead);
  // The first pump shows the hourglass; the second comes at S, before A and B.
  ChooseCopies(GffOf({{"A", 1}}, StructS::First), GffOf({{"A", 2}, {"B", 3}}, StructS::First));
  cursor.onPump = [this](int pump) {
    if (pump == 2) {
      SelectFile("q.utc");
      EXPECT_EQ("q.utc", form->CurrentSection());
    }
  };
  services.messages.Expect(MessageKind::Information, Summary(1, 1));
  form->btnCompareGff->click();
  EXPECT_EQ(kHead + Lines({"[p.utc]", "A=2", "AddField0=gff_p_B_0", "[gff_p_B_0]", "FieldType=Int",
                           "Path=", "Label=B", "Value=3"}),
            ReadFile("changes.ini"));
  EXPECT_EQ("p.utc", form->CurrentSection());
  EXPECT_EQ((Rows{{"A", "2"}, {"AddField0", "gff_p_B_0"}}), ListRows());
}

// A click on the compare button while pending messages run during a compare waits until
// the compare has ended: a second compare cannot start inside the first.
TEST_F(QuennetGffCompareTest, AClickDuringTheCompareWaitsForItsEnd) {
  OpenAndSelect(kHead);
  ChooseCopies(GffOf({{"A", 1}}, StructS::First), GffOf({{"A", 2}}, StructS::First));
  platform::CursorService* pump = QtPump();
  cursor.onPump = [this, pump](int count) {
    if (count == 2) PostClick(form->btnCompareGff);
    pump->ProcessPendingMessages();
  };
  std::vector<platform::CursorShape> cursorAtDialogs;
  fileDialogs.afterDialog = [&] { cursorAtDialogs.push_back(cursor.Current()); };
  services.messages.Expect(MessageKind::Information, Summary(1, 0));
  form->btnCompareGff->click();
  EXPECT_EQ(2u, cursorAtDialogs.size()) << "no dialog of a second compare during the first";

  services.fileDialogs.ExpectCancel();
  QApplication::processEvents();
  EXPECT_EQ(std::vector<platform::CursorShape>(3, platform::CursorShape::Normal), cursorAtDialogs)
      << "the held click started the second compare after the first";
  EXPECT_EQ(kHead + Lines({"[p.utc]", "A=2"}), ReadFile("changes.ini"));
}

}  // namespace
}  // namespace quennet_testing
