// The 2DA side of the main window: adding and removing 2DA files, the modifier list,
// new, opened, copied and deleted modifiers and the dialog contract, each checked on
// the whole changes.ini text.
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cerrno>
#include <fstream>

#include "configeditor/modifiers/UAddColForm.h"
#include "configeditor/modifiers/UChange2daRowForm.h"
#include "configeditor/modifiers/UCopy2daRowForm.h"
#include "configeditor/modifiers/UMod2DARowForm.h"
#include "configeditor/prompts/UFormFilename.h"
#include "configeditor/prompts/UModLabelForm.h"
#include "configeditor/rules/UFileCategories.h"
#include "configeditor/rules/UFileKinds.h"
#include "formats/U2DAEdit.h"
#include "platform/ui/StringGrid.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"
#include "tests/formats/GameFileBuilders.h"
#include "tests/platform/FaultInjector.h"

namespace quennet_testing {
namespace {

using modifier_testing::Lines;
using modifier_testing::Write2da;
using testing_support::Find;
using Rows = std::vector<std::vector<std::string>>;

const std::string kHead = Lines({"[Settings]", "FileExists=1"});

class Quennet2daTest : public QuennetWindowTest {
 protected:
  // Opens `text` and selects the 2DA file node `fileName` (when given).
  void OpenAndSelect(const std::string& text, const std::string& fileName = "") {
    OpenFile(text);
    if (fileName.empty()) return;
    SelectChild(form->node2da, fileName);
  }

