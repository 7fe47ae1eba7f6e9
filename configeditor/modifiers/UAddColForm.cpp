#include "configeditor/modifiers/UAddColForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UDropDownCombo.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/rules/U2daModifierKeys.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/StringGrid.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

enum TRowIdent { kRowIndex, kRowLabel, kMemory };
constexpr char kMemoryPrefix[] = "2DAMEMORY";

TModifierDialogLayout AddColumnLayout() {
  return {"Add 2DA column",
          {{"If you set the row label/index to 2DAMEMORY followed"},
           {"by a memory slot number, and then set the Value to"},
           {"the label of a row, the value of that row in the 2da will be"},
           {"stored. It can then be assigned to another column or row in"},
           {"any file. Useful for copying an existing value to other rows or"},
           {"columns, or updating index references to other lines."},
           {""},
           {"When assigning a row to a 2DAMEMORY slot, prefix the row", true},
           {"index with \"I\" or row label with \"L\", depending on which of", true},
           {"those values you use to identify the row.", true},
           {""},
           {"2DAMEMORY slots with a value previously assigned to "},
           {"them show up in the Token List of the Value box below."}},
          "New row values for column:",
          "Store changed column value.",
          "Edit selected column value.",
          "btnDeleteKey",
          "btnClose",
          ""};
}

bool IsSetting(const std::string& key) {
  return platform::SameTextAscii(key, "ColumnLabel") ||
         platform::SameTextAscii(key, "DefaultValue");
}

std::string EditText(const QLineEdit& edit) { return platform::FromQt(edit.text()); }

}  // namespace

TAdd2daColForm::TAdd2daColForm(QWidget* parent)
    : T2daModifierForm(parent, "TAdd2daColForm", AddColumnLayout()),
      btnDeleteKey(&DeleteButton()),
      btnClose(&CloseButton()) {
  setWindowTitle(QStringLiteral("Add 2DA Column"));
  CreateGroups();
  BindValueBox(*cbRowValue, {});
  platform::Connect(cbRowIdent, &QComboBox::activated, this, [this] { cbRowIdentChange(); });
  FilterTypedCharacters(edRowNum, [this](QChar typed) { return edRowNumKeyPress(typed); });
  for (QWidget* box : std::initializer_list<QWidget*>{cbRowIdent, edRowNum, cbRowValue}) {
    OnCtrlShiftKeyRelease(box, Qt::Key_Right, [this] { btnAddToListClick(); });
  }
  FixSize(QSize(640, 460));
}

void TAdd2daColForm::CreateGroups() {
  using platform::MakeLabel;
  using platform::Named;
  boxColumn = Named(new QGroupBox(QStringLiteral(" New column settings "), this), "boxColumn");
  edNewLabel = Named(new QLineEdit(boxColumn), "edNewLabel");
  edDefaultVal = Named(new QLineEdit(boxColumn), "edDefaultVal");
  auto* column = new QGridLayout(boxColumn);
  column->setColumnStretch(1, 1);
  column->addWidget(MakeLabel(boxColumn, "", "New column label:"), 0, 0);
  column->addWidget(edNewLabel, 0, 1);
  column->addWidget(MakeLabel(boxColumn, "", "Default value:"), 1, 0);
  column->addWidget(edDefaultVal, 1, 1);
  AddInputPart(boxColumn);

  boxRowValue = Named(new QGroupBox(QStringLiteral(" Change row value "), this), "boxRowValue");
  cbRowIdent = Named(new QComboBox(boxRowValue), "cbRowIdent");
  cbRowIdent->addItems(
      {QStringLiteral("RowIndex"), QStringLiteral("RowLabel"), QStringLiteral("Memory")});
  edRowNum = Named(new QLineEdit(boxRowValue), "edRowNum");
  cbRowValue = NewEditableCombo<TDropDownCombo>(boxRowValue, "cbRowValue", "");
  auto* rows = new QGridLayout(boxRowValue);
  rows->setColumnStretch(1, 1);
  rows->addWidget(cbRowIdent, 0, 0);
  rows->addWidget(edRowNum, 0, 1);
  rows->addWidget(MakeLabel(boxRowValue, "", "Value:"), 1, 0);
  rows->addWidget(cbRowValue, 1, 1);
  AddInputPart(boxRowValue);
}

