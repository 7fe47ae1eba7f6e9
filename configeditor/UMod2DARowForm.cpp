#include "configeditor/UMod2DARowForm.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/UConventions.h"
#include "configeditor/UDropDownCombo.h"
#include "configeditor/UIcons.h"
#include "platform/ui/Application.h"
#include "platform/ui/StringGrid.h"

namespace quennet {

namespace {

constexpr char kLabelsHint[] = "Load column labels from 2da file into Column dropdown list.";
constexpr char kColumnHint[] =
    "Name of the column to assign a value to, or 2DAMEMORY token to assign column value to.";
constexpr char kValueHint[] = "Value or token value to assign to selected column.";
constexpr char kExclusiveHint[] =
    "Label of column whose value must be unique in this 2DA file for the line to be added "
    "instead of modified.";

const char* const kExplanation[] = {
    "If you set the Column label to 2DAMEMORY followed",
    "by a memory slot number, and then set the Value to",
    "the label of a column, the value in that column in the 2da",
    "will be stored. It can then be assigned to another column in",
    "any file. Useful for storing the line number of new rows and",
    "inserting that number in another file.",
    "",
    "2DAMEMORY slots with a value previously assigned to ",
    "them show up in the Token List of the Value box below.",
};

void SetHint(QWidget* widget, const char* hint) {
  widget->setStatusTip(QString::fromLatin1(hint));
  widget->setToolTip(widget->statusTip());
}

QToolButton* NewImageButton(QWidget* parent, const char* name, TButtonImage image,
                            const char* hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(ButtonImage(image));
  SetHint(button, hint);
  return button;
}

QLabel* NewHintedLabel(QWidget* parent, const char* text, const char* hint) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  SetHint(label, hint);
  return label;
}

}  // namespace

TMod2DARowForm::TMod2DARowForm(QWidget* parent) : T2daModifierForm(parent, "TMod2DARowForm") {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(CreateInputSide());
  layout->addWidget(CreateListSide(), 1);
  BindBoxes(cbColLabel, cbColValue, cbExclusiveLabel, {"high()"});
  ConnectHandlers();
  setFixedSize(sizeHint().expandedTo(QSize(640, 400)));
}

QWidget* TMod2DARowForm::CreateInputSide() {
  auto* side = new QWidget(this);
  lblHeadline = new QLabel(QStringLiteral("Add 2DA line"), side);
  lblHeadline->setObjectName(QStringLiteral("lblHeadline"));
  QFont large = lblHeadline->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  lblHeadline->setFont(large);
  lblHeadline->setEnabled(false);

  GroupBox1 = new QGroupBox(QStringLiteral("Label of Exclusive column"), side);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  cbExclusiveLabel = new QComboBox(GroupBox1);
  MakeEditable(*cbExclusiveLabel, "cbExclusiveLabel", kExclusiveHint);
  btnLoad2da = NewImageButton(GroupBox1, "btnLoad2da", TButtonImage::Open, kLabelsHint);
  auto* exclusive = new QGridLayout(GroupBox1);
  exclusive->addWidget(NewHintedLabel(GroupBox1, "Column:", kExclusiveHint), 0, 0);
  exclusive->addWidget(cbExclusiveLabel, 0, 1);
  exclusive->addWidget(btnLoad2da, 0, 2);

  GroupBox2 = new QGroupBox(QStringLiteral("Set column value "), side);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  cbColLabel = new QComboBox(GroupBox2);
  MakeEditable(*cbColLabel, "cbColLabel", kColumnHint);
  btnOpen2da = NewImageButton(GroupBox2, "btnOpen2da", TButtonImage::Open, kLabelsHint);
  cbColValue = new TDropDownCombo(GroupBox2);
  MakeEditable(*cbColValue, "cbColValue", kValueHint);
  auto* values = new QGridLayout(GroupBox2);
  values->addWidget(NewHintedLabel(GroupBox2, "Column:", kColumnHint), 0, 0);
  values->addWidget(cbColLabel, 0, 1);
  values->addWidget(btnOpen2da, 0, 2);
  values->addWidget(NewHintedLabel(GroupBox2, "Value:", kValueHint), 1, 0);
  values->addWidget(cbColValue, 1, 1);

  Button1 = new QPushButton(QStringLiteral("&Close"), side);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  SetHint(Button1, "Close this window.");

  auto* column = new QVBoxLayout(side);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(lblHeadline);
  for (const char* line : kExplanation)
    column->addWidget(new QLabel(QString::fromLatin1(line), side));
  column->addWidget(GroupBox1);
  column->addWidget(GroupBox2);
  column->addStretch(1);
  column->addWidget(Button1, 0, Qt::AlignLeft);
  return side;
}