  Rows ListRows() const { return testing_support::GridRows(*form->grid2daMod); }
  std::string SelectedKey() const {
    return std::string(form->grid2daMod->Cell(0, form->grid2daMod->Row()));
  }
  void DoubleClickRow(int row) {
    platform::StringGrid* grid = form->grid2daMod;
    grid->SetRow(row);
    QRect cell = grid->visualRect(grid->model()->index(row, 0));
    ASSERT_FALSE(cell.isEmpty()) << "row " << row << " is not shown";
    // QTest's double click alone sends no first press, which an item view needs.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }
};

TEST_F(Quennet2daTest, AddingFiles) {
  struct Case {
    const char* name;
    std::string before;
    std::string typed;
    bool ok;
    const char* warning;
    std::string after;
  };
  const std::string oneFile = kHead + Lines({"[2DAList]", "Table0=spells.2da"});
  const char* kUsed = "A file with this name is already used in this changes.ini file!";
  const Case cases[] = {
      {"first file", kHead, "appearance.2da", true, nullptr,
       kHead + Lines({"[2DAList]", "Table0=appearance.2da"})},
      {"least free number", kHead + Lines({"[2DAList]", "Table0=a.2da", "table2=b.2da"}), "c.2da",
       true, nullptr, kHead + Lines({"[2DAList]", "Table0=a.2da", "table2=b.2da", "Table1=c.2da"})},
      {"listed exactly, without modifiers", oneFile, "spells.2da", true, kUsed, oneFile},
      // Section names ignore case: the two files would share one section.
      {"listed in another case, no section", oneFile, "SPELLS.2da", true, kUsed, oneFile},
      // The accessor reads values trimmed: a padded twin would be a second node.
      {"listed, padded with blanks", oneFile, "  spells.2da ", true, kUsed, oneFile},
      {"a new name padded with blanks", oneFile, " feat.2da  ", true, nullptr,
       oneFile + Lines({"Table1=feat.2da"})},
      {"listed as a GFF file", kHead + Lines({"[GFFList]", "File0=x.2da"}), "X.2DA", true, kUsed,
       kHead + Lines({"[GFFList]", "File0=x.2da"})},
      {"a section of that name", oneFile + Lines({"[SPELLS.2DA]", "AddRow0=x"}), "spells.2DA", true,
       kUsed, oneFile + Lines({"[SPELLS.2DA]", "AddRow0=x"})},
      // The modifier's section is still empty: the file's modifier keys would land in it.
      {"the label of a modifier without keys", oneFile + Lines({"[spells.2da]", "AddRow0=mod_a"}),
       "MOD_A", true, kUsed, oneFile + Lines({"[spells.2da]", "AddRow0=mod_a"})},
      // An empty fixed section would take the file's modifier keys.
      {"a fixed section's name", oneFile, "tlklist", true, kUsed, oneFile},
      {"a name the file would read as another section", oneFile, "x]y.2da", true,
       "The section name \"x]y.2da\" cannot be stored in an INI file: it holds \"]\".", oneFile},
      {"N/A", oneFile, "N/A", true, nullptr, oneFile},
      {"empty", oneFile, "", true, nullptr, oneFile},
      {"cancelled", oneFile, "other.2da", false, nullptr, oneFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenAndSelect(c.before);
    const int nodes = form->node2da->childCount();
    ExpectFileName(c.typed, c.ok);
    if (c.warning) services.messages.Expect(MessageKind::Warning, c.warning);
    form->mnuAdd2da->trigger();
    EXPECT_EQ(c.after, ReadFile("changes.ini"));
    const bool added = c.after != c.before;
    EXPECT_EQ(nodes + (added ? 1 : 0), form->node2da->childCount());
    if (added) {
      EXPECT_EQ(quennet::TrimmedName(c.typed), CurrentNodeText());
      EXPECT_TRUE(form->pane2da->isVisible());
      EXPECT_EQ((Rows{{"", ""}}), ListRows());
    }
  }
}

// A name the code page cannot store is refused by its first such character; the prompt
// stays open and nothing is written.
TEST_F(Quennet2daTest, PromptsRefuseTextsOutsideTheCodePage) {
  const std::string oneFile = kHead + Lines({"[2DAList]", "Table0=spells.2da"});
  OpenAndSelect(oneFile, "spells.2da");
  const char* kRefused =
      "The character \"\xC5\xBC\" (U+017C) cannot be stored in the Windows-1252 code page of "
      "the files. Nothing was changed.";
  struct Prompt {
    const char* dialog;
    const char* edit;
    const char* ok;
    std::function<void()> open;
  } const prompts[] = {
      {"TFormFilename", "edFilename", "btnOK", [this] { form->Add2dafile1->trigger(); }},
      {"TNewLabelForm", "edModLabel", "btnSave", [this] { form->btn2daAddRow->click(); }},
  };
  for (const Prompt& prompt : prompts) {
    services.modals.Expect(prompt.dialog, [&](QDialog& dialog) {
      Find<QLineEdit>(&dialog, prompt.edit)->setText(QString::fromUtf8("\xC5\xBC.2da"));
      services.messages.Expect(MessageKind::Warning, kRefused);
      Find<QPushButton>(&dialog, prompt.ok)->click();
      EXPECT_EQ(QDialog::Rejected, dialog.result()) << prompt.dialog << " stays open";
      Find<QPushButton>(&dialog, "btnCancel")->click();
    });
    prompt.open();
    EXPECT_EQ(oneFile, ReadFile("changes.ini")) << prompt.dialog;
  }
}

TEST_F(Quennet2daTest, FileNamePromptTakesTheBareNameOfAPickedFile) {
  OpenAndSelect(kHead);
  services.modals.Expect("TFormFilename", [this](QDialog& dialog) {
    EXPECT_EQ("Add 2DA file", Find<QLabel>(&dialog, "lblTitle")->text().toStdString());
    services.fileDialogs.Expect({"/somewhere/else/appearance.2da"});
    Find<QToolButton>(&dialog, "btnOpen")->click();
    EXPECT_EQ("appearance.2da", Find<QLineEdit>(&dialog, "edFilename")->text().toStdString());
    Find<QPushButton>(&dialog, "btnOK")->click();
  });
  form->Add2dafile1->trigger();
  EXPECT_EQ(kHead + Lines({"[2DAList]", "Table0=appearance.2da"}), ReadFile("changes.ini"));
  EXPECT_EQ("Please select a file to get name from", services.fileDialogs.Seen().back().title);
}

const std::string kTwoFiles =
    kHead + Lines({"[2DAList]", "Table0=spells.2da", "Table1=feat.2da", "Table2=spells.2da",
                   "[spells.2da]", "AddRow0=s1", "ChangeRow0=", "CopyRow0=gone", "[feat.2da]",
                   "AddRow0=f1", "[s1]", "RowLabel=a", "[f1]", "RowLabel=b"});

TEST_F(Quennet2daTest, RemovingAFileListedTwice) {
  OpenAndSelect(kTwoFiles, "spells.2da");
  services.messages.Expect(MessageKind::Confirmation,
                           "Are you sure you wish to remove spells.2da from the modifier list?",
                           MessageAnswer::Yes);
  form->Delete2dafile1->trigger();
  EXPECT_EQ(kHead + Lines({"[2DAList]", "Table1=feat.2da", "[feat.2da]", "AddRow0=f1", "[f1]",
                           "RowLabel=b"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((std::vector<std::string>{"feat.2da"}), ChildTexts(form->node2da));
  EXPECT_EQ("2DA Files", CurrentNodeText());
  EXPECT_FALSE(form->pane2da->isVisible());
}

// A delete removes the line that counts; the listing under a repeated key name goes too.
TEST_F(Quennet2daTest, RemovingAFileListedTwiceUnderOneKeyName) {
  OpenAndSelect(kHead + Lines({"[2DAList]", "Table0=spells.2da", "table0=spells.2da",
                               "Table1=feat.2da", "[spells.2da]", "AddRow0=s1", "[s1]", "x=1"}),
                "spells.2da");
  services.messages.Expect(MessageKind::Confirmation,
                           "Are you sure you wish to remove spells.2da from the modifier list?",
                           MessageAnswer::Yes);
  form->Delete2dafile1->trigger();
  EXPECT_EQ(kHead + Lines({"[2DAList]", "Table1=feat.2da"}), ReadFile("changes.ini"));
}

TEST_F(Quennet2daTest, RemovingAFileAnsweredNoOrWithoutAFileNode) {
  OpenAndSelect(kTwoFiles, "feat.2da");
  services.messages.Expect(MessageKind::Confirmation,
                           "Are you sure you wish to remove feat.2da from the modifier list?",
                           MessageAnswer::No);
  form->Delete2dafile1->trigger();
  Select(form->node2da);
  services.messages.Expect(MessageKind::Warning,
                           "No 2da file has been selected in the list to be deleted");
  form->Delete2dafile1->trigger();
  EXPECT_EQ(kTwoFiles, ReadFile("changes.ini"));
  EXPECT_EQ(3, form->node2da->childCount());
}

TEST_F(Quennet2daTest, ModifierListShowsKeysWithAValue) {
  OpenAndSelect(kTwoFiles, "spells.2da");
  EXPECT_EQ((Rows{{"AddRow0", "s1"}, {"CopyRow0", "gone"}}), ListRows());
  EXPECT_EQ("Modifiers for spells.2da: ", form->lbl2daLabel1->text().toStdString());
  EXPECT_EQ("spells.2da", form->CurrentSection());
}

// Labels a new modifier may not take, and some it may.
TEST_F(Quennet2daTest, NewModifierLabels) {
  const std::string file =
      kHead + Lines({"[TLKList]", "[2DAList]", "Table0=spells.2da", "Table1=feat.2da", "[GFFList]",
                     "File0=p_hk47.utc", "[SSFList]", "File0=c_drd.ssf", "[InstallList]",
                     "install_folder0=override", "[spells.2da]", "AddRow0=s1", "AddRow1=emptymod",
                     "[s1]", "RowLabel=a"});
  const char* kInUse =
      "The specified modifier label already exists for another modifier. Try again.";
  const char* kInvalid =
      "Invalid modifier label specified. It must be at least 1 character and may contain no "
      "spaces. Try again.";
  struct Case {
    const char* label;
    const char* warning;
  };
  const Case cases[] = {
      {"N/A", kInvalid},
      {"", kInvalid},
      {"my label", kInvalid},
      {"settings", kInUse},
      {"2DALIST", kInUse},
      {"SPELLS.2DA", kInUse},  // a 2DA file with modifiers
      {"S1", kInUse},          // another modifier
      {"Feat.2da", kInUse},    // a listed 2DA file without modifiers
      {"P_HK47.UTC", kInUse},  // a listed GFF file without a section
      {"c_drd.SSF", kInUse},   // a listed soundset file
      {"EmptyMod", kInUse},    // a listed modifier whose section is empty
      {"tlklist", kInUse},     // a fixed section without keys
      // Install folder sections are named by the keys of "[InstallList]".
      {"INSTALL_FOLDER0", kInUse},  // an install folder without files
      {"Override", nullptr},        // a folder's value names no section
      {"aaTempWorkSectionaa", kInUse},
      {"a]b", "The section name \"a]b\" cannot be stored in an INI file: it holds \"]\"."},
      {"n/a", nullptr},
      {"N/A2", nullptr},
      {"new_row", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    OpenAndSelect(file, "spells.2da");
    ExpectLabel(c.label);
    if (c.warning) {
      services.messages.Expect(MessageKind::Warning, c.warning);
    } else {
      ExpectDialog("TMod2DARowForm");
    }
    form->btn2daAddRow->click();
    const std::string expected =
        c.warning ? file
                  : kHead +
                        Lines({"[TLKList]", "[2DAList]", "Table0=spells.2da", "Table1=feat.2da",
                               "[GFFList]", "File0=p_hk47.utc", "[SSFList]", "File0=c_drd.ssf",
                               "[InstallList]", "install_folder0=override", "[spells.2da]",
                               "AddRow0=s1", "AddRow1=emptymod"}) +
                        Lines({("AddRow2=" + std::string(c.label)).c_str(), "[s1]", "RowLabel=a"});
    EXPECT_EQ(expected, ReadFile("changes.ini"));
  }
}

TEST_F(Quennet2daTest, NewModifierKeyIsNumberedFromTheFile) {
  struct Case {
    const char* name;
    std::vector<const char*> keys;
    const char* expectedKey;
  };
  const Case cases[] = {
      {"gap", {"AddRow0=a", "AddRow2=b"}, "AddRow1"},
      {"other case counts", {"AddRow0=a", "AddRow2=b", "addrow1=c"}, "AddRow3"},
      {"a key without value is given again", {"AddRow0=a", "AddRow1="}, "AddRow1"},
      {"other kinds count on their own", {"ChangeRow0=a"}, "AddRow0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]"});
    for (const char* key : c.keys) text += Lines({key});
    OpenAndSelect(text, "spells.2da");
    ExpectLabel("fresh");
    ExpectDialog("TMod2DARowForm");
    form->btn2daAddRow->click();
    EXPECT_EQ("fresh", form->ChangesIni()->ReadString("spells.2da", c.expectedKey, ""));
    EXPECT_EQ(c.expectedKey, SelectedKey());
  }
  // The list is stale (the file changed behind it): the number still comes from the file.
  OpenAndSelect(kHead + Lines({"[2DAList]", "Table0=spells.2da"}), "spells.2da");
  form->ChangesIni()->WriteString("spells.2da", "AddRow0", "written_elsewhere");
  ExpectLabel("fresh");
  ExpectDialog("TMod2DARowForm");
  form->btn2daAddRow->click();
  EXPECT_EQ(kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]",
                           "AddRow0=written_elsewhere", "AddRow1=fresh"}),
            ReadFile("changes.ini"));
}

TEST_F(Quennet2daTest, DialogContractForTheFourKinds) {
  struct Case {
    QPushButton* quennet::TMainForm::*button;
    const char* dialog;
    const char* key;
    const char* caption;
    const char* kind;
    std::string loaded;  // what the dialog's load wrote into the empty section
  };
  const Case cases[] = {
      {&quennet::TMainForm::btn2daAddRow, "TMod2DARowForm", "AddRow0",
       "Add new line in file spells.2da [m]", "", ""},
      {&quennet::TMainForm::btn2daModify, "TChange2daForm", "ChangeRow0",
       "Change line in file spells.2da [m]", "ChangeRow", Lines({"[m]", "RowIndex=0"})},
      {&quennet::TMainForm::btn2daCopy, "TCopy2daForm", "CopyRow0",
       "Copy line in file spells.2da [m]", "CopyRow", Lines({"[m]", "RowIndex=0"})},
      {&quennet::TMainForm::btn2daNewCol, "TAdd2daColForm", "AddColumn0",
       "Add column in file spells.2da [m]", "AddColumn",
       Lines({"[m]", "ColumnLabel=NewColumn", "DefaultValue=****"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog);
    OpenAndSelect(kHead + Lines({"[2DAList]", "Table0=spells.2da"}), "spells.2da");
    ExpectLabel("m");
    ExpectDialog(c.dialog, [this, c](QDialog& dialog) {
      EXPECT_EQ(c.caption, dialog.windowTitle().toStdString());
      auto& modifier = dynamic_cast<quennet::T2daModifierForm&>(dialog);
      EXPECT_EQ(form->ChangesIni(), modifier.IniFile());
      EXPECT_EQ("spells.2da", modifier.FileName2da());
      EXPECT_EQ("m", modifier.ModifierSection());
      if (*c.kind) {
        EXPECT_EQ(c.kind, modifier.ModifierKind());
      }
      EXPECT_EQ(kHead +
                    Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]",
                           (std::string(c.key) + "=m").c_str()}) +
                    c.loaded,
                ReadFile("changes.ini"))
          << "the key stands in the file before the dialog shows";
    });
    (form->*c.button)->click();
    EXPECT_EQ((Rows{{c.key, "m"}}), ListRows());
  }
  const auto& change = *forms->Change2daForm;
  EXPECT_EQ(" Set line to modify ", change.boxIdentifier->title().toStdString());
  EXPECT_EQ(" Change column value ", change.boxChangeValue->title().toStdString());
  EXPECT_EQ("Modify 2DA line", change.lblHeadline->text().toStdString());
  EXPECT_EQ("Modified column values for line:", change.lblGridHeading->text().toStdString());
  const auto& copy = *forms->Copy2daForm;
  EXPECT_EQ(" Set existing line to copy ", copy.boxIdentifier->title().toStdString());
  EXPECT_EQ("Copy 2DA line", copy.lblHeadline->text().toStdString());
  EXPECT_EQ("New column values for copied line:", copy.lblGridHeading->text().toStdString());
}

// The four dialogs as their buttons open them, with the 2DA file beside changes.ini.
struct DialogOpener {
  QPushButton* quennet::TMainForm::*button;
  const char* dialog;
  const char* key;
  std::string loaded;  // what the dialog's load wrote into the empty section
};
const DialogOpener kDialogOpeners[] = {
    {&quennet::TMainForm::btn2daAddRow, "TMod2DARowForm", "AddRow0", ""},
    {&quennet::TMainForm::btn2daModify, "TChange2daForm", "ChangeRow0",
     Lines({"[m]", "RowIndex=0"})},
    {&quennet::TMainForm::btn2daCopy, "TCopy2daForm", "CopyRow0", Lines({"[m]", "RowIndex=0"})},
    {&quennet::TMainForm::btn2daNewCol, "TAdd2daColForm", "AddColumn0",
     Lines({"[m]", "ColumnLabel=NewColumn", "DefaultValue=****"})},
};

// The opener's captions and headings are set after the dialog was built: every box,
// label and button is still as tall as it needs, and the dialog holds them all.
TEST_F(Quennet2daTest, DialogsFitTheOpenersTexts) {
  modifier_testing::Write2da(PathOf("spells.2da"), {"label", "range"});
  const std::string before = kHead + Lines({"[2DAList]", "Table0=spells.2da"});
  for (const DialogOpener& c : kDialogOpeners) {
    SCOPED_TRACE(c.dialog);
    OpenAndSelect(before, "spells.2da");
    ExpectLabel("m");
    ExpectDialog(c.dialog, [](QDialog& dialog) {
      const QSize needed = dialog.sizeHint();
      EXPECT_GE(dialog.width(), needed.width());
      EXPECT_GE(dialog.height(), needed.height());
      for (QWidget* control : dialog.findChildren<QWidget*>()) {
        if (!control->isVisible()) continue;
        if (!qobject_cast<QLabel*>(control) && !qobject_cast<QComboBox*>(control) &&
            !qobject_cast<QLineEdit*>(control) && !qobject_cast<QAbstractButton*>(control) &&
            !qobject_cast<QGroupBox*>(control)) {
          continue;
        }
        if (qobject_cast<QComboBox*>(control->parentWidget())) continue;  // a box's own edit
        SCOPED_TRACE(control->objectName().toStdString() + " " +
                     control->property("text").toString().toStdString());
        EXPECT_GE(control->height(), control->sizeHint().height());
      }
    });
    (form->*c.button)->click();
    EXPECT_EQ(before + Lines({"[spells.2da]", (std::string(c.key) + "=m").c_str()}) + c.loaded,
              ReadFile("changes.ini"));
  }
}

// The component of `dialog` that has the focus: a box's own edit counts as its box.
std::string FocusedName(const QDialog& dialog) {
  QWidget* focused = dialog.focusWidget();
  if (!focused) return "(none)";
  if (qobject_cast<QComboBox*>(focused->parentWidget())) focused = focused->parentWidget();
  if (focused->objectName().isEmpty()) return focused->metaObject()->className();
  return focused->objectName().toStdString();
}

// Tab goes in reading order: the inputs from the top, the list's buttons and the list,
// Close last; the first input has the focus when a dialog opens, also when it is used
// again after the focus stood elsewhere.
TEST_F(Quennet2daTest, TabGoesThroughTheDialogsInReadingOrder) {
  const std::vector<std::vector<std::string>> chains = {
      {"cbExclusiveLabel", "btnLoad2da", "cbColLabel", "btnOpen2da", "cbColValue", "btnAddToList",
       "btnEditColValue", "grid2daMod", "btnDelColValue", "Button1"},
      {"cbIdxType", "edIdx", "btnSetIdx", "cbColLabel", "btnLoadCols", "cbColValue", "btnAddToList",
       "btnEditColValue", "grid2daMod", "btnDeleteKey", "btnClose"},
      {"cbIdxType", "edIdx", "btnSetIdx", "cbExclusiveLabel", "btnLoad2da", "btnCopyInfo",
       "cbColLabel", "btnLoadCols", "cbColValue", "btnAddToList", "btnEditColValue", "grid2daMod",
       "btnDeleteKey", "btnClose"},
      {"edNewLabel", "edDefaultVal", "cbRowIdent", "edRowNum", "cbRowValue", "btnAddToList",
       "btnEditColValue", "grid2daMod", "btnDeleteKey", "btnClose"},
  };
  const std::string before = kHead + Lines({"[2DAList]", "Table0=spells.2da"});
  for (size_t i = 0; i < std::size(kDialogOpeners); ++i) {
    const DialogOpener& c = kDialogOpeners[i];
    SCOPED_TRACE(c.dialog);
    OpenAndSelect(before, "spells.2da");
    auto walkTheChain = [&](QDialog& dialog) {
      std::vector<std::string> visited = {FocusedName(dialog)};
      for (size_t step = 1; step <= chains[i].size(); ++step) {
        ASSERT_NE(nullptr, dialog.focusWidget()) << testing::PrintToString(visited);
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        visited.push_back(FocusedName(dialog));
      }
      std::vector<std::string> expected = chains[i];
      expected.push_back(chains[i].front());  // round again
      EXPECT_EQ(expected, visited);
      QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);  // leave the first input
    };
    ExpectLabel("m");
    ExpectDialog(c.dialog, walkTheChain);
    (form->*c.button)->click();
    ExpectDialog(c.dialog, walkTheChain);
    DoubleClickRow(0);
    EXPECT_EQ(before + Lines({"[spells.2da]", (std::string(c.key) + "=m").c_str()}) + c.loaded,
              ReadFile("changes.ini"));
  }
}

TEST_F(Quennet2daTest, DoubleClickOpensTheModifierOfAnExactKind) {
  const std::string text =
      kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]", "AddRow0=a", "addrow1=b",
                     "AddColumn0=c", "[a]", "RowLabel=x"});
  OpenAndSelect(text, "spells.2da");
  ExpectDialog("TAdd2daColForm", [](QDialog& dialog) {
    EXPECT_EQ("Add column in file spells.2da [c]", dialog.windowTitle().toStdString());
  });
  DoubleClickRow(2);
  EXPECT_EQ(2, form->grid2daMod->Row()) << "the same row is selected again";
  ExpectDialog("TMod2DARowForm", [](QDialog& dialog) {
    EXPECT_EQ("Add line in file spells.2da [a]", dialog.windowTitle().toStdString());
  });
  DoubleClickRow(0);
  DoubleClickRow(1);  // addrow1: no kind in exact case, nothing opens
  EXPECT_EQ(text + Lines({"[c]", "ColumnLabel=NewColumn", "DefaultValue=****"}),
            ReadFile("changes.ini"))
      << "only the AddColumn load wrote";
}

