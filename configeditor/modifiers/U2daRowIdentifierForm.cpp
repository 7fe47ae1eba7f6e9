#include "configeditor/modifiers/U2daRowIdentifierForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "configeditor/help/UInfoCopyForm.h"
#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UDropDownCombo.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/rules/U2daModifierKeys.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

TModifierDialogLayout RowIdentifierLayout() {
  return {"",
          RowExplanation("any file. Useful for copying an existing column value to ",
                         "other columns, or updating index references to other lines."),
          "",
          "Store changed column value.",
          "Edit selected column value.",
          "btnDeleteKey",
          "btnClose",
          ""};
}

}  // namespace

T2daRowIdentifierForm::T2daRowIdentifierForm(QWidget* parent, const char* name,
                                             std::vector<std::string> identifierNames,
                                             const TRowIdentifierHints& hints,
                                             std::vector<std::string> fixedTokens)
    : T2daModifierForm(parent, name, RowIdentifierLayout()),
      btnDeleteKey(&DeleteButton()),
      btnClose(&CloseButton()),
      FIdentifierNames(std::move(identifierNames)) {
  CreateIdentifierGroup(hints);
  CreateChangeValueGroup(hints);
  BindValueBox(*cbColValue, std::move(fixedTokens));
  platform::Connect(btnSetIdx, &QPushButton::clicked, this, [this] { btnSetIdxClick(); });
  FilterTypedCharacters(edIdx, [this](QChar typed) { return edIdxKeyPress(typed); });
  OnCtrlShiftKeyRelease(cbColLabel, Qt::Key_Right, [this] { btnAddToListClick(); });
  OnCtrlShiftKeyRelease(cbColValue, Qt::Key_Right, [this] { btnAddToListClick(); });
}

void T2daRowIdentifierForm::CreateIdentifierGroup(const TRowIdentifierHints& hints) {
  using platform::Hinted;
  using platform::Named;
  boxIdentifier = Named(new QGroupBox(this), "boxIdentifier");
  cbIdxType = Hinted(Named(new QComboBox(boxIdentifier), "cbIdxType"), hints.identifierType);
  cbIdxType->setMinimumContentsLength(10);  // "LabelIndex", filled by the load
  edIdx = Hinted(Named(new QLineEdit(boxIdentifier), "edIdx"), hints.identifierValue);
  btnSetIdx = NewTextButton(boxIdentifier, "btnSetIdx", "&Set", hints.setIdentifier);
  btnSetIdx->setAutoDefault(false);
  auto* layout = new QHBoxLayout(boxIdentifier);
  layout->addWidget(cbIdxType);
  layout->addWidget(edIdx, 1);
  layout->addWidget(btnSetIdx);
}

void T2daRowIdentifierForm::CreateChangeValueGroup(const TRowIdentifierHints& hints) {
  // The opener gives the group its caption.
  const TColumnGroup values = NewColumnGroup(
      this, {"", "boxChangeValue", "cbColLabel", hints.column, "btnLoadCols", hints.loadColumns});
  boxChangeValue = values.group;
  cbColLabel = values.columnBox;
  btnLoadCols = values.loadButton;
  cbColValue = AddValueRow(values, hints.value);
}

void T2daRowIdentifierForm::SetOpenerTexts(const TOpenerTexts& texts) {
  boxIdentifier->setTitle(QString::fromLatin1(texts.identifierCaption));
  boxChangeValue->setTitle(QString::fromLatin1(texts.changeValueCaption));
  T2daModifierForm::SetOpenerTexts(texts);
}

void T2daRowIdentifierForm::LoadModifier() {
  CommonLoadSteps();
  edIdx->clear();
  LoadColumnBoxes();
  cbIdxType->clear();
  for (const std::string& name : FIdentifierNames) cbIdxType->addItem(platform::ToQt(name));
  cbIdxType->setCurrentIndex(0);
  const TRowIdentifier identifier = LoadRowIdentifier(*IniFile(), ModifierSection());
  ShowIdentifier(identifier.name, identifier.value);
  std::vector<std::string> keys = IniFile()->ReadSection(ModifierSection());
  if (!keys.empty()) keys.erase(keys.begin());
  ListKeys(keys, [this](const std::string& key) { return IsHiddenKey(key); });
}

void T2daRowIdentifierForm::ShowIdentifier(const std::string& name, const std::string& value) {
  // A type the dialog does not offer (CopyRow's "LabelIndex") shows no type.
  const auto offered = std::find(FIdentifierNames.begin(), FIdentifierNames.end(), name);
  cbIdxType->setCurrentIndex(offered == FIdentifierNames.end()
                                 ? -1
                                 : static_cast<int>(offered - FIdentifierNames.begin()));
  edIdx->setText(platform::ToQt(value));
}

void T2daRowIdentifierForm::SetRowIdentifier(const std::string& key, const std::string& value) {
  quennet::SetRowIdentifier(*IniFile(), ModifierSection(), key, value);
  ShowIdentifier(key, value);
}

bool T2daRowIdentifierForm::StoreIdentifier() {
  const std::string type = ComboText(*cbIdxType);
  const std::optional<std::string> value = platform::StorableText(this, edIdx->text());
  if (!value) return false;
  if (RowIdentifierName(type) == type && !value->empty()) SetRowIdentifier(type, *value);
  return true;
}

void T2daRowIdentifierForm::btnSetIdxClick() { StoreIdentifier(); }

// A value the code page cannot store keeps the dialog open, so that it can be mended.
void T2daRowIdentifierForm::btnCloseClick() {
  if (StoreIdentifier()) accept();
}

TTypedCharVerdict T2daRowIdentifierForm::edIdxKeyPress(QChar typed) const {
  // Only a row index is a number.
  const bool rowIndex = cbIdxType->currentIndex() == 0;
  if (!rowIndex || (typed >= u'0' && typed <= u'9') || typed == u'\b') return {};
  return {TTypedCharVerdict::Action::Refuse, {}};
}

void T2daRowIdentifierForm::btnAddToListClick() { StoreColumnValue(*cbColLabel); }
void T2daRowIdentifierForm::btnEditColValueClick() { EditColumnValue(*cbColLabel); }

void T2daRowIdentifierForm::hideEvent(QHideEvent* event) {
  T2daModifierForm::hideEvent(event);
  if (FCopyHelp) FCopyHelp->hide();
}

}  // namespace quennet
