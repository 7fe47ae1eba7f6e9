#include "platform/ui/FormParts.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace platform {
namespace {

TEST(FormPartsTest, HintIsStatusTipAndToolTip) {
  QPushButton* button = Hinted(MakeButton(nullptr, "btnGo", "&Go"), "Runs it.");
  EXPECT_EQ("btnGo", button->objectName().toStdString());
  EXPECT_EQ("Runs it.", button->statusTip().toStdString());
  EXPECT_EQ("Runs it.", button->toolTip().toStdString());
  delete button;
}

// A dialog's tool tip must not reach its window's status bar, which keeps its text.
TEST(FormPartsTest, ToolTipAloneLeavesTheStatusTipEmpty) {
  QWidget parent;
  QLineEdit* edit = WithToolTip(MakeEdit(&parent, "edVolume", "0"), "Volume variance.");
  EXPECT_EQ("edVolume", edit->objectName().toStdString());
  EXPECT_EQ("0", edit->text().toStdString());
  EXPECT_EQ("Volume variance.", edit->toolTip().toStdString());
  EXPECT_EQ("", edit->statusTip().toStdString());
  QCheckBox* box = WithToolTip(MakeCheckBox(&parent, "cbSound", "Sound present"), nullptr);
  EXPECT_EQ("Sound present", box->text().toStdString());
  EXPECT_EQ("", box->toolTip().toStdString());
}

TEST(FormPartsTest, HeadingIsLargerAndBold) {
  QWidget parent;
  QLabel* plain = MakeLabel(&parent, "lblPlain", "  two blanks");
  QLabel* heading = MakeHeading(&parent, "lblHeading", "Title");
  EXPECT_EQ("  two blanks", plain->text().toStdString());
  EXPECT_TRUE(heading->font().bold());
  EXPECT_GT(heading->font().pointSizeF(), plain->font().pointSizeF());
}

TEST(FormPartsTest, ButtonRowPutsTheButtonsRightInOrder) {
  QWidget parent;
  QPushButton* first = MakeButton(&parent, "a", "A");
  QPushButton* second = MakeButton(&parent, "b", "B");
  QHBoxLayout* row = ButtonRow(first, second);
  ASSERT_EQ(3, row->count());
  EXPECT_NE(nullptr, row->itemAt(0)->spacerItem());
  EXPECT_EQ(first, row->itemAt(1)->widget());
  EXPECT_EQ(second, row->itemAt(2)->widget());
  delete row;
}

TEST(FormPartsTest, IgnoredEscapeLeavesTheDialogOpen) {
  QDialog plain;
  QDialog ignoring;
  IgnoreEscape(&ignoring);
  for (QDialog* dialog : {&plain, &ignoring}) {
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(MakeButton(dialog, "btnOK", "OK"));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    QTest::keyClick(dialog, Qt::Key_Escape);
  }
  EXPECT_FALSE(plain.isVisible()) << "a dialog closes on Esc by default";
  EXPECT_TRUE(ignoring.isVisible());
}

TEST(FormPartsTest, FixedSizeAtLeastTheDesignedSize) {
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(MakeLabel(&dialog, "lbl", "text"));
  FixSizeAtLeast(&dialog, 460, 10);
  EXPECT_EQ(460, dialog.width());
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_GE(dialog.height(), dialog.sizeHint().height());
}

}  // namespace
}  // namespace platform
