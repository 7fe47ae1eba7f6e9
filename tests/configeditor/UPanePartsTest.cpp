// The parts of Quennet's panes: the key/value grid's column rule, editable
// drop-downs, the loaded-list colour, file nodes and the Ctrl+Shift keys.
#include "configeditor/parts/UPaneParts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "platform/Exceptions.h"
#include "platform/ui/Application.h"
#include "platform/ui/StringGrid.h"
#include "tests/support/FakeServices.h"

namespace quennet {
namespace {

TEST(PanePartsTest, KeyColumnIsAMinimumThatGrowsWithItsTexts) {
  QWidget pane;
  platform::StringGrid* grid = NewKeyValueGrid(&pane, "grid", "Doubleclick to edit.");
  grid->resize(400, 200);
  EXPECT_EQ("Doubleclick to edit.", grid->statusTip().toStdString());
  EXPECT_EQ("Doubleclick to edit.", grid->toolTip().toStdString());

  grid->SetRows({{"A0", "x"}});
  SetKeyValueColumns(*grid, 82);
  EXPECT_EQ(82, grid->ColWidth(0));
  EXPECT_EQ(400 - 82 - 6, grid->ColWidth(1));

  const std::string longKey = "2DAMEMORY1234567890";
  grid->SetRows({{"A0", "x"}, {longKey, "y"}});
  SetKeyValueColumns(*grid, 82);
  const int needed = grid->fontMetrics().horizontalAdvance(QString::fromStdString(longKey));
  EXPECT_GT(grid->ColWidth(0), needed);
  EXPECT_EQ(400 - grid->ColWidth(0) - 6, grid->ColWidth(1));
}

TEST(PanePartsTest, EditableComboKeepsWhatIsTyped) {
  QComboBox* box = NewEditableCombo(nullptr, "cbValue", "The value.");
  box->show();
  QTest::keyClicks(box->lineEdit(), QStringLiteral("StrRef"));
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(0, box->count()) << "Enter adds nothing to the list";
  ReplaceComboItems(*box, {"StrRef0", "StrRef1"});
  EXPECT_EQ("StrRef", box->currentText().toStdString());
  EXPECT_EQ(2, box->count());
  delete box;
}

TEST(PanePartsTest, LoadedListColourComesAndGoes) {
  QComboBox box;
  const QColor normal = box.palette().color(QPalette::Base);
  MarkLoaded(box, true);
  EXPECT_EQ(kLoadedListColour, box.palette().color(QPalette::Base));
  MarkLoaded(box, false);
  EXPECT_EQ(normal, box.palette().color(QPalette::Base));
}

TEST(PanePartsTest, FileNodesGoLastWithTheirIcon) {
  QTreeWidget tree;
  auto* category = new QTreeWidgetItem(&tree);
  AddFileNode(category, "a.2da");
  QTreeWidgetItem* node = AddFileNode(category, "b.2da");
  EXPECT_EQ(node, category->child(1));
  EXPECT_EQ("b.2da", node->text(0).toStdString());
  EXPECT_FALSE(node->icon(0).isNull());
}

TEST(PanePartsTest, CtrlShiftKeysActOnReleaseWithExactlyCtrlAndShift) {
  struct Case {
    QEvent::Type type;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool autoRepeat;
    bool expected;
  };
  const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
  const Case cases[] = {
      {QEvent::KeyRelease, Qt::Key_Up, ctrlShift, false, true},
      {QEvent::KeyRelease, Qt::Key_Up, ctrlShift | Qt::KeypadModifier, false, true},
      {QEvent::KeyPress, Qt::Key_Up, ctrlShift, false, false},
      {QEvent::KeyRelease, Qt::Key_Down, ctrlShift, false, false},
      {QEvent::KeyRelease, Qt::Key_Up, Qt::ControlModifier, false, false},
      {QEvent::KeyRelease, Qt::Key_Up, Qt::ShiftModifier, false, false},
      {QEvent::KeyRelease, Qt::Key_Up, ctrlShift | Qt::AltModifier, false, false},
      {QEvent::KeyRelease, Qt::Key_Up, ctrlShift, true, false},
  };
  for (const Case& c : cases) {
    QKeyEvent event(c.type, c.key, c.modifiers, QString(), c.autoRepeat);
    EXPECT_EQ(c.expected, quennet::IsCtrlShiftKeyRelease(event, Qt::Key_Up))
        << c.type << " " << c.key << " " << c.modifiers.toInt() << " " << c.autoRepeat;
  }
}

TEST(PanePartsTest, CtrlShiftKeyHandlerRunsGuardedOnRelease) {
  platform::SetApplicationTitle("Quennet");
  testing_support::ScopedFakeServices services;
  QLineEdit edit;
  int runs = 0;
  quennet::OnCtrlShiftKeyRelease(&edit, Qt::Key_Up, [&runs] {
    ++runs;
    throw platform::Exception("Stored nothing.");
  });
  services.messages.Expect(platform::MessageKind::Error, "Stored nothing.");
  QTest::keyClick(&edit, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(&edit, Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(&edit, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(1, runs);
  EXPECT_EQ("Quennet", services.messages.Seen().at(0).caption);
}

// QComboBox drops an editable box's typed text on clear() and on the first addItem().
TEST(PanePartsTest, ReplacingItemsKeepsTheTypedText) {
  QComboBox box;
  box.setEditable(true);
  box.addItem(QStringLiteral("old"));
  box.setEditText(QStringLiteral("2DAMEMORY4"));
  quennet::ReplaceComboItems(box, {"StrRef0", "StrRef1"});
  EXPECT_EQ("2DAMEMORY4", box.currentText().toStdString());
  EXPECT_EQ(2, box.count());
  box.setEditText(QString());
  quennet::ReplaceComboItems(box, {"a"});
  EXPECT_EQ("", box.currentText().toStdString());

  QComboBox list;
  quennet::ReplaceComboItems(list, {"x", "y"});
  EXPECT_EQ("x", list.currentText().toStdString());
}

}  // namespace
}  // namespace quennet