TEST_F(Quennet2daTest, CopyingAModifier) {
  const std::string text =
      kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]", "ChangeRow0=a", "addrow0=r",
                     "[a]", "RowIndex=3", "label=one<#LF#>two", "cost=5", "[r]", "RowLabel=x"});
  OpenAndSelect(text, "spells.2da");
  ExpectLabel("b", true, "Copy 2DA Modifier");
  ExpectDialog("TChange2daForm", [this](QDialog& dialog) {
    EXPECT_EQ("Change line in file spells.2da [b]", dialog.windowTitle().toStdString());
    EXPECT_EQ(platform::CursorShape::Hourglass, services.cursor.Current());
  });
  form->btnCopy2daMod->click();
  const std::string copied =
      kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]", "ChangeRow0=a", "addrow0=r",
                     "ChangeRow1=b", "[a]", "RowIndex=3", "label=one<#LF#>two", "cost=5", "[r]",
                     "RowLabel=x", "[b]", "RowIndex=3", "label=one<#LF#>two", "cost=5"});
  EXPECT_EQ(copied, ReadFile("changes.ini"));
  EXPECT_EQ("ChangeRow1", SelectedKey());
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
  EXPECT_EQ("Specify modifier label for the new copy",
            forms->NewLabelForm->windowTitle().toStdString());

  // A key in another case is copied under its kind's own spelling.
  form->grid2daMod->SetRow(1);
  ExpectLabel("r2", true, "Copy 2DA Modifier");
  ExpectDialog("TMod2DARowForm", [](QDialog& dialog) {
    EXPECT_EQ("Add line in file spells.2da [r2]", dialog.windowTitle().toStdString());
  });
  form->btnCopy2daMod->click();
  EXPECT_EQ("r2", form->ChangesIni()->ReadString("spells.2da", "AddRow1", ""))
      << "addrow0 takes the number 0";
  EXPECT_EQ("x", form->ChangesIni()->ReadString("r2", "RowLabel", ""));
}

