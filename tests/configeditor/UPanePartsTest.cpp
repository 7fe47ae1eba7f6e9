// The parts of the main window's panes: the key/value grid's column rule, editable
// drop-downs, the loaded-list colour and file nodes.
#include "configeditor/parts/UPaneParts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "configeditor/parts/UConventions.h"
#include "platform/ui/StringGrid.h"

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

}  // namespace
}  // namespace quennet
