#include "configeditor/UMod2DARowForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "configeditor/UConventions.h"
#include "configeditor/UDropDownCombo.h"
#include "platform/ui/Application.h"

namespace quennet {

namespace {

constexpr char kLabelsHint[] = "Load column labels from 2da file into Column dropdown list.";
constexpr char kColumnHint[] =
    "Name of the column to assign a value to, or 2DAMEMORY token to assign column value to.";
constexpr char kValueHint[] = "Value or token value to assign to selected column.";
constexpr char kExclusiveHint[] =
    "Label of column whose value must be unique in this 2DA file for the line to be added "
    "instead of modified.";

TModifierDialogLayout AddRowLayout() {
  return {"Add 2DA line",
          RowExplanation("any file. Useful for storing the line number of new rows and",
                         "inserting that number in another file."),
          "Column values for line:",
          "Store this modified column value.",
          "Edit the selected column value.",
          "btnDelColValue",
          "Button1",
          "Close this window."};
}

}  // namespace

TMod2DARowForm::TMod2DARowForm(QWidget* parent)
    : T2daModifierForm(parent, "TMod2DARowForm", AddRowLayout()),
      btnDelColValue(&DeleteButton()),
      Button1(&CloseButton()) {
  CreateGroups();
  BindValueBox(*cbColValue, {"high()"});
  FLabels =
      std::make_unique<TExclusiveColumnLabels>(*this, *cbColLabel, *cbExclusiveLabel, "RowLabel");
  platform::Connect(btnOpen2da, &QToolButton::clicked, this,
                    [this] { btnOpen2daClick(btnOpen2da); });
  platform::Connect(btnLoad2da, &QToolButton::clicked, this,
                    [this] { btnOpen2daClick(btnLoad2da); });
  OnCtrlShiftKeyRelease(cbColLabel, Qt::Key_Right, [this] { btnAddToListClick(); });
  OnCtrlShiftKeyRelease(cbColValue, Qt::Key_Right, [this] { btnAddToListClick(); });
  FixSize(QSize(640, 400));
}

TMod2DARowForm::~TMod2DARowForm() = default;

void TMod2DARowForm::CreateGroups() {
  GroupBox1 = new QGroupBox(QStringLiteral("Label of Exclusive column"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  cbExclusiveLabel = new QComboBox(GroupBox1);
  MakeEditable(*cbExclusiveLabel, "cbExclusiveLabel", kExclusiveHint);
  btnLoad2da = NewImageButton(GroupBox1, "btnLoad2da", TButtonImage::Open, kLabelsHint);
  auto* exclusive = new QGridLayout(GroupBox1);
  exclusive->addWidget(NewHintedLabel(GroupBox1, "Column:", kExclusiveHint), 0, 0);
  exclusive->addWidget(cbExclusiveLabel, 0, 1);
  exclusive->addWidget(btnLoad2da, 0, 2);
  AddInputPart(GroupBox1);

  GroupBox2 = new QGroupBox(QStringLiteral("Set column value "), this);
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
  AddInputPart(GroupBox2);
}

void TMod2DARowForm::LoadModifier() {
  CommonLoadSteps();
  // The boxes keep the labels of the same 2DA file from an earlier use.
  if (FLabels->ResetForAnotherFile()) FLabels->LoadSilently();
  FLabels->ShowExclusiveColumn();
  ListKeys(IniFile()->ReadSection(ModifierSection()),
           [](const std::string& key) { return key == "ExclusiveColumn"; });
}

void TMod2DARowForm::ForgetColumnLabels() { FLabels->Forget(); }

void TMod2DARowForm::btnAddToListClick() { StoreColumnValue(*cbColLabel); }
void TMod2DARowForm::btnEditColValueClick() { EditColumnValue(*cbColLabel); }
void TMod2DARowForm::btnOpen2daClick(QWidget* asker) { FLabels->Load(true, asker); }

}  // namespace quennet
