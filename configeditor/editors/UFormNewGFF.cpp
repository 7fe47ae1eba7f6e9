#include "configeditor/editors/UFormNewGFF.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "configeditor/UForms.h"
#include "configeditor/help/UInfoForm.h"
#include "configeditor/parts/UIcons.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/prompts/UModLabelForm.h"
#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/UModifierSections.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Services.h"
#include "platform/ui/StringGrid.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

constexpr char kCaption[] = "Add GFF Field";

void Enable(std::initializer_list<QWidget*> controls, bool enabled) {
  for (QWidget* control : controls) control->setEnabled(enabled);
}

QString CellText(const QTableWidget* grid, int row, int col) {
  const QTableWidgetItem* item = grid->item(row, col);
  return item ? item->text() : QString();
}

}  // namespace

TFormNewGFF::TFormNewGFF(QWidget* parent, TForms& forms) : QDialog(parent), FForms(forms) {
  setObjectName(QStringLiteral("TFormNewGFF"));
  setWindowTitle(QString::fromLatin1(kCaption));
  setMinimumSize(787, 460);
  setSizeGripEnabled(true);

  auto* title = platform::MakeLabel(this, "Label9", kCaption);
  QFont large = title->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  title->setFont(large);

  gridFields = new platform::StringGrid(this);
  gridFields->setObjectName(QStringLiteral("gridFields"));
  gridFields->SetColCount(4);
  gridFields->SetRowCount(2);
  gridFields->SetFixedRows(1);
  gridFields->SetFixedCols(0);
  gridFields->setSelectionBehavior(QAbstractItemView::SelectRows);
  gridFields->setMinimumWidth(390);
  btnNew = platform::Hinted(
      platform::MakeImageButton(this, "btnNew", ButtonImage(TButtonImage::Add)), "Add a new field");
  btnEdit =
      platform::Hinted(platform::MakeImageButton(this, "btnEdit", ButtonImage(TButtonImage::Edit)),
                       "Edit selected field data");
  btnDelete = platform::Hinted(
      platform::MakeImageButton(this, "btnDelete", ButtonImage(TButtonImage::Delete)),
      "Delete selected field");
  btnNewFieldInfo = platform::Hinted(
      platform::MakeImageButton(this, "btnNewFieldInfo", ButtonImage(TButtonImage::Help)), nullptr);
  btnSave = platform::Hinted(platform::MakeButton(this, "btnSave", "&Save"),
                             "Save changes to this field.");
  btnOK = platform::Hinted(platform::MakeButton(this, "btnOK", "Close"), nullptr);

  auto* listButtons = new QHBoxLayout;
  for (QPushButton* button : {btnNew, btnEdit, btnDelete, btnNewFieldInfo})
    listButtons->addWidget(button);
  listButtons->addStretch(1);
  auto* list = new QVBoxLayout;
  list->addWidget(platform::MakeLabel(this, "lblFields", "New fields:"));
  list->addWidget(gridFields, 1);
  list->addLayout(listButtons);
  auto* body = new QHBoxLayout;
  body->addLayout(list, 1);
  body->addWidget(CreateInputs());
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch(1);
  closeRow->addWidget(btnSave);
  closeRow->addWidget(btnOK);
  auto* column = new QVBoxLayout(this);
  column->addWidget(title);
  column->addLayout(body, 1);
  column->addLayout(closeRow);
  // Enter in a box must not press the button that last had the focus.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

  ConnectHandlers();
  StartFresh();
  RefreshFieldList(-1);
  btnEdit->setEnabled(false);
}