QWidget* TMod2DARowForm::CreateListSide() {
  auto* side = new QWidget(this);
  lblGridHeading = new QLabel(QStringLiteral("Column values for line:"), side);
  lblGridHeading->setObjectName(QStringLiteral("lblGridHeading"));
  btnDelColValue =
      NewImageButton(side, "btnDelColValue", TButtonImage::Delete, "Delete selected column value.");
  btnAddToList =
      NewImageButton(side, "btnAddToList", TButtonImage::Add, "Store this modified column value.");
  btnEditColValue = NewImageButton(side, "btnEditColValue", TButtonImage::Edit,
                                   "Edit the selected column value.");
  grid2daMod->setParent(side);
  grid2daMod->setFixedSize(300, 330);

  auto* heading = new QHBoxLayout;
  heading->addWidget(lblGridHeading, 1);
  heading->addWidget(btnDelColValue);
  auto* buttons = new QVBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnAddToList);
  buttons->addWidget(btnEditColValue);
  buttons->addStretch(1);
  auto* list = new QVBoxLayout;
  list->addLayout(heading);
  list->addWidget(grid2daMod);
  auto* layout = new QHBoxLayout(side);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addLayout(list, 1);
  return side;
}

void TMod2DARowForm::ConnectHandlers() {
  platform::Connect(btnAddToList, &QToolButton::clicked, this, [this] { btnAddToListClick(); });
  platform::Connect(btnEditColValue, &QToolButton::clicked, this,
                    [this] { btnEditColValueClick(); });
  platform::Connect(btnDelColValue, &QToolButton::clicked, this, [this] { btnDelColValueClick(); });
  platform::Connect(btnOpen2da, &QToolButton::clicked, this,
                    [this] { btnOpen2daClick(btnOpen2da); });
  platform::Connect(btnLoad2da, &QToolButton::clicked, this,
                    [this] { btnOpen2daClick(btnLoad2da); });
  platform::Connect(grid2daMod, &QAbstractItemView::doubleClicked, this,
                    [this] { grid2daModDblClick(); });
  platform::Connect(Button1, &QPushButton::clicked, this, [this] { accept(); });
  OnCtrlShiftKeyRelease(cbColLabel, Qt::Key_Right, [this] { cbColLabelKeyUp(); });
  OnCtrlShiftKeyRelease(cbColValue, Qt::Key_Right, [this] { cbColValueKeyUp(); });
  OnCtrlShiftKeyRelease(grid2daMod, Qt::Key_Left, [this] { grid2daModKeyUp(); });
}

void TMod2DARowForm::LoadModifier() {
  CommonLoadSteps();
  // The boxes keep the labels of the same 2DA file from an earlier use.
  if (FileName2da() != LoadedColumnsFile()) {
    ResetColumnBoxes();
    LoadColumnLabels(false, nullptr, "RowLabel");
  }
  ShowExclusiveColumn();
  ListKeys(IniFile()->ReadSection(ModifierSection()),
           [](const std::string& key) { return key == "ExclusiveColumn"; });
}

void TMod2DARowForm::btnAddToListClick() { StoreColumnValue(); }
void TMod2DARowForm::cbColLabelKeyUp() { StoreColumnValue(); }
void TMod2DARowForm::cbColValueKeyUp() { StoreColumnValue(); }
void TMod2DARowForm::btnEditColValueClick() { EditColumnValue(); }
void TMod2DARowForm::grid2daModDblClick() { EditColumnValue(); }
void TMod2DARowForm::grid2daModKeyUp() { EditColumnValue(); }
void TMod2DARowForm::btnDelColValueClick() { DeleteColumnValue(); }
void TMod2DARowForm::btnOpen2daClick(QWidget* asker) { LoadColumnLabels(true, asker, "RowLabel"); }

}  // namespace quennet