// The new key and the copied keys are one write: when it fails the file stays as it was
// and no dialog opens.
TEST_F(Quennet2daTest, ACopyThatCannotBeWrittenLeavesTheFileAsItWas) {
  const std::string name = "changes.ini";
  const std::string text = kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]",
                                          "ChangeRow0=a", "[a]", "RowIndex=3", "cost=5"});
  std::ofstream(PathOf(name), std::ios::binary) << text;
  services.fileDialogs.Expect({PathOf(name)});
  form->mnuOpen->trigger();
  Select(form->node2da->child(0));
  ExpectLabel("b", true, "Copy 2DA Modifier");
  services.messages.Expect(MessageKind::Error, "Unable to write to " + PathOf(name));
  // Every rewrite of the file fails.
  fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
  form->btnCopy2daMod->click();
  EXPECT_EQ(text, ReadFile(name));
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
}

TEST_F(Quennet2daTest, CopyRefusesATakenLabelAndCopiesNothingFromAnEmptyList) {
  const std::string text = kHead + Lines({"[2DAList]", "Table0=spells.2da", "Table1=feat.2da",
                                          "[spells.2da]", "AddRow0=a", "[a]", "x=1"});
  OpenAndSelect(text, "spells.2da");
  ExpectLabel("A", true, "Copy 2DA Modifier");
  services.messages.Expect(
      MessageKind::Warning,
      "The specified modifier label already exists for another modifier. Try again.");
  form->btnCopy2daMod->click();
  OpenAndSelect(text, "feat.2da");
  ExpectLabel("b", true, "Copy 2DA Modifier");
  form->btnCopy2daMod->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
}