QWidget* TFormNewGFF::CreateInputs() {
  auto* group = new QGroupBox(QStringLiteral(" New Field Data "), this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  lblType = platform::MakeLabel(group, "lblType", "Field Type:");
  cbFieldType = new QComboBox(group);
  cbFieldType->setObjectName(QStringLiteral("cbFieldType"));
  for (const char* word : kFieldTypeWords) cbFieldType->addItem(QString::fromLatin1(word));
  platform::SetHint(cbFieldType, "Data type of new field.");
  lblLabel = platform::MakeLabel(group, "lblLabel", "Label:");
  edLabel =
      platform::Hinted(platform::MakeEdit(group, "edLabel"), "Field label for the new field.");
  lblPath = platform::MakeLabel(group, "lblPath", "Path:");
  edPath = platform::Hinted(
      platform::MakeEdit(group, "edPath"),
      "Position in the GFF field tree to add new field. Each level is separated by a "
      "\\ character.");
  lblValue = platform::MakeLabel(group, "lblValue", "Value:");
  edValue = platform::Hinted(
      platform::MakeEdit(group, "edValue"),
      "The value that the new field should hold. It must fit within the selected field data type.");
  lblStrRef = platform::MakeLabel(group, "lblStrRef", "StrRef:");
  edStrRef = platform::Hinted(platform::MakeEdit(group, "edStrRef"),
                              "StrRef into dialog.tlk for this ExoLocString.");
  lblTypeId = platform::MakeLabel(group, "lblTypeId", "Type ID:");
  edTypeId = platform::Hinted(platform::MakeEdit(group, "edTypeId"),
                              "Type ID value the new Struct should have set.");
  lblLocStr1 = platform::MakeLabel(group, "lblLocStr1", "Localized ");
  lblLocStr2 = platform::MakeLabel(group, "lblLocStr2", "strings:");
  gridLocStr = new QTableWidget(1, 2, group);
  gridLocStr->setObjectName(QStringLiteral("gridLocStr"));
  gridLocStr->setHorizontalHeaderLabels({QStringLiteral("LanguageId"), QStringLiteral("Text")});
  gridLocStr->verticalHeader()->hide();
  gridLocStr->setColumnWidth(0, 80);
  gridLocStr->setColumnWidth(1, 186);
  gridLocStr->horizontalHeader()->setStretchLastSection(true);
  gridLocStr->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  gridLocStr->setSelectionBehavior(QAbstractItemView::SelectRows);
  gridLocStr->setSelectionMode(QAbstractItemView::SingleSelection);
  gridLocStr->setMinimumHeight(90);
  platform::SetHint(gridLocStr, "List of Language IDs and their associated localized strings.");
  btnAddStr = platform::Hinted(platform::MakeButton(group, "btnAddStr", "Add >>"),
                               "Add a new localized string row.");
  btnDelStr = platform::Hinted(
      platform::MakeImageButton(group, "btnDelStr", ButtonImage(TButtonImage::Delete)),
      "Delete selected localized string");
  lblMemToken = platform::MakeLabel(group, "lblMemToken", "Index token:");
  edMemToken =
      platform::Hinted(platform::MakeEdit(group, "edMemToken"),
                       "2DAMEMORY token to store the Index in the LIST of the new STRUCT. Leave "
                       "blank if not needed");
  lblPathToken = platform::MakeLabel(group, "lblPathToken", "Path token:");
  edPathToken =
      platform::Hinted(platform::MakeEdit(group, "edPathToken"),
                       "2DAMEMORY token to store the full path+name of this field in. Leave blank "
                       "if not needed.");
  lblSubFields = platform::MakeLabel(group, "lblSubFields", "Sub-fields:");
  btnAddField = platform::Hinted(platform::MakeButton(group, "btnAddField", "Edit..."),
                                 "Edit sub-fields below this field.");

  auto* localized = new QVBoxLayout;
  localized->addWidget(lblLocStr1);
  localized->addWidget(lblLocStr2);
  localized->addWidget(btnAddStr);
  localized->addWidget(btnDelStr);
  localized->addStretch(1);
  auto* grid = new QGridLayout(group);
  int row = 0;
  auto addRow = [&](QLabel* label, QWidget* input) {
    grid->addWidget(label, row, 0);
    grid->addWidget(input, row, 1);
    ++row;
  };
  addRow(lblType, cbFieldType);
  addRow(lblLabel, edLabel);
  addRow(lblPath, edPath);
  addRow(lblValue, edValue);
  addRow(lblStrRef, edStrRef);
  addRow(lblTypeId, edTypeId);
  grid->addLayout(localized, row, 0);
  grid->addWidget(gridLocStr, row, 1);
  ++row;
  addRow(lblMemToken, edMemToken);
  addRow(lblPathToken, edPathToken);
  addRow(lblSubFields, btnAddField);
  grid->setColumnStretch(1, 1);
  group->setMinimumWidth(340);
  return group;
}

void TFormNewGFF::ConnectHandlers() {
  platform::Connect(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
  platform::Connect(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
  platform::Connect(gridFields, &QAbstractItemView::doubleClicked, this,
                    [this] { btnEditClick(); });
  platform::Connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
  platform::Connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
  platform::Connect(btnAddField, &QPushButton::clicked, this, [this] { btnAddFieldClick(); });
  platform::Connect(cbFieldType, &QComboBox::activated, this, [this] { cbFieldTypeChange(); });
  platform::Connect(btnAddStr, &QPushButton::clicked, this, [this] { btnAddStrClick(); });
  platform::Connect(btnDelStr, &QPushButton::clicked, this, [this] { btnDelStrClick(); });
  platform::Connect(btnNewFieldInfo, &QPushButton::clicked, this,
                    [this] { btnNewFieldInfoClick(); });
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormNewGFF::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) platform::RunGuarded([this] { FormShow(); });
}

void TFormNewGFF::FormShow() {
  StartFresh();
  RefreshFieldList(-1);
  SetCaption();
}

void TFormNewGFF::SetCaption() {
  setWindowTitle(
      platform::ToQt(std::string(kCaption) + " [" + ParentSection + " / " + ModifierSection + "]"));
}

void TFormNewGFF::RefreshFieldList(int row) {
  std::vector<std::vector<std::string>> rows = {
      {"Modifier", "Modifier Label", "Field Type", "Field Label"}};
  if (IniFile != nullptr) {
    TIniReadScope scope(*IniFile);
    for (const std::string& key : IniFile->ReadSection(ParentSection)) {
      const std::string section = IniFile->ReadString(ParentSection, key, "");
      if (section.empty() || !IsAddFieldKey(key)) continue;
      rows.push_back({key, section, IniFile->ReadString(section, "FieldType", ""),
                      IniFile->ReadString(section, "Label", "")});
    }
  }
  if (rows.size() == 1) rows.push_back({"", "", "", ""});
  gridFields->SetRows(std::move(rows));
  int column = 0;
  // "ExoLocString" needs more than the 80 pixels the type column had on the old font.
  for (int width : {70, 120, 100, 110}) FitColumn(*gridFields, column++, width);
  btnEdit->setEnabled(true);
  if (row >= 0) gridFields->SetRow(row);
}

void TFormNewGFF::StartFresh() {
  ModifierSection.clear();
  ResetInputs();
  Enable({lblType, cbFieldType, lblValue, edValue, btnSave}, false);
}

void TFormNewGFF::ResetInputs() {
  for (QLineEdit* edit : {edLabel, edPath, edValue, edStrRef, edTypeId, edMemToken, edPathToken})
    edit->clear();
  ResetLocalizedStrings();
  Enable({lblLabel, edLabel, lblPath, edPath, lblStrRef, edStrRef, lblTypeId, edTypeId, lblLocStr1,
          lblLocStr2, gridLocStr, btnAddStr, btnDelStr, lblMemToken, edMemToken, lblSubFields,
          btnAddField},
         false);
  Enable({lblValue, edValue}, true);
  if (ParentIsList) {
    SelectFieldType("Struct");
    Enable({cbFieldType}, false);
  } else {
    cbFieldType->setCurrentIndex(-1);
  }
}

void TFormNewGFF::ResetLocalizedStrings() {
  gridLocStr->clearContents();
  gridLocStr->setRowCount(1);
}

void TFormNewGFF::ApplyTypeControls(const std::string& type) {
  Enable({lblType, cbFieldType}, !ParentIsList);
  const TFieldKind kind = KindOfType(type);
  if (kind == TFieldKind::None) return;
  EnableValueInputs(true, !IsSubField, kind == TFieldKind::Value);
  const bool localized = kind == TFieldKind::LocString;
  const bool container = kind == TFieldKind::Struct || kind == TFieldKind::List;
  Enable({lblStrRef, edStrRef, lblLocStr1, lblLocStr2, gridLocStr, btnAddStr, btnDelStr},
         localized);
  Enable({lblTypeId, edTypeId}, kind == TFieldKind::Struct);
  Enable({lblSubFields, btnAddField}, container);
  Enable({lblMemToken, edMemToken}, kind == TFieldKind::Struct && HasIndexToken(Place()));
}

void TFormNewGFF::EnableValueInputs(bool label, bool path, bool value) {
  Enable({lblLabel, edLabel}, label);
  Enable({lblPath, edPath}, path);
  Enable({lblValue, edValue}, value);
}

void TFormNewGFF::SelectFieldType(const std::string& type) {
  const int index = cbFieldType->findText(platform::ToQt(type), Qt::MatchExactly);
  if (index >= 0) cbFieldType->setCurrentIndex(index);
}

void TFormNewGFF::btnNewClick() {
  if (IniFile == nullptr) return;
  TNewLabelForm& prompt = *FForms.NewLabelForm;
  prompt.edModLabel->clear();
  prompt.lblTitle->setText(QStringLiteral("New Modifier Label"));
  prompt.setWindowTitle(QStringLiteral("Add GFF Field - Specify Modifier Label"));
  if (platform::RunModal(prompt) != QDialog::Accepted) return;
  const std::string label = prompt.GetLabel();
  if (label.empty()) return;
  if (std::optional<std::string> refusal = RefusedSectionName(label)) {
    ShowWarning(*refusal);
    return;
  }
  // Also a name that no section holds yet: the parent, a fixed section, a listed file
  // or a label in use; the delete of a clashing modifier would erase what it names.
  if (IsModifierLabelInUse(*IniFile, label) || platform::SameTextAscii(label, ParentSection)) {
    ShowWarning(
        "The entered modifier label is not unique! Please try again with another label that is "
        "not already in use.");
    return;
  }
  ModifierSection = label;
  ResetInputs();
  lblType->setEnabled(true);
  if (ParentIsList) {
    ApplyTypeControls("Struct");
  } else {
    cbFieldType->setEnabled(true);
    cbFieldType->setFocus();
  }
  btnSave->setEnabled(true);
  SetCaption();
}

void TFormNewGFF::btnEditClick() {
  btnSave->setEnabled(true);
  ModifierSection = gridFields->Cell(1, gridFields->Row());
  SetCaption();
  LoadField();
}

void TFormNewGFF::LoadField() {
  if (IniFile == nullptr) return;
  const TNewField field = ReadNewField(*IniFile, Place());
  if (field.type.empty()) {
    ShowWarning(
        "Unable to load field type data! Something is probably wrong with the data format in "
        "changes.ini...");
    return;
  }
  ResetInputs();
  ApplyTypeControls(field.type);
  if (KindOfType(field.type) == TFieldKind::None) {
    ShowWarning("Invalid Field Type data \"" + field.type +
                "\" encountered! Not a valid field type!");
    return;
  }
  SelectFieldType(field.type);
  edLabel->setText(platform::ToQt(field.label));
  edPath->setText(platform::ToQt(field.path));
  edValue->setText(platform::ToQt(field.value));
  edStrRef->setText(platform::ToQt(field.strRef));
  edTypeId->setText(platform::ToQt(field.typeId));
  edMemToken->setText(platform::ToQt(field.indexToken));
  edPathToken->setText(platform::ToQt(field.pathToken));
  if (!field.localized.empty()) gridLocStr->setRowCount(static_cast<int>(field.localized.size()));
  for (size_t i = 0; i < field.localized.size(); ++i) {
    const int row = static_cast<int>(i);
    gridLocStr->setItem(row, 0, new QTableWidgetItem(platform::ToQt(field.localized[i].first)));
    gridLocStr->setItem(row, 1, new QTableWidgetItem(platform::ToQt(field.localized[i].second)));
  }
}

void TFormNewGFF::cbFieldTypeChange() {
  const std::string type = platform::FromQt(cbFieldType->currentText());
  if (type.empty()) return;
  for (QLineEdit* edit : {edLabel, edPath, edValue, edStrRef, edTypeId}) edit->clear();
  ResetLocalizedStrings();
  ApplyTypeControls(type);
}

void TFormNewGFF::btnAddStrClick() {
  const int row = gridLocStr->rowCount();
  gridLocStr->insertRow(row);
  gridLocStr->setCurrentCell(row, 0);
}

void TFormNewGFF::btnDelStrClick() {
  // The grid keeps at least one row: the last one is emptied instead.
  if (gridLocStr->rowCount() <= 1) {
    ResetLocalizedStrings();
  } else {
    gridLocStr->removeRow(std::max(gridLocStr->currentRow(), 0));
  }
  gridLocStr->setCurrentCell(0, 0);
}

void TFormNewGFF::btnSaveClick() { SaveField(); }

bool TFormNewGFF::SaveField() {
  if (IniFile == nullptr) return false;
  const TNewFieldPlace place = Place();
  const std::optional<TNewField> typed = Inputs();
  if (!typed) return false;
  const TNewField& field = *typed;
  if (std::optional<TNewFieldProblem> problem = CheckNewField(*IniFile, place, field)) {
    ShowWarning(problem->warning);
    FocusInput(problem->input);
    return false;
  }
  const int row = gridFields->Row();
  for (const TNewFieldProblem& problem : WriteNewField(*IniFile, place, field)) {
    ShowWarning(problem.warning);
    FocusInput(problem.input);
  }
  RefreshFieldList(row);
  return true;
}

TNewFieldPlace TFormNewGFF::Place() const {
  return {ParentSection, ModifierSection, IsSubField, ParentIsList};
}

std::optional<TNewField> TFormNewGFF::Inputs() {
  TNewField field;
  field.type = platform::FromQt(cbFieldType->currentText());
  // Each typed text as the code page stores it; the first that it cannot stops the save.
  const std::pair<QLineEdit*, std::string*> edits[] = {
      {edLabel, &field.label},        {edPath, &field.path},     {edValue, &field.value},
      {edStrRef, &field.strRef},      {edTypeId, &field.typeId}, {edMemToken, &field.indexToken},
      {edPathToken, &field.pathToken}};
  for (const auto& [edit, text] : edits) {
    std::optional<std::string> stored = platform::StorableText(this, edit->text());
    if (!stored) return std::nullopt;
    *text = std::move(*stored);
  }
  for (int row = 0; row < gridLocStr->rowCount(); ++row) {
    std::optional<std::string> id = platform::StorableText(this, CellText(gridLocStr, row, 0));
    if (!id) return std::nullopt;
    std::optional<std::string> text = platform::StorableText(this, CellText(gridLocStr, row, 1));
    if (!text) return std::nullopt;
    field.localized.emplace_back(std::move(*id), std::move(*text));
  }
  return field;
}

void TFormNewGFF::FocusInput(TNewFieldInput input) {
  QWidget* target = nullptr;
  switch (input) {
    case TNewFieldInput::Type:
      target = cbFieldType;
      break;
    case TNewFieldInput::Label:
      target = edLabel;
      break;
    case TNewFieldInput::Value:
      target = edValue;
      break;
    case TNewFieldInput::StrRef:
      target = edStrRef;
      break;
    case TNewFieldInput::TypeId:
      target = edTypeId;
      break;
    case TNewFieldInput::IndexToken:
      target = edMemToken;
      break;
    case TNewFieldInput::PathToken:
      target = edPathToken;
      edPathToken->selectAll();
      break;
    case TNewFieldInput::None:
      break;
  }
  if (target != nullptr && target->isEnabled()) target->setFocus();
}

void TFormNewGFF::btnDeleteClick() {
  if (IniFile == nullptr) return;
  const int row = gridFields->Row();
  const std::string key(gridFields->Cell(0, row));
  const std::string section(gridFields->Cell(1, row));
  if (key.empty()) return;
  if (!AskYesNo("Are you sure you wish to remove the selected Field modifier \"" + section + "\"?"))
    return;
  const std::vector<std::string> deleted =
      DeleteNewFieldModifier(*IniFile, ParentSection, key, section);
  RefreshFieldList(-1);
  const bool editedGone = std::any_of(
      deleted.begin(), deleted.end(),
      [this](const std::string& gone) { return platform::SameTextAscii(gone, ModifierSection); });
  if (editedGone) {
    StartFresh();
    SetCaption();
  }
}

void TFormNewGFF::btnAddFieldClick() {
  if (!SaveField()) return;
  // A dialog of its own for each use, freed when it closes, also after a failure.
  auto nested = std::make_unique<TFormNewGFF>(this, FForms);
  nested->SetParentSection(ModifierSection);
  nested->SetIsSubField(true);
  nested->SetIniFile(IniFile);
  nested->SetParentIsList(cbFieldType->currentText() == QStringLiteral("List"));
  nested->move(x() + 10, y() + 10);
  platform::RunModal(*nested);
}

void TFormNewGFF::btnNewFieldInfoClick() {
  FForms.InfoForm->TogglePage(FForms.InfoForm->txtGFFInfo);
}

void TFormNewGFF::ShowWarning(const std::string& text) {
  platform::ShowMessage(this, {platform::MessageKind::Warning, "Warning", text, {}});
}

bool TFormNewGFF::AskYesNo(const std::string& text) {
  return platform::ShowMessage(this, {platform::MessageKind::Confirmation, "Confirm", text, {}}) ==
         platform::MessageAnswer::Yes;
}

}  // namespace quennet
