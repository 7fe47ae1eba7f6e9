#include "configeditor/modifiers/UCopy2daRowForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "configeditor/help/UInfoCopyForm.h"
#include "configeditor/parts/UPaneParts.h"
#include "platform/ui/Application.h"

namespace quennet {

namespace {

constexpr TRowIdentifierHints kHints = {
    "(Re)Load column labels from 2da file into dropdown list of the Column box.",
    "Label of column to modify the value of, or name of 2DAMEMORY token to assign column value "
    "to.",
    "Value or token value to assign to the specified column, or name of column whose value to "
    "store in 2DAMEMORY token.",
    "Select the type of value to use to identify the blueprint line.",
    "Specify which existing line to use as blueprint for the new line.",
    "Store the value to use to find the blueprint line."};
constexpr char kExclusiveHint[] =
    "Label of column whose value must be unique in this 2DA file for the line to be added "
    "instead of modified.";

}  // namespace

TCopy2daForm::TCopy2daForm(QWidget* parent)
    : T2daRowIdentifierForm(parent, "TCopy2daForm", {"RowIndex", "RowLabel"}, kHints,
                            {"high()", "inc(#)"}) {
  AddInputPart(boxIdentifier);
  AddInputPart(CreateExclusiveGroup());
  AddInputPart(boxChangeValue);
  FLabels = std::make_unique<TExclusiveColumnLabels>(*this, *cbColLabel, *cbExclusiveLabel,
                                                     "NewRowLabel");
  platform::Connect(btnLoadCols, &QToolButton::clicked, this,
                    [this] { btnLoadColsClick(btnLoadCols); });
  platform::Connect(btnLoad2da, &QToolButton::clicked, this,
                    [this] { btnLoadColsClick(btnLoad2da); });
  platform::Connect(btnCopyInfo, &QToolButton::clicked, this, [this] { btnCopyInfoClick(); });
  FixSize(QSize(640, 400));
}

TCopy2daForm::~TCopy2daForm() = default;

QWidget* TCopy2daForm::CreateExclusiveGroup() {
  auto* row = new QWidget(this);
  const TColumnGroup exclusive = NewColumnGroup(
      row, {"Label of Exclusive column", "GroupBox1", "cbExclusiveLabel", kExclusiveHint,
            "btnLoad2da", "(Re)Load column labels from 2da file into Column dropdown list."});
  GroupBox1 = exclusive.group;
  cbExclusiveLabel = exclusive.columnBox;
  btnLoad2da = exclusive.loadButton;
  btnCopyInfo =
      NewImageButton(row, "btnCopyInfo", TButtonImage::Help, "Show information about this window.");
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(GroupBox1, 1);
  layout->addWidget(btnCopyInfo, 0, Qt::AlignBottom);
  return row;
}

void TCopy2daForm::ForgetColumnLabels() { FLabels->Forget(); }

void TCopy2daForm::LoadColumnBoxes() {
  btnCopyInfo->show();
  if (FLabels->ResetForAnotherFile()) FLabels->LoadSilently();
  FLabels->ShowExclusiveColumn();
}

void TCopy2daForm::btnLoadColsClick(QWidget* asker) { FLabels->Load(true, asker); }

void TCopy2daForm::btnCopyInfoClick() {
  if (TInfoCopyForm* help = CopyHelp()) help->Toggle();
}

}  // namespace quennet
