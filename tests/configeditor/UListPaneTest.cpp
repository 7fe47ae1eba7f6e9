// The keyboard and mouse contract that every list pane of the main window shares, as
// one table of panes and one of keys: with exactly Ctrl and Shift held, Up in an entry
// box stores, Down in the list takes the row it was pressed on into the boxes, a
// double click takes its row; other modifiers and a hidden pane do nothing.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "configeditor/parts/UDropDownCombo.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/QuennetFixture.h"
#include "tests/support/Widgets.h"

namespace quennet_testing {
namespace {

using modifier_testing::Lines;
using quennet::TMainForm;

const std::string kHead = Lines({"[Settings]", "FileExists=1"});
const Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

std::string TextOf(const QLineEdit* box) { return box->text().toStdString(); }
std::string TextOf(const QComboBox* box) { return box->currentText().toStdString(); }

struct ListPane {
  const char* name;
  std::string file;
  std::function<QTreeWidgetItem*(TMainForm&)> node;
  std::function<platform::StringGrid*(TMainForm&)> list;
  // The first row of the list that holds an entry.
  int firstRow;
  std::function<QWidget*(TMainForm&)> entryBox;
  // Fills the boxes with an entry that is not listed yet.
  std::function<void(TMainForm&)> typeEntry;
  // The box that shows which row was taken, emptied before each key.
  std::function<std::string(TMainForm&)> taken;
  std::function<void(TMainForm&)> emptyTaken;
  std::string firstRowText;
  std::string secondRowText;
};

enum class Target { List, EntryBox };
enum class Outcome { TakesFirstRow, TakesSecondRow, Stores, Nothing };

struct Key {
  const char* name;
  Target target;
  int key;
  Qt::KeyboardModifiers modifiers;
  bool paneShown;
  Outcome outcome;
};

const Key kKeys[] = {
    {"Ctrl+Shift+Down in the list", Target::List, Qt::Key_Down, kCtrlShift, true,
     Outcome::TakesFirstRow},
    {"a double click on the second row", Target::List, 0, {}, true, Outcome::TakesSecondRow},
    {"Ctrl+Alt+Shift+Down in the list", Target::List, Qt::Key_Down, kCtrlShift | Qt::AltModifier,
     true, Outcome::Nothing},
    {"Ctrl+Down in the list", Target::List, Qt::Key_Down, Qt::ControlModifier, true,
     Outcome::Nothing},
    {"Ctrl+Shift+Up in the entry box", Target::EntryBox, Qt::Key_Up, kCtrlShift, true,
     Outcome::Stores},
    {"Ctrl+Alt+Shift+Up in the entry box", Target::EntryBox, Qt::Key_Up,
     kCtrlShift | Qt::AltModifier, true, Outcome::Nothing},
    {"Ctrl+Shift+Down while another pane shows", Target::List, Qt::Key_Down, kCtrlShift, false,
     Outcome::Nothing},
    {"Ctrl+Shift+Up while another pane shows", Target::EntryBox, Qt::Key_Up, kCtrlShift, false,
     Outcome::Nothing},
};

const std::vector<ListPane>& Panes() {
  static const std::vector<ListPane> panes = {
      {"install list",
       kHead + Lines({"[InstallList]", "install_folder0=override", "[install_folder0]",
                      "File0=a.2da", "File1=b.2da"}),
       [](TMainForm& f) { return f.nodeInstall; }, [](TMainForm& f) { return f.gridInstall; }, 0,
       [](TMainForm& f) { return f.edFileName; },
       [](TMainForm& f) {
         f.edFolderName->setText("override");
         f.edFileName->setText("c.2da");
       },
       [](TMainForm& f) { return TextOf(f.edFileName); },
       [](TMainForm& f) { f.edFileName->clear(); }, "a.2da", "b.2da"},
      {"compile list", kHead + Lines({"[CompileList]", "File0=a.nss", "File1=b.nss"}),
       [](TMainForm& f) { return f.nodeScript; }, [](TMainForm& f) { return f.gridScript; }, 0,
       [](TMainForm& f) { return f.edScriptDest; },
       [](TMainForm& f) { f.edScriptName->setText("c.nss"); },
       [](TMainForm& f) { return TextOf(f.edScriptName); },
       [](TMainForm& f) { f.edScriptName->clear(); }, "a.nss", "b.nss"},
      {"GFF field changes",
       kHead + Lines({"[GFFList]", "File0=p.utc", "[p.utc]", "Tag=abc", "Name=x"}),
       [](TMainForm& f) { return f.nodeGff->child(0); }, [](TMainForm& f) { return f.gridGffMod; },
       0, [](TMainForm& f) { return f.cbGffValue; },
       [](TMainForm& f) {
         f.edGffField->setEditText("Comment");
         f.cbGffValue->setEditText("y");
       },
       [](TMainForm& f) { return TextOf(f.edGffField); },
       [](TMainForm& f) { f.edGffField->setEditText(""); }, "Tag", "Name"},
      {"soundset entries",
       kHead + Lines({"[SSFList]", "File0=a.ssf", "[a.ssf]", "Death=1", "Search=7"}),
       [](TMainForm& f) { return f.nodeSsf->child(0); }, [](TMainForm& f) { return f.gridSSF; }, 1,
       [](TMainForm& f) { return f.cbSSFValue; },
       [](TMainForm& f) {
         f.cbSSFEntry->setCurrentText("Pain 1");
         f.cbSSFValue->setEditText("42");
       },
       [](TMainForm& f) { return TextOf(f.cbSSFEntry); },
       [](TMainForm& f) { f.cbSSFEntry->setCurrentIndex(-1); }, "Death", "Search"},
  };
  return panes;
}

class QuennetListPaneTest : public QuennetWindowTest {
 protected:
  void Press(const ListPane& pane, const Key& key) {
    platform::StringGrid& list = *pane.list(*form);
    if (key.key == 0) {
      // The second entry's row of the view (a fixed first row is the view's header).
      testing_support::DoubleClickRow(list, 1);
      return;
    }
    QWidget* target = key.target == Target::List ? &list : pane.entryBox(*form);
    QTest::keyClick(target, static_cast<Qt::Key>(key.key), key.modifiers);
  }
};

TEST_F(QuennetListPaneTest, EveryListPaneKeepsTheKeyboardContract) {
  for (const ListPane& pane : Panes()) {
    for (const Key& key : kKeys) {
      SCOPED_TRACE(std::string(pane.name) + ", " + key.name);
      OpenFile(pane.file);
      Select(pane.node(*form));
      pane.list(*form)->SetRow(pane.firstRow);
      if (key.target == Target::EntryBox) {
        pane.typeEntry(*form);
      } else {
        pane.emptyTaken(*form);
      }
      if (!key.paneShown) Select(form->nodeSettings);
      Press(pane, key);
      const bool stored = ReadFile("changes.ini") != pane.file;
      EXPECT_EQ(key.outcome == Outcome::Stores, stored);
      if (key.target == Target::EntryBox) continue;
      const std::string taken = pane.taken(*form);
      switch (key.outcome) {
        case Outcome::TakesFirstRow:
          EXPECT_EQ(pane.firstRowText, taken);
          EXPECT_EQ(pane.firstRow, pane.list(*form)->Row()) << "the press kept the row";
          break;
        case Outcome::TakesSecondRow:
          EXPECT_EQ(pane.secondRowText, taken);
          break;
        case Outcome::Nothing:
          EXPECT_EQ("", taken);
          break;
        case Outcome::Stores:
          break;
      }
    }
  }
}

}  // namespace
}  // namespace quennet_testing