TEST_F(Quennet2daTest, DeletingAModifier) {
  const std::string text =
      kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]", "AddRow0=a", "AddRow1=b",
                     "AddRow2=c", "[a]", "x=1", "[b]", "y=2", "[c]", "z=3"});
  OpenAndSelect(text, "spells.2da");
  form->grid2daMod->SetRow(1);
  const std::string question =
      "Are you sure you wish to permanently delete the modifier \"b\"  for the 2da file "
      "\"spells.2da\"";
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::No);
  form->btn2daDelete->click();
  EXPECT_EQ(text, ReadFile("changes.ini"));
  services.messages.Expect(MessageKind::Confirmation, question, MessageAnswer::Yes);
  form->btn2daDelete->click();
  EXPECT_EQ(kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]", "AddRow0=a",
                           "AddRow2=c", "[a]", "x=1", "[c]", "z=3"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"AddRow0", "a"}, {"AddRow2", "c"}}), ListRows());
}

// The 2DA file beside changes.ini cannot be read: an error box names it and gives the
// reader's sentence, the AddRow or CopyRow dialog opens with white, empty column boxes,
// and each opening tries again until the file can be read.
TEST_F(Quennet2daTest, UnreadableTwoDaBesideChangesIniIsReportedAndTheDialogOpens) {
  WriteFile("spells.2da", "not a table");
  std::string readerError;
  try {
    T2DAHandler table;
    table.LoadFromFile(PathOf("spells.2da"));
  } catch (const EDead& error) {
    readerError = error.Message();
  }
  ASSERT_FALSE(readerError.empty());
  const std::string report =
      "The column labels of " + PathOf("spells.2da") + " cannot be read: " + readerError;
  struct Case {
    QPushButton* quennet::TMainForm::*button;
    const char* dialog;
    const char* key;
  };
  const Case cases[] = {
      {&quennet::TMainForm::btn2daAddRow, "TMod2DARowForm", "AddRow"},
      {&quennet::TMainForm::btn2daCopy, "TCopy2daForm", "CopyRow"},
  };
  auto whiteAndEmpty = [](QDialog& dialog) {
    for (const char* name : {"cbColLabel", "cbExclusiveLabel"}) {
      auto* box = Find<QComboBox>(&dialog, name);
      EXPECT_EQ(0, box->count()) << name;
      EXPECT_NE(QColor(192, 220, 192), box->palette().color(QPalette::Base)) << name;
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog);
    WriteFile("spells.2da", "not a table");
    OpenAndSelect(kHead + Lines({"[2DAList]", "Table0=spells.2da"}), "spells.2da");
    for (const char* label : {"m", "n"}) {
      ExpectLabel(label);
      services.messages.Expect(MessageKind::Error, report);
      ExpectDialog(c.dialog, whiteAndEmpty);
      (form->*c.button)->click();
    }
    EXPECT_EQ((Rows{{std::string(c.key) + "0", "m"}, {std::string(c.key) + "1", "n"}}), ListRows());
    modifier_testing::Write2da(PathOf("spells.2da"), {"label"});
    ExpectDialog(c.dialog, [](QDialog& dialog) {
      EXPECT_EQ(2, Find<QComboBox>(&dialog, "cbColLabel")->count()) << "read once it can be";
    });
    DoubleClickRow(0);
  }
}