void TAdd2daColForm::LoadModifier() {
  CommonLoadSteps();
  edNewLabel->clear();
  edDefaultVal->clear();
  cbRowIdent->setCurrentIndex(kRowIndex);
  edRowNum->clear();
  const std::vector<std::string> keys = IniFile()->ReadSection(ModifierSection());
  const TColumnSettings settings = LoadColumnSettings(*IniFile(), ModifierSection());
  edNewLabel->setText(platform::ToQt(settings.label));
  edDefaultVal->setText(platform::ToQt(settings.defaultValue));
  // The settings in any case are the boxes' (a "columnlabel" key was taken as the label).
  ListKeys(keys, IsSetting);
}

void TAdd2daColForm::SetColumnSettings(const std::string& defaultValue, const std::string& label) {
  quennet::SetColumnSettings(*IniFile(), ModifierSection(), defaultValue, label);
  edNewLabel->setText(platform::ToQt(label));
  edDefaultVal->setText(platform::ToQt(defaultValue));
}

void TAdd2daColForm::btnAddToListClick() {
  static constexpr const char* kPrefixes[] = {"I", "L", ""};
  const std::optional<std::string> row = platform::StorableText(this, edRowNum->text());
  if (!row) return;
  const std::optional<std::string> typedValue =
      platform::StorableText(this, cbRowValue->currentText());
  if (!typedValue) return;
  const std::string key = kPrefixes[std::max(0, cbRowIdent->currentIndex())] + *row;
  if (key.size() <= 1) {
    ShowWarning("You must specify a valid identifier for the row to have its value changed!");
    return;
  }
  const std::string& value = *typedValue;
  if (value.empty()) {
    ShowWarning(
        "You must specify a value the row should be changed to. Set it to \"****\" if you want "
        "a blank entry.");
    return;
  }
  if (!StoreRow(key, value)) return;
  edRowNum->clear();
  EmptyComboText(*cbRowValue);
  cbRowIdent->setCurrentIndex(kRowIndex);
  edRowNum->setFocus();
}

void TAdd2daColForm::btnEditColValueClick() {
  const int row = grid2daMod->Row();
  const std::string key(grid2daMod->Cell(0, row));
  const char first = key.empty() ? '\0' : platform::AsciiUpper(key.front());
  if (first == 'L' || first == 'I') {
    cbRowIdent->setCurrentIndex(first == 'L' ? kRowLabel : kRowIndex);
    edRowNum->setText(platform::ToQt(key.substr(1)));
  } else if (key.compare(0, 9, kMemoryPrefix) == 0) {
    cbRowIdent->setCurrentIndex(kMemory);
    edRowNum->setText(platform::ToQt(key));
  }
  SetComboText(*cbRowValue, std::string(grid2daMod->Cell(1, row)), false);
  cbRowValue->setFocus();
}

// A text the code page cannot store keeps the dialog open, so that it can be mended.
void TAdd2daColForm::btnCloseClick() {
  const std::optional<std::string> label = platform::StorableText(this, edNewLabel->text());
  if (!label) return;
  const std::optional<std::string> defaultValue =
      platform::StorableText(this, edDefaultVal->text());
  if (!defaultValue) return;
  if (!label->empty() && !defaultValue->empty()) SetColumnSettings(*defaultValue, *label);
  accept();
}

void TAdd2daColForm::cbRowIdentChange() {
  if (cbRowIdent->currentIndex() != kMemory) return;
  if (EditText(*edRowNum).compare(0, 9, kMemoryPrefix) == 0) return;
  edRowNum->setText(QString::fromLatin1(kMemoryPrefix));
  edRowNum->setFocus();
  edRowNum->setCursorPosition(9);
}

TTypedCharVerdict TAdd2daColForm::edRowNumKeyPress(QChar typed) const {
  switch (cbRowIdent->currentIndex()) {
    case kRowIndex:
      if ((typed >= u'0' && typed <= u'9') || typed == u'\b') return {};
      return {TTypedCharVerdict::Action::Refuse, {}};
    case kMemory:
      if (typed >= u'a' && typed <= u'z') {
        return {TTypedCharVerdict::Action::Replace, typed.toUpper()};
      }
      return {};
    default:
      return {};
  }
}

}  // namespace quennet
