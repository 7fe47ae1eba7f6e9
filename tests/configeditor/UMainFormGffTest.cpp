// The GFF field-change pane of the main window, driven through its widgets and checked
// on the whole changes.ini text: showing a file, storing, editing, deleting and moving
// field changes, the install settings, field paths from a GFF file and the value list.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cerrno>
#include <optional>

#include "configeditor/help/UInfoForm.h"
#include "configeditor/parts/UDropDownCombo.h"
#include "platform/ui/StringGrid.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"
#include "tests/platform/FaultInjector.h"

namespace quennet_testing {
namespace {

using game_file_builders::GffBuilder;
using modifier_testing::Lines;
using Rows = std::vector<std::vector<std::string>>;

const std::string kHead = Lines({"[Settings]", "FileExists=1", "[GFFList]", "File0=p.utc"});

class QuennetGffTest : public QuennetWindowTest {
 protected:
  // Opens `text` and selects the GFF file node `fileName`.
  void OpenAndSelect(const std::string& text, const std::string& fileName = "p.utc",
                     const std::string& name = "changes.ini") {
    OpenFile(text, name);
    SelectFile(fileName);
  }
  void SelectFile(const std::string& fileName) { SelectChild(form->nodeGff, fileName); }

  Rows ListRows() const { return testing_support::GridRows(*form->gridGffMod); }
  std::string SelectedKey() const {
    return std::string(form->gridGffMod->Cell(0, form->gridGffMod->Row()));
  }
  std::string PathText() const { return platform::FromQt(form->edGffField->currentText()); }
  std::string ValueText() const { return platform::FromQt(form->cbGffValue->currentText()); }
  std::vector<std::string> Items(const QComboBox* box) const {
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) items.push_back(platform::FromQt(box->itemText(i)));
    return items;
  }
  bool PathsMarked() const {
    return form->edGffField->palette().color(QPalette::Base) == QColor(192, 220, 192);
  }