// Labels are read again for a file after a file without a 2DA beside changes.ini, and
// after another changes.ini was opened: its folder may hold another table of that name.
TEST_F(Quennet2daTest, ColumnLabelsAreReadAgainAfterAResetAndAfterAnotherOpen) {
  modifier_testing::Write2da(PathOf("spells.2da"), {"label", "range"});
  const std::string text = kHead + Lines({"[2DAList]", "Table0=spells.2da", "Table1=feat.2da"});
  auto items = [](QDialog& dialog) {
    std::vector<std::string> texts;
    auto* box = Find<QComboBox>(&dialog, "cbColLabel");
    for (int i = 0; i < box->count(); ++i) texts.push_back(box->itemText(i).toStdString());
    return texts;
  };
  const std::vector<std::string> labels = {"RowLabel", "label", "range"};
  OpenAndSelect(text, "spells.2da");
  ExpectLabel("a");
  ExpectDialog("TMod2DARowForm", [&](QDialog& dialog) { EXPECT_EQ(labels, items(dialog)); });
  form->btn2daAddRow->click();
  Select(form->node2da->child(1));
  ExpectLabel("b");
  ExpectDialog("TMod2DARowForm", [&](QDialog& dialog) { EXPECT_TRUE(items(dialog).empty()); });
  form->btn2daAddRow->click();
  Select(form->node2da->child(0));
  ExpectLabel("c");
  ExpectDialog("TMod2DARowForm", [&](QDialog& dialog) { EXPECT_EQ(labels, items(dialog)); });
  form->btn2daAddRow->click();

  ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("other")));
  WriteFile("other/changes.ini", text);
  services.fileDialogs.Expect({PathOf("other/changes.ini")});
  form->mnuOpen->trigger();
  Select(form->node2da->child(0));
  ExpectLabel("d");
  ExpectDialog("TMod2DARowForm", [&](QDialog& dialog) { EXPECT_TRUE(items(dialog).empty()); });
  form->btn2daAddRow->click();
}

