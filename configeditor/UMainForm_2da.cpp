// The 2DA side of the main window: "[2DAList]", the 2DA file nodes of the tree and
// the modifier list of the shown file (pane2da).
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/UIcons.h"
#include "configeditor/UMainForm.h"
#include "platform/ui/StringGrid.h"

namespace quennet {

namespace {

template <typename Button>
Button* NewPaneButton(QWidget* parent, const char* name, const char* hint) {
  auto* button = new Button(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setStatusTip(QString::fromLatin1(hint));
  button->setToolTip(QString::fromLatin1(hint));
  return button;
}

QPushButton* NewTextButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
  auto* button = NewPaneButton<QPushButton>(parent, name, hint);
  button->setText(QString::fromLatin1(caption));
  return button;
}

QToolButton* NewImageButton(QWidget* parent, const char* name, TButtonImage image, const char* hint) {
  auto* button = NewPaneButton<QToolButton>(parent, name, hint);
  button->setIcon(ButtonImage(image));
  button->setAutoRaise(true);
  return button;
}

}  // namespace

QWidget* TMainForm::Create2daPane() {
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("pane2da"));
  lbl2daHeading = new QLabel(QStringLiteral("2DA Modifications"), pane);
  lbl2daHeading->setObjectName(QStringLiteral("lbl2daHeading"));
  QFont large = lbl2daHeading->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  lbl2daHeading->setFont(large);
  lbl2daLabel1 = new QLabel(pane);
  lbl2daLabel1->setObjectName(QStringLiteral("lbl2daLabel1"));

  grid2daMod = new platform::StringGrid(pane);
  grid2daMod->setObjectName(QStringLiteral("grid2daMod"));
  grid2daMod->setStatusTip(QStringLiteral("Doubleclick to edit the selected 2DA modifier in the list."));
  grid2daMod->setToolTip(grid2daMod->statusTip());
  grid2daMod->SetColCount(2);
  grid2daMod->SetRowCount(1);
  grid2daMod->SetFixedRows(0);
  grid2daMod->SetFixedCols(0);
  grid2daMod->SetDefaultRowHeight(16);
  grid2daMod->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid2daMod->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid2daMod->SetColWidth(0, 82);
  grid2daMod->horizontalHeader()->setStretchLastSection(true);

  btn2daAddRow = NewTextButton(pane, "btn2daAddRow", "Add line to 2da",
                               "Create a modifier for adding a new row to the 2DA file.");
  btn2daModify = NewTextButton(pane, "btn2daModify", "Modify line in 2da",
                               "Create a modifier for changing values of an existing 2DA row.");
  btn2daCopy = NewTextButton(pane, "btn2daCopy", "Copy line in 2da",
                             "Create a modifier to add a new row to the 2DA file, using an existing row as a template.");
  btn2daNewCol = NewTextButton(pane, "btn2daNewCol", "Add column to 2da",
                               "Create a modifier for adding a new column to the 2DA file.");
  btnCopy2daMod = NewImageButton(pane, "btnCopy2daMod", TButtonImage::Copy,
                                 "Make a copy of the selected 2da modifier in the list.");
  btn2daCompare = NewImageButton(pane, "btn2daCompare", TButtonImage::Compare,
                                 "Compare two 2DA files and manufacture Modifiers of the differences...");
  btn2daDelete = NewImageButton(pane, "btn2daDelete", TButtonImage::Delete,
                                "Delete selected 2da row/column modification.");

  auto* images = new QVBoxLayout;
  images->addWidget(btnCopy2daMod);
  images->addWidget(btn2daCompare);
  images->addStretch(1);
  images->addWidget(btn2daDelete);
  auto* list = new QHBoxLayout;
  list->addWidget(grid2daMod, 1);
  list->addLayout(images);
  auto* buttons = new QGridLayout;
  buttons->addWidget(btn2daAddRow, 0, 0);
  buttons->addWidget(btn2daModify, 0, 1);
  buttons->addWidget(btn2daCopy, 1, 0);
  buttons->addWidget(btn2daNewCol, 1, 1);

  auto* column = new QVBoxLayout(pane);
  column->addWidget(lbl2daHeading);
  column->addWidget(lbl2daLabel1);
  column->addLayout(list, 1);
  column->addLayout(buttons);
  return pane;
}

void TMainForm::Reset2daPane() {
  grid2daMod->SetRows({{"", ""}});
}

void TMainForm::Add2dafile1Click() {}

void TMainForm::Delete2dafile1Click() {}

void TMainForm::Load2daModifiers(const std::string& fileName) { CurrentSection = fileName; }

}  // namespace quennet
