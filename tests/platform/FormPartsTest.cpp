#include "platform/ui/FormParts.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
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