// The AddRow dialog reads the labels of the 2DA file beside changes.ini once; a
// second modifier of the same file finds them without reading the file again.
TEST_F(Quennet2daTest, ColumnLabelsAreReadOncePerTwoDaFile) {
  modifier_testing::Write2da(PathOf("spells.2da"), {"label", "range"});
  OpenAndSelect(kHead + Lines({"[2DAList]", "Table0=spells.2da"}), "spells.2da");
  auto labels = [](QDialog& dialog) {
    std::vector<std::string> items;
    auto* box = Find<QComboBox>(&dialog, "cbColLabel");
    for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i).toStdString());
    return items;
  };
  const std::vector<std::string> expected = {"RowLabel", "label", "range"};
  ExpectLabel("first");
  ExpectDialog("TMod2DARowForm", [&](QDialog& dialog) { EXPECT_EQ(expected, labels(dialog)); });
  form->btn2daAddRow->click();
  WriteFile("spells.2da", "not a table any more");
  ExpectLabel("second");
  ExpectDialog("TMod2DARowForm", [&](QDialog& dialog) { EXPECT_EQ(expected, labels(dialog)); });
  form->btn2daAddRow->click();
  EXPECT_EQ(kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]", "AddRow0=first",
                           "AddRow1=second"}),
            ReadFile("changes.ini"));
}

// The messages shown by the compare, each with whether the tree, the 2DA pane and the
// File and Modifiers menus took input while it was up.
class MessagesWithInputState : public platform::MessageService {
 public:
  MessagesWithInputState(platform::MessageService& scripted, quennet::TMainForm& form)
      : FScripted(scripted), FForm(form), FPrevious(platform::CurrentServices()) {
    platform::Services services = FPrevious;
    services.messages = this;
    platform::InstallServices(services);
  }
  ~MessagesWithInputState() override { platform::InstallServices(FPrevious); }
  platform::MessageAnswer Show(QWidget* parent, const platform::MessageRequest& request) override {
    inputEnabled.push_back(FForm.tree->isEnabled() || FForm.pane2da->isEnabled() ||
                           FForm.File1->isEnabled() || FForm.Actions1->isEnabled() ||
                           FForm.mnuOpen->isEnabled());
    return FScripted.Show(parent, request);
  }
  std::vector<bool> inputEnabled;

 private:
  platform::MessageService& FScripted;
  quennet::TMainForm& FForm;
  platform::Services FPrevious;
};

class Quennet2daCompareTest : public Quennet2daTest {
 protected:
  void Write2daTable(const std::string& name, const std::vector<std::string>& columns,
                     const std::vector<std::vector<std::string>>& rows) {
    WriteFile(name, game_file_builders::TwoDaBuilder::Table(columns, rows).Build());
  }
  void ExpectPair(const std::string& original, const std::string& modified) {
    services.fileDialogs.Expect({PathOf(original)});
    services.fileDialogs.Expect({PathOf(modified)});
  }
  bool InputEnabled() const {
    return form->tree->isEnabled() && form->pane2da->isEnabled() && form->File1->isEnabled() &&
           form->Actions1->isEnabled() && form->mnuOpen->isEnabled();
  }
};

TEST_F(Quennet2daCompareTest, ComparesIntoTheShownFileAndSummarises) {
  Write2daTable("old.2da", {"label", "cost"}, {{"a", "1"}, {"b", "2"}});
  Write2daTable("new.2da", {"label", "cost", "x"},
                {{"a", "1", "7"}, {"b", "3", "8"}, {"c", "4", "9"}});
  const std::string text =
      kHead + Lines({"[2DAList]", "Table0=spells.2da", "[spells.2da]", "AddRow0=r", "[r]", "a=1"});
  OpenAndSelect(text, "spells.2da");
  ExpectPair("old.2da", "new.2da");
  services.messages.Expect(MessageKind::Information,
                           "Done comparing spells.2da files, found 1 new columns, 1 new rows and 1 "
                           "modified cells. Building modifiers...");
  MessagesWithInputState messages(services.messages, *form);
  form->btn2daCompare->click();
  EXPECT_EQ(std::vector<bool>{false}, messages.inputEnabled) << "the summary shows in that state";
  EXPECT_TRUE(InputEnabled());
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
  const std::vector<platform::FileDialogRequest> seen(services.fileDialogs.Seen().end() - 2,
                                                      services.fileDialogs.Seen().end());
  EXPECT_EQ("Select ORIGINAL 2DA file to compare against:", seen[0].title);
  EXPECT_EQ("Select MODIFIED 2DA file to compare against original.", seen[1].title);
  for (const auto& request : seen) {
    EXPECT_EQ("spells.2da", request.fileName);
    EXPECT_EQ("2DA file (*.2da)|*.2da", request.filter);
    EXPECT_EQ("2da", request.defaultExtension);
    EXPECT_TRUE(request.fileMustExist);
  }
  EXPECT_EQ(kHead + Lines({"[2DAList]",
                           "Table0=spells.2da",
                           "[spells.2da]",
                           "AddRow0=r",
                           "AddColumn0=spells_col_x_0",
                           "ChangeRow0=spells_mod_b_0",
                           "AddRow1=spells_row_c_0",
                           "[r]",
                           "a=1",
                           "[spells_col_x_0]",
                           "ColumnLabel=x",
                           "DefaultValue=****",
                           "I0=7",
                           "I1=8",
                           "I2=9",
                           "[spells_mod_b_0]",
                           "RowIndex=1",
                           "cost=3",
                           "[spells_row_c_0]",
                           "label=c",
                           "cost=4",
                           "x=9"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"AddRow0", "r"},
                  {"AddColumn0", "spells_col_x_0"},
                  {"ChangeRow0", "spells_mod_b_0"},
                  {"AddRow1", "spells_row_c_0"}}),
            ListRows());
}

