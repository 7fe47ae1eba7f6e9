#include "configeditor/modifiers/UMod2DARowForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UDropDownCombo.h"
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
  const TColumnGroup exclusive =
      NewColumnGroup(this, {"Label of Exclusive column", "GroupBox1", "cbExclusiveLabel",
                            kExclusiveHint, "btnLoad2da", kLabelsHint});
  GroupBox1 = exclusive.group;
  cbExclusiveLabel = exclusive.columnBox;
  btnLoad2da = exclusive.loadButton;
  AddInputPart(GroupBox1);

  const TColumnGroup values = NewColumnGroup(this, {"Set column value ", "GroupBox2", "cbColLabel",
                                                    kColumnHint, "btnOpen2da", kLabelsHint});
  GroupBox2 = values.group;
  cbColLabel = values.columnBox;
  btnOpen2da = values.loadButton;
  cbColValue = AddValueRow(values, kValueHint);
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
