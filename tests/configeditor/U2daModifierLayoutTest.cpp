// The layout of the four 2DA modifier dialogs at this platform's font: the key column,
// the boxes of the input groups and the dialog's size take what their texts need, and
// at a font smaller than the designed sizes fit, the spare width goes to the boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "configeditor/modifiers/UAddColForm.h"
#include "configeditor/modifiers/UChange2daRowForm.h"
#include "configeditor/modifiers/UCopy2daRowForm.h"
#include "configeditor/modifiers/UMod2DARowForm.h"
#include "configeditor/parts/UDropDownCombo.h"
#include "platform/ui/StringGrid.h"
#include "tests/configeditor/ModifierDialogFixture.h"

namespace quennet {
namespace {

using modifier_testing::Lines;

// Keys of every kind of list: identifiers, settings, tokens and a long column label.
const std::string kLongKeys =
    Lines({"[2DAList]", "Table0=appearance.2da", "[m]", "RowIndex=0", "ColumnLabel=c",
           "DefaultValue=d", "2DAMEMORY1=x", "ChangeRow10=y"});

// The width a key needs in the grid: its text and the cell's margins.
int NeededKeyWidth(const platform::StringGrid& grid, const char* key) {
  const int margins = 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  return QFontMetrics(grid.font()).horizontalAdvance(QString::fromLatin1(key)) + margins;
}

QRect GeometryIn(const QWidget& dialog, const QWidget& child) {
  return QRect(child.mapTo(&dialog, QPoint(0, 0)), child.size());
}

template <typename Dialog>
class ModifierDialogLayoutTest : public modifier_testing::ModifierDialogTest<Dialog> {
 protected:
  void OpenWithOpenerTexts(const std::string& text) {
    this->dialog.SetOpenerTexts({" Set line to modify ", " Change column value ", "Modify 2DA line",
                                 "Modified column values for line:"});
    this->Open(text);
  }
};

using Dialogs = testing::Types<TMod2DARowForm, TChange2daForm, TCopy2daForm, TAdd2daColForm>;
TYPED_TEST_SUITE(ModifierDialogLayoutTest, Dialogs);

TYPED_TEST(ModifierDialogLayoutTest, KeyColumnTakesTheWidthOfItsLongestKey) {
  this->OpenWithOpenerTexts(kLongKeys);
  const platform::StringGrid& grid = *this->dialog.grid2daMod;
  for (const char* key : {"2DAMEMORY1", "ChangeRow10"}) {
    ASSERT_GE(grid.FindRow(0, key), 0) << key;
    EXPECT_GE(grid.ColWidth(0), NeededKeyWidth(grid, key)) << key;
  }
  EXPECT_GE(grid.ColWidth(0), 82);
}

TYPED_TEST(ModifierDialogLayoutTest, InitialSizeFitsItsContents) {
  this->OpenWithOpenerTexts(kLongKeys);
  TypeParam& dialog = this->dialog;
  EXPECT_GE(dialog.width(), 640);
  EXPECT_GE(dialog.height(), 400);
  for (QWidget* control : dialog.template findChildren<QWidget*>()) {
    if (!control->isVisible()) continue;
    if (!qobject_cast<QLabel*>(control) && !qobject_cast<QComboBox*>(control) &&
        !qobject_cast<QLineEdit*>(control) && !qobject_cast<QAbstractButton*>(control)) {
      continue;
    }
    SCOPED_TRACE(control->objectName().toStdString() + " " +
                 control->property("text").toString().toStdString());
    EXPECT_GE(control->width(), control->sizeHint().width());
    EXPECT_TRUE(dialog.rect().contains(GeometryIn(dialog, *control)));
  }
}

// The designed sizes are more than a small font needs: the dialog keeps them, and
// what its contents do not need widens the boxes, not empty space.
template <typename Dialog>
class SmallFontLayoutTest : public ModifierDialogLayoutTest<Dialog> {
 public:
  static void SetUpTestSuite() {
    FNormalFont = QApplication::font();
    QFont small = FNormalFont;
    small.setPointSizeF(FNormalFont.pointSizeF() * 0.6);
    QApplication::setFont(small);
  }
  static void TearDownTestSuite() { QApplication::setFont(FNormalFont); }

 private:
  static inline QFont FNormalFont;
};
TYPED_TEST_SUITE(SmallFontLayoutTest, Dialogs);

TYPED_TEST(SmallFontLayoutTest, SpareWidthGoesToTheBoxes) {
  this->OpenWithOpenerTexts(kLongKeys);
  TypeParam& dialog = this->dialog;
  const QRect inside = dialog.rect().marginsRemoved(dialog.layout()->contentsMargins());
  const QRect grid = GeometryIn(dialog, *dialog.grid2daMod);
  EXPECT_GE(grid.right(), inside.right()) << "no empty space beside the list";
  EXPECT_GE(grid.bottom(), inside.bottom()) << "no empty space below the list";
  for (QGroupBox* group : dialog.template findChildren<QGroupBox*>()) {
    SCOPED_TRACE(group->objectName().toStdString());
    const QRect room = group->contentsRect().marginsRemoved(group->layout()->contentsMargins());
    int right = 0;
    for (QWidget* part : group->template findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (part->isVisible()) right = std::max(right, part->geometry().right());
    }
    EXPECT_GE(right, room.right()) << "the boxes fill their group";
  }
}

class AddRowLayoutTest : public modifier_testing::ModifierDialogTest<TMod2DARowForm> {};

TEST_F(AddRowLayoutTest, StoringALongKeyWidensTheKeyColumn) {
  Open(Lines({"[2DAList]", "Table0=appearance.2da", "[m]"}));
  Store("2DAMEMORY12", "RowLabel");
  const platform::StringGrid& grid = *dialog.grid2daMod;
  ASSERT_EQ("2DAMEMORY12", grid.Cell(0, 0));
  EXPECT_GE(grid.ColWidth(0), NeededKeyWidth(grid, "2DAMEMORY12"));
}

}  // namespace
}  // namespace quennet