  void Type(QComboBox* box, const std::string& text) {
    box->clearEditText();
    QTest::keyClicks(box, QString::fromStdString(text));
  }
  void Store(const std::string& path, const std::string& value) {
    Type(form->edGffField, path);
    Type(form->cbGffValue, value);
    form->btnStoreField->click();
  }
  void DoubleClickRow(int row) {
    platform::StringGrid* grid = form->gridGffMod;
    grid->SetRow(row);
    QRect cell = grid->visualRect(grid->model()->index(row, 0));
    ASSERT_FALSE(cell.isEmpty()) << "row " << row << " is not shown";
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }
};

TEST_F(QuennetGffTest, ShowingAFileListsItsFieldChangesAndSettings) {
  const std::string text =
      kHead + Lines({"File1=new.utc", "[p.utc]", "!ReplaceFile=1", "Tag=abc", "!Destination=x.mod",
                     "Empty=", "AddField0=nf_a", "!replacefileOld=5", "Name(lang0)=Hi"});
  OpenAndSelect(text);
  EXPECT_EQ((Rows{{"Tag", "abc"}, {"AddField0", "nf_a"}, {"Name(lang0)", "Hi"}}), ListRows());
  EXPECT_EQ("Modified fields in p.utc: ", form->lblGffHeading->text().toStdString());
  EXPECT_EQ("x.mod", form->edGffDest->text().toStdString());
  EXPECT_TRUE(form->cbReplaceGff->isChecked());
  EXPECT_EQ(
      "If this file already exists in the override folder, overwrite it with a copy from "
      "orvandeldata before modifying it.",
      form->cbReplaceGff->statusTip().toStdString());
  EXPECT_TRUE(form->paneGFF->isVisible());
  EXPECT_EQ("p.utc", form->CurrentSection);

  // A file without a section: one empty row, the default destination, the box cleared.
  SelectFile("new.utc");
  EXPECT_EQ((Rows{{"", ""}}), ListRows());
  EXPECT_EQ("override", form->edGffDest->text().toStdString());
  EXPECT_FALSE(form->cbReplaceGff->isChecked());
  EXPECT_EQ(
      "If this file already exists in the override folder, apply the modifications to the "
      "existing file.",
      form->cbReplaceGff->statusTip().toStdString());
  EXPECT_EQ(text, ReadFile("changes.ini")) << "showing files writes nothing";
}

// The file commands are the categories'; here what they show and keep of this pane.
TEST_F(QuennetGffTest, AnAddedFileShowsAnEmptyPaneAndARemovedOneKeepsItsNewFields) {
  const std::string text = kHead + Lines({"[p.utc]", "!ReplaceFile=1", "AddField0=nf", "[nf]",
                                          "FieldType=Byte", "Label=B", "Value=1"});
  OpenAndSelect(text);
  ASSERT_TRUE(form->cbReplaceGff->isChecked());
  services.modals.Expect("TFormFilename", [](QDialog& dialog) {
    QTest::keyClicks(testing_support::Find<QLineEdit>(&dialog, "edFilename"), "c.utc");
    testing_support::Find<QPushButton>(&dialog, "btnOK")->click();
  });
  form->mnuAddGff->trigger();
  EXPECT_EQ("c.utc", CurrentNodeText());
  EXPECT_TRUE(form->paneGFF->isVisible());
  EXPECT_EQ((Rows{{"", ""}}), ListRows());
  EXPECT_EQ("override", form->edGffDest->text().toStdString());
  EXPECT_FALSE(form->cbReplaceGff->isChecked());

  SelectFile("p.utc");
  services.messages.Expect(MessageKind::Confirmation,
                           "Are you sure you wish to remove p.utc from the modifier list?",
                           MessageAnswer::Yes);
  form->DeleteGFFfile1->trigger();
  EXPECT_EQ(Lines({"[Settings]", "FileExists=1", "[GFFList]", "File1=c.utc", "[nf]",
                   "FieldType=Byte", "Label=B", "Value=1"}),
            ReadFile("changes.ini"));
}

TEST_F(QuennetGffTest, StoringAFieldChange) {
  struct Case {
    const char* name;
    std::vector<const char*> before;  // the lines of [p.utc]
    std::string path;
    std::string value;
    std::vector<const char*> after;
    Rows rows;
    std::string selected;
  };
  const Case cases[] = {
      {"the first change creates the section",
       {},
       "Tag",
       "abc",
       {"[p.utc]", "Tag=abc"},
       {{"Tag", "abc"}},
       "Tag"},
      {"a new path goes to the end",
       {"[p.utc]", "Tag=abc", "!ReplaceFile=1"},
       "Appearance_Type",
       "2DAMEMORY1",
       {"[p.utc]", "Tag=abc", "!ReplaceFile=1", "Appearance_Type=2DAMEMORY1"},
       {{"Tag", "abc"}, {"Appearance_Type", "2DAMEMORY1"}},
       "Appearance_Type"},
      {"a listed path is replaced where it stands",
       {"[p.utc]", "Tag=abc", "Name(strref)=5"},
       "Tag",
       "xyz",
       {"[p.utc]", "Tag=xyz", "Name(strref)=5"},
       {{"Tag", "xyz"}, {"Name(strref)", "5"}},
       "Tag"},
      // The accessor finds "Tag" for "tag": the list shows the one key it replaced.
      {"a path in another case is the listed key",
       {"[p.utc]", "Name(strref)=5", "Tag=abc"},
       "tag",
       "new",
       {"[p.utc]", "Name(strref)=5", "Tag=new"},
       {{"Name(strref)", "5"}, {"Tag", "new"}},
       "Tag"},
      {"Add_Field is no reserved word",
       {},
       "Add_Field",
       "1",
       {"[p.utc]", "Add_Field=1"},
       {{"Add_Field", "1"}},
       "Add_Field"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string before = kHead;
    for (const char* line : c.before) before += Lines({line});
    OpenAndSelect(before);
    Store(c.path, c.value);
    std::string after = kHead;
    for (const char* line : c.after) after += Lines({line});
    EXPECT_EQ(after, ReadFile("changes.ini"));
    EXPECT_EQ(c.rows, ListRows());
    EXPECT_EQ(c.selected, SelectedKey());
    EXPECT_EQ("", PathText());
    EXPECT_EQ("", ValueText());
  }
}

TEST_F(QuennetGffTest, StoreRefusesTheNewFieldKeywordAndNeedsBothInputs) {
  const std::string text = kHead + Lines({"[p.utc]", "Tag=abc"});
  const char* kReserved =
      "\"AddField\" is a reserved keyword and cannot be used as a field label. If there actually "
      "is a field with that label you need to modify please let me know so I can change it.";
  struct Case {
    const char* path;
    const char* value;
    const char* warning;
  };
  const Case cases[] = {
      {"AddField", "1", kReserved}, {"addfield1", "x", kReserved}, {"ADDFIELDX", "x", kReserved},
      {"Tag", "", nullptr},         {"", "abc", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    OpenAndSelect(text);
    if (c.warning) services.messages.Expect(MessageKind::Warning, c.warning);
    Store(c.path, c.value);
    EXPECT_EQ(text, ReadFile("changes.ini"));
    EXPECT_EQ(c.path, PathText()) << "a refusal keeps the inputs";
  }
}

// Such a path would be written as another key, or as no key at all.
TEST_F(QuennetGffTest, StoreRefusesAPathTheFileCannotHoldAsAKey) {
  const std::string text = kHead + Lines({"[p.utc]", "Tag=abc"});
  for (const char* path : {"Tag=x", ";Tag", "[Tag"}) {
    SCOPED_TRACE(path);
    OpenAndSelect(text);
    const std::optional<std::string> refusal = RefusedKeyName(path);
    ASSERT_TRUE(refusal.has_value());
    services.messages.Expect(MessageKind::Warning, *refusal);
    Store(path, "1");
    EXPECT_EQ(text, ReadFile("changes.ini"));
    EXPECT_EQ((Rows{{"Tag", "abc"}}), ListRows());
  }
}

// "Ż" would be written as "?": a typed text the code page cannot store stores nothing.
TEST_F(QuennetGffTest, TextsOutsideTheCodePageAreRefused) {
  const std::string text = kHead + Lines({"[p.utc]", "Tag=abc"});
  const char* kUnstorable =
      "The character \"\xC5\xBB\" (U+017B) cannot be stored in the Windows-1252 code page of "
      "the files. Nothing was changed.";
  const QString polish = QString::fromUtf8("\xC5\xBBo\xC5\x82w");
  OpenAndSelect(text);
  for (QComboBox* box :
       {static_cast<QComboBox*>(form->edGffField), static_cast<QComboBox*>(form->cbGffValue)}) {
    Type(form->edGffField, "Tag");
    Type(form->cbGffValue, "x");
    box->setEditText(polish);
    services.messages.Expect(MessageKind::Warning, kUnstorable);
    form->btnStoreField->click();
  }
  form->edGffDest->setText(polish);
  services.messages.Expect(MessageKind::Warning, kUnstorable);
  form->btnGffDestSet->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

TEST_F(QuennetGffTest, CtrlShiftUpInTheValueBoxStores) {
  OpenAndSelect(kHead);
  Type(form->edGffField, "Tag");
  Type(form->cbGffValue, "abc");
  QTest::keyClick(form->cbGffValue, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(kHead + Lines({"[p.utc]", "Tag=abc"}), ReadFile("changes.ini"));
}

TEST_F(QuennetGffTest, EditingTakesTheRowIntoTheInputs) {
  const std::string text = kHead + Lines({"[p.utc]", "Tag=abc", "Name(strref)=5"});
  OpenAndSelect(text);
  form->gridGffMod->SetRow(0);
  QTest::keyClick(form->gridGffMod, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ("Tag", PathText()) << "the key takes the row it was pressed on";
  form->gridGffMod->SetRow(1);
  QTest::keyClick(form->gridGffMod, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ("Name(strref)", PathText());
  EXPECT_EQ("5", ValueText());
  form->gridGffMod->SetRow(0);
  form->btnEditField->click();
  EXPECT_EQ("Tag", PathText());
  EXPECT_EQ("abc", ValueText());
  DoubleClickRow(1);
  EXPECT_EQ("Name(strref)", PathText());
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

TEST_F(QuennetGffTest, DeletingAFieldChange) {
  const std::string text = kHead + Lines({"[p.utc]", "Tag=abc", "AddField0=nf", "Name(strref)=5"});
  OpenAndSelect(text);
  form->gridGffMod->SetRow(0);
  services.messages.Expect(
      MessageKind::Confirmation,
      "Are you sure you wish to delete the changes to the field \"Tag\"  for the gff file "
      "\"p.utc\"?",
      MessageAnswer::No);
  form->btnGffDelete->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));

  form->gridGffMod->SetRow(1);
  services.messages.Expect(
      MessageKind::Warning,
      "New fields cannot be deleted here. Please use the \"Manage new GFF fields\" button to "
      "delete modifiers for adding new fields to a GFF file.");
  form->btnGffDelete->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));

  form->gridGffMod->SetRow(2);
  services.messages.Expect(
      MessageKind::Confirmation,
      "Are you sure you wish to delete the changes to the field \"Name(strref)\"  for the gff "
      "file \"p.utc\"?",
      MessageAnswer::Yes);
  form->btnGffDelete->click();
  EXPECT_EQ(kHead + Lines({"[p.utc]", "Tag=abc", "AddField0=nf"}), ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"Tag", "abc"}, {"AddField0", "nf"}}), ListRows());
}

TEST_F(QuennetGffTest, MovingAFieldChange) {
  const std::string text =
      kHead + Lines({"[p.utc]", "A=1", "!ReplaceFile=1", "B=2", "Empty=", "AddField0=nf", "C=3"});
  OpenAndSelect(text);
  form->gridGffMod->SetRow(2);
  form->btnMoveGffModUp->click();
  // Keys the list does not show keep their places before the rewritten ones.
  EXPECT_EQ(
      kHead + Lines({"[p.utc]", "!ReplaceFile=1", "Empty=", "A=1", "AddField0=nf", "B=2", "C=3"}),
      ReadFile("changes.ini"));
  EXPECT_EQ(1, form->gridGffMod->Row());
  form->btnMoveGffModDown->click();
  EXPECT_EQ(
      kHead + Lines({"[p.utc]", "!ReplaceFile=1", "Empty=", "A=1", "B=2", "AddField0=nf", "C=3"}),
      ReadFile("changes.ini"));
  EXPECT_EQ(2, form->gridGffMod->Row());
  EXPECT_EQ("AddField0", SelectedKey());

  const std::string moved = ReadFile("changes.ini");
  form->gridGffMod->SetRow(0);
  form->btnMoveGffModUp->click();
  form->gridGffMod->SetRow(3);
  form->btnMoveGffModDown->click();
  EXPECT_EQ(moved, ReadFile("changes.ini")) << "the first row up and the last down do nothing";
}

TEST_F(QuennetGffTest, MoveAndDeleteDoNothingOnAnEmptyList) {
  const std::string text = kHead + Lines({"[p.utc]", "!ReplaceFile=1", "!Destination=a.mod"});
  OpenAndSelect(text);
  EXPECT_EQ((Rows{{"", ""}}), ListRows());
  form->btnMoveGffModUp->click();
  form->btnMoveGffModDown->click();
  form->btnGffDelete->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

TEST_F(QuennetGffTest, AMoveWhoseWriteFailsLeavesTheSectionAsItWas) {
  const std::string text = kHead + Lines({"[p.utc]", "A=1", "B=2", "C=3"});
  OpenAndSelect(text);
  form->gridGffMod->SetRow(1);
  services.messages.Expect(MessageKind::Error, "Unable to write to " + PathOf("changes.ini"));
  // Every rewrite of the file fails.
  fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
  form->btnMoveGffModUp->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

// The keys are deleted and written again; were each change a write of its own, a
// failure after the first would lose the keys deleted and not yet written again.
TEST_F(QuennetGffTest, AMoveIsOneWriteOfTheFile) {
  OpenAndSelect(kHead + Lines({"[p.utc]", "A=1", "B=2", "C=3"}));
  form->gridGffMod->SetRow(1);
  fault_injection::OnlyTheFirstReplaceSucceeds onlyTheFirstWrite;
  form->btnMoveGffModUp->click();
  EXPECT_EQ(kHead + Lines({"[p.utc]", "B=2", "A=1", "C=3"}), ReadFile("changes.ini"));
}

TEST_F(QuennetGffTest, Destination) {
  struct Case {
    const char* typed;
    std::vector<const char*> after;  // the lines of [p.utc]
  };
  const Case cases[] = {
      {"x.mod", {"[p.utc]", "Tag=1", "!Destination=x.mod"}},
      {"Override", {"[p.utc]", "Tag=1"}},
      {"", {"[p.utc]", "Tag=1"}},
      {" override", {"[p.utc]", "Tag=1", "!Destination= override"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    OpenAndSelect(kHead + Lines({"[p.utc]", "Tag=1", "!Destination=old.erf"}));
    form->edGffDest->setText(QString::fromStdString(c.typed));
    form->btnGffDestSet->click();
    std::string after = kHead;
    for (const char* line : c.after) after += Lines({line});
    EXPECT_EQ(after, ReadFile("changes.ini"));
  }
}

TEST_F(QuennetGffTest, DestinationPickerTakesTheBareNameAndWritesNothing) {
  const std::string text = kHead;
  OpenAndSelect(text);
  services.fileDialogs.Expect({"/games/modules/Danm13.MOD"});
  form->btnGetGffDest->click();
  EXPECT_EQ("Danm13.MOD", form->edGffDest->text().toStdString());
  const platform::FileDialogRequest& request = services.fileDialogs.Seen().back();
  EXPECT_EQ("Select an ERF format file to get the name of...", request.title);
  EXPECT_EQ(
      "ERF files (*.erf)|*.erf|MOD files (*.mod)|*.mod|SAV files (*.sav)|*.sav|HAK files "
      "(*.hak)|*.hak",
      request.filter);
  EXPECT_EQ("erf", request.defaultExtension);
  EXPECT_EQ("", request.fileName);
  services.fileDialogs.ExpectCancel();
  form->btnGetGffDest->click();
  EXPECT_EQ("override", form->edGffDest->text().toStdString());
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

// An unsaved destination survives a store; the box writes on the user's click only.
TEST_F(QuennetGffTest, ReplaceBoxWritesOnAClickOnly) {
  const std::string text = kHead + Lines({"File1=q.utc", "[q.utc]", "!ReplaceFile=1"});
  OpenAndSelect(text, "q.utc");
  SelectFile("p.utc");
  SelectFile("q.utc");
  EXPECT_EQ(text, ReadFile("changes.ini"));
  form->cbReplaceGff->click();
  EXPECT_EQ(kHead + Lines({"File1=q.utc", "[q.utc]", "!ReplaceFile=0"}), ReadFile("changes.ini"));
  SelectFile("p.utc");
  form->edGffDest->setText("unsaved.erf");
  form->cbReplaceGff->click();
  Store("Tag", "x");
  EXPECT_EQ(kHead + Lines({"File1=q.utc", "[q.utc]", "!ReplaceFile=0", "[p.utc]", "!ReplaceFile=1",
                           "Tag=x"}),
            ReadFile("changes.ini"));
  EXPECT_EQ("unsaved.erf", form->edGffDest->text().toStdString());
}

// A GFF file with list items, a localized string, a nested struct and a void.
std::string FieldPathsGff() {
  GffBuilder b;
  uint32_t root = b.AddStruct(0xFFFFFFFF);
  uint32_t item0 = b.AddStruct(0);
  uint32_t item1 = b.AddStruct(1);
  uint32_t sub = b.AddStruct(5);
  uint32_t deep = b.AddStruct(6);
  b.AddSimple(root, 5, "appearance", 7);
  b.AddComplex(root, 12, "Name", GffBuilder::LocString(3, {{0, "Bob"}, {3, "Bobette"}}));
  b.AddList(root, "Items", {item0, item1});
  b.AddComplex(item0, 10, "Tag", GffBuilder::ExoString("a"));
  b.AddComplex(item1, 10, "Tag", GffBuilder::ExoString("b"));
  b.AddComplex(item1, 12, "Desc", GffBuilder::LocString(0xFFFFFFFF, {}));
  b.AddStructField(root, "Sub", sub);
  b.AddSimple(sub, 0, "Inner", 1);
  b.AddStructField(sub, "Deep", deep);
  b.AddSimple(deep, 2, "X", 2);
  b.AddComplex(root, 13, "Data", GffBuilder::ExoString("raw"));
  return b.Build();
}

const std::vector<std::string> kFieldPaths = {
    "appearance",    "Data",         "Items",       "Items\\0\\Tag", "Items\\1\\Desc(strref)",
    "Items\\1\\Tag", "Name(lang0)",  "Name(lang3)", "Name(strref)",  "Sub",
    "Sub\\Deep",     "Sub\\Deep\\X", "Sub\\Inner"};

TEST_F(QuennetGffTest, FieldPathsFromTheGffFileBesideChangesIni) {
  const std::string text = kHead + Lines({"File1=q.utc", "[p.utc]", "Tag=1"});
  platform::ReplaceFile(PathOf("P.UTC"), FieldPathsGff());  // found without regard to case
  OpenAndSelect(text);
  Type(form->edGffField, "typed");
  form->btnGffLoadFields->click();
  EXPECT_EQ(kFieldPaths, Items(form->edGffField));
  EXPECT_EQ("typed", PathText());
  EXPECT_TRUE(PathsMarked());
  EXPECT_EQ("p.utc", form->FieldPathSource);
  EXPECT_EQ(std::vector<platform::CursorShape>(
                {platform::CursorShape::Hourglass, platform::CursorShape::Normal}),
            services.cursor.History());

  SelectFile("p.utc");
  EXPECT_EQ(kFieldPaths, Items(form->edGffField)) << "the same file keeps its paths";
  EXPECT_TRUE(PathsMarked());
  SelectFile("q.utc");
  EXPECT_TRUE(Items(form->edGffField).empty());
  EXPECT_FALSE(PathsMarked());
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

// Two files that match only without regard to case: neither is taken without asking.
TEST_F(QuennetGffTest, FieldPathsAskWhenTheFileBesideIsAmbiguous) {
  platform::ReplaceFile(PathOf("P.utc"), FieldPathsGff());
  platform::ReplaceFile(PathOf("P.UTC"), FieldPathsGff());
  OpenAndSelect(kHead);
  services.fileDialogs.ExpectCancel();
  form->btnGffLoadFields->click();
  EXPECT_TRUE(Items(form->edGffField).empty());
  platform::ReplaceFile(PathOf("p.utc"), FieldPathsGff());
  form->btnGffLoadFields->click();  // the exact name is taken first
  EXPECT_EQ(kFieldPaths, Items(form->edGffField));
}

TEST_F(QuennetGffTest, FieldPathsFromAPickedFile) {
  platform::ReplaceFile(PathOf("other.gff"), FieldPathsGff());
  OpenAndSelect(kHead);
  services.fileDialogs.ExpectCancel();
  form->btnGffLoadFields->click();
  EXPECT_TRUE(Items(form->edGffField).empty());
  const platform::FileDialogRequest& request = services.fileDialogs.Seen().back();
  EXPECT_EQ("Select a GFF format file to get the field labels from...", request.title);
  EXPECT_EQ("GFF format files (*.*)|*.*", request.filter);

  services.fileDialogs.Expect({PathOf("other.gff")});
  form->btnGffLoadFields->click();
  EXPECT_EQ(kFieldPaths, Items(form->edGffField));
  EXPECT_EQ("p.utc", form->FieldPathSource) << "named after the shown file";
  EXPECT_EQ(kHead, ReadFile("changes.ini"));
}

TEST_F(QuennetGffTest, AFileThatIsNoGffKeepsTheLoadedPaths) {
  platform::ReplaceFile(PathOf("p.utc"), FieldPathsGff());
  OpenAndSelect(kHead);
  form->btnGffLoadFields->click();
  platform::ReplaceFile(PathOf("p.utc"), "not a gff file");
  services.messages.Expect(MessageKind::Error,
                           "Invalid file version. Loaded file is not in GFF V3.2 format!");
  form->btnGffLoadFields->click();
  EXPECT_EQ(kFieldPaths, Items(form->edGffField));
  EXPECT_TRUE(PathsMarked());
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
}

TEST_F(QuennetGffTest, FileNewEmptiesThePane) {
  platform::ReplaceFile(PathOf("p.utc"), FieldPathsGff());
  OpenAndSelect(kHead + Lines({"[p.utc]", "Tag=1"}));
  form->btnGffLoadFields->click();
  Type(form->edGffField, "Tag");
  Type(form->cbGffValue, "abc");
  NewFile("new.ini");
  EXPECT_EQ((Rows{{"", ""}}), ListRows());
  EXPECT_EQ("", PathText());
  EXPECT_EQ("", ValueText());
  EXPECT_TRUE(Items(form->edGffField).empty());
  EXPECT_FALSE(PathsMarked());
  EXPECT_EQ("p.utc", form->FieldPathSource) << "the source stays";
}

TEST_F(QuennetGffTest, ValueListOffersStrRefAnd2daMemoryTokens) {
  const std::string text =
      Lines({"[Settings]", "FileExists=1", "[TLKList]", "StrRef0=1", "StrRef1=", "strref2=3",
             "[2DAList]", "Table0=a.2da", "[a.2da]", "AddRow0=m1", "[m1]",
             "2DAMEMORY3=", "[GFFList]", "File0=p.utc", "[p.utc]", "2DAMEMORY5=!FieldPath"});
  OpenAndSelect(text);
  Type(form->cbGffValue, "typed");
  form->cbGffValue->showPopup();
  EXPECT_EQ((std::vector<std::string>{"StrRef0", "2DAMEMORY3"}), Items(form->cbGffValue));
  EXPECT_EQ("typed", ValueText());
  form->cbGffValue->hidePopup();
  EXPECT_EQ(text, ReadFile("changes.ini"));
}

TEST_F(QuennetGffTest, HelpButtonTogglesTheGffPage) {
  OpenAndSelect(kHead);
  quennet::TInfoForm& help = *forms->InfoForm;
  form->btnInfo->click();
  EXPECT_TRUE(help.isVisible());
  EXPECT_EQ(help.txtInfo, help.ShownPage());
  form->btnInfo->click();
  EXPECT_FALSE(help.isVisible());
}

// The new-field editor writes on its own; the list shows its writes when it returns,
// the inputs and the destination keep what they held.
TEST_F(QuennetGffTest, TheListIsRebuiltAfterTheNewFieldEditor) {
  OpenAndSelect(kHead + Lines({"[p.utc]", "Tag=1", "AddField0=nf", "[nf]", "FieldType=Byte"}));
  Type(form->edGffField, "Name(strref)");
  form->edGffDest->setText("unsaved.erf");
  services.modals.Expect("TFormNewGFF", [this](QDialog&) {
    platform::ReplaceFile(PathOf("changes.ini"), kHead + Lines({"[p.utc]", "Tag=1", "AddField1=nf2",
                                                                "[nf2]", "FieldType=Byte"}));
  });
  form->btnNewField->click();
  EXPECT_EQ((Rows{{"Tag", "1"}, {"AddField1", "nf2"}}), ListRows());
  EXPECT_EQ("Name(strref)", PathText());
  EXPECT_EQ("unsaved.erf", form->edGffDest->text().toStdString());

  // Edit on a new-field row opens the editor too.
  form->gridGffMod->SetRow(1);
  services.modals.Expect("TFormNewGFF", [](QDialog&) {});
  form->btnEditField->click();
  EXPECT_EQ("AddField1", SelectedKey());
}

}  // namespace
}  // namespace quennet_testing