// A row label holding "]" names sections changes.ini can hold; a padded cell is written
// and named in the warning after the summary.
TEST_F(Quennet2daCompareTest, LabelsAndCellsTheFileCannotHoldAsTheyStand) {
  Write2daTable("old.2da", {"label", "cost"}, {{"a]b", "1"}});
  Write2daTable("new.2da", {"label", "cost"}, {{"a]b", " 2 "}, {"c]", "3"}});
  const std::string text = kHead + Lines({"[2DAList]", "Table0=spells.2da"});
  OpenAndSelect(text, "spells.2da");
  ExpectPair("old.2da", "new.2da");
  services.messages.Expect(MessageKind::Information,
                           "Done comparing spells.2da files, found 0 new columns, 1 new rows and 1 "
                           "modified cells. Building modifiers...");
  services.messages.Expect(
      MessageKind::Warning,
      "These changes were written, but changes.ini reads them back "
      "otherwise:\nrow 0, column cost: blanks at either end are not read back");
  form->btn2daCompare->click();
  EXPECT_EQ(text + Lines({"[spells.2da]", "ChangeRow0=spells_mod_a_b_0", "AddRow0=spells_row_c__0",
                          "[spells_mod_a_b_0]", "RowIndex=0", "cost= 2 ", "[spells_row_c__0]",
                          "label=c]", "cost=3"}),
            ReadFile("changes.ini"));
  EXPECT_EQ((Rows{{"ChangeRow0", "spells_mod_a_b_0"}, {"AddRow0", "spells_row_c__0"}}), ListRows());
}

TEST_F(Quennet2daCompareTest, CancelOrAReaderFailureWritesNothing) {
  Write2da(PathOf("old.2da"), {"a"});
  WriteFile("broken.2da", "not a table");
  // A row count that reads as negative is refused by the reader.
  auto negative = game_file_builders::TwoDaBuilder::Table({"a"}, {});
  negative.rowCount = 0xFFFFFFFFu;
  WriteFile("negative.2da", negative.Build());
  const std::string text = kHead + Lines({"[2DAList]", "Table0=spells.2da"});
  OpenAndSelect(text, "spells.2da");
  services.fileDialogs.ExpectCancel();
  form->btn2daCompare->click();
  services.fileDialogs.Expect({PathOf("old.2da")});
  services.fileDialogs.ExpectCancel();
  form->btn2daCompare->click();
  for (const char* modified : {"broken.2da", "negative.2da"}) {
    SCOPED_TRACE(modified);
    ExpectPair("old.2da", modified);
    std::string readerError;
    try {
      T2DAHandler table;
      table.LoadFromFile(PathOf(modified));
    } catch (const EDead& error) {
      readerError = error.Message();
    }
    ASSERT_FALSE(readerError.empty());
    services.messages.Expect(MessageKind::Error, readerError);
    form->btn2daCompare->click();
    EXPECT_EQ(text, ReadFile("changes.ini"));
    EXPECT_TRUE(InputEnabled());
  }
}

// The compare is one write: when it fails, changes.ini stays as it was and no summary
// is shown.
TEST_F(Quennet2daCompareTest, AFailedWriteLeavesTheFileAsItWasAndShowsNoSummary) {
  Write2da(PathOf("old.2da"), {"a"});
  Write2da(PathOf("new.2da"), {"a", "b"});
  const std::string name = "changes.ini";
  const std::string text = kHead + Lines({"[2DAList]", "Table0=spells.2da"});
  std::ofstream(PathOf(name), std::ios::binary) << text;
  services.fileDialogs.Expect({PathOf(name)});
  form->mnuOpen->trigger();
  Select(form->node2da->child(0));
  ExpectPair("old.2da", "new.2da");
  services.messages.Expect(MessageKind::Error, "Unable to write to " + PathOf(name));
  // Every rewrite of the file fails.
  fault_injection::ScopedFault failingDisk({.call = fault_injection::Call::Fsync, .error = EIO});
  form->btn2daCompare->click();
  EXPECT_EQ(text, ReadFile(name));
  EXPECT_TRUE(InputEnabled());
  EXPECT_EQ(platform::CursorShape::Normal, services.cursor.Current());
}

TEST_F(Quennet2daCompareTest, WarningsShowWhileInputIsHeldOff) {
  Write2daTable("old.2da", {"a", "b"}, {{"1", "1"}, {"1", "1"}});
  Write2daTable("new.2da", {"a"}, {{"1"}});
  OpenAndSelect(kHead + Lines({"[2DAList]", "Table0=spells.2da"}), "spells.2da");
  ExpectPair("old.2da", "new.2da");
  services.messages.Expect(MessageKind::Warning,
                           "Original file contained more rows than the modified file. The extra "
                           "rows will be skipped.");
  services.messages.Expect(MessageKind::Warning,
                           "Original file contained more columns than the modified file. The "
                           "extra columns will be skipped.");
  services.messages.Expect(MessageKind::Information,
                           "Done comparing spells.2da files, found 0 new columns, 0 new rows and 0 "
                           "modified cells. Building modifiers...");
  MessagesWithInputState messages(services.messages, *form);
  form->btn2daCompare->click();
  EXPECT_EQ((std::vector<bool>{false, false, false}), messages.inputEnabled);
  EXPECT_TRUE(InputEnabled());
}

}  // namespace
}  // namespace quennet_testing
