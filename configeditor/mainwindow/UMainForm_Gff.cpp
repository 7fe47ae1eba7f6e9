// The GFF side of the main window: the field-change pane (paneGFF) of one GFF file's
// section in changes.ini: field changes stored, edited, deleted and moved, the file's
// install settings, field paths loaded from the GFF file and the value box's tokens.
// What the commands decide about the file lives in rules/UGffSections.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "configeditor/UForms.h"
#include "configeditor/editors/UFormNewGFF.h"
#include "configeditor/help/UInfoForm.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/mainwindow/UMainForm_Panes_p.h"
#include "configeditor/parts/UConventions.h"
#include "configeditor/parts/UDropDownCombo.h"
#include "configeditor/parts/UIcons.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/rules/UGffSections.h"
#include "configeditor/rules/UValueTokens.h"
#include "formats/UGFFFile.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/KeyValueList.h"
#include "platform/ui/StringGrid.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

using namespace pane_parts;

constexpr int kFieldPathColumnWidth = 200;

constexpr char kReplaceTickedHint[] =
    "If this file already exists in the override folder, overwrite it with a copy from "
    "orvandeldata before modifying it.";
constexpr char kReplaceClearedHint[] =
    "If this file already exists in the override folder, apply the modifications to the "
    "existing file.";

// The list control keeps its entries in alphabetical order without regard to case;
// entries that differ only in case keep the order in which they came.
std::vector<std::string> SortedNoCase(std::vector<std::string> items) {
  std::stable_sort(items.begin(), items.end(), platform::AsciiNoCaseLess{});
  return items;
}

}  // namespace

QWidget* TMainForm::CreateGffPane() {
  QWidget* pane = NewPane(this, "paneGFF");
  QLabel* title = platform::MakeHeading(pane, "Label9", "GFF Modifications");
  lblGffHeading = platform::MakeLabel(pane, "lblGffHeading", "Modified fields in GFF file: ");
  gridGffMod =
      NewKeyValueGrid(pane, "gridGffMod", "Doubleclick to edit the selected Modifier in the list.");
  SetKeyValueColumns(*gridGffMod, kFieldPathColumnWidth);

  btnNewField = NewImageButton(pane, "btnNewField", TButtonImage::Add,
                               "Manage modifiers for adding new fields to the GFF file.");
  btnInfo = NewImageButton(pane, "btnInfo", TButtonImage::Help,
                           "Show instructions pertinent to modifying GFF field values.");
  btnCompareGff = NewImageButton(
      pane, "btnCompareGff", TButtonImage::Compare,
      "Compare two variants of the same GFF file and build Modifiers from the differences.");
  btnMoveGffModUp = NewImageButton(pane, "btnMoveGffModUp", TButtonImage::Up,
                                   "Move the selected modifier up in list.");
  btnMoveGffModDown = NewImageButton(pane, "btnMoveGffModDown", TButtonImage::Down,
                                     "Move selected modifier down in list.");
  btnGffDelete =
      NewImageButton(pane, "btnGffDelete", TButtonImage::Delete, "Delete selected modification.");
  btnEditField =
      NewImageButton(pane, "btnEditField", TButtonImage::Edit, "Edit selected modifier.");
  btnStoreField =
      NewImageButton(pane, "btnStoreField", TButtonImage::Add, "Save modifier to list.");

  auto* side = new QVBoxLayout;
  for (QToolButton* button : {btnNewField, btnInfo, btnCompareGff}) side->addWidget(button);
  side->addStretch(1);
  for (QToolButton* button : {btnMoveGffModUp, btnMoveGffModDown}) side->addWidget(button);
  side->addStretch(1);
  side->addWidget(btnGffDelete);
  auto* list = new QHBoxLayout;
  list->addWidget(gridGffMod, 1);
  list->addLayout(side);
  auto* listButtons = new QHBoxLayout;
  listButtons->addStretch(1);
  listButtons->addWidget(btnEditField);
  listButtons->addWidget(btnStoreField);

  auto* column = new QVBoxLayout(pane);
  column->addWidget(title);
  column->addWidget(lblGffHeading);
  column->addLayout(list, 1);
  column->addLayout(listButtons);
  column->addWidget(CreateGffInputs(pane));
  ConnectGffPane();
  return pane;
}

QWidget* TMainForm::CreateGffInputs(QWidget* pane) {
  auto* inputs = new QWidget(pane);
  auto* group = new QGroupBox(QStringLiteral(" Modify field value"), inputs);
  group->setObjectName(QStringLiteral("GroupBox1"));
  edGffField = NewEditableCombo(
      group, "edGffField", "Path, label and specifier to the GFF field that should be modified.");
  edGffField->setMinimumWidth(260);
  btnGffLoadFields = NewImageButton(group, "btnGffLoadFields", TButtonImage::Open,
                                    "Load field labels from file...");
  cbGffValue =
      NewTokenCombo(group, "cbGffValue",
                    "The new value this field should have, either set directly or via a Token.");
  auto* fields = new QGridLayout(group);
  fields->addWidget(platform::MakeLabel(group, "lblGffField", "GFF Field:"), 0, 0);
  fields->addWidget(edGffField, 0, 1);
  fields->addWidget(btnGffLoadFields, 0, 2);
  fields->addWidget(platform::MakeLabel(group, "lblGffValue", "Value:"), 1, 0);
  fields->addWidget(cbGffValue, 1, 1);
  fields->setColumnStretch(1, 1);

  cbReplaceGff =
      new QCheckBox(QStringLiteral("Replace file if it already exists at destination"), inputs);
  cbReplaceGff->setObjectName(QStringLiteral("cbReplaceGff"));
  platform::SetHint(cbReplaceGff,
                    "If this file already exists at the destination, overwrite it with a copy from "
                    "orvandeldata before modifying it.");
  edGffDest = new QLineEdit(inputs);
  edGffDest->setObjectName(QStringLiteral("edGffDest"));
  platform::SetHint(
      edGffDest,
      "Set to 'override' to install into the override folder, or the relative path and name "
      "of an ERF/RIM format file to insert the GFF file into.");
  btnGetGffDest = NewImageButton(inputs, "btnGetGffDest", TButtonImage::Open,
                                 "Select ERF file to get the name of.");
  btnGffDestSet = new QPushButton(QStringLiteral("Set"), inputs);
  btnGffDestSet->setObjectName(QStringLiteral("btnGffDestSet"));
  platform::SetHint(
      btnGffDestSet,
      "Change the installation destination of this file. Please see the ReadMe if setting "
      "this to something other than 'override'.");
  auto* destination = new QHBoxLayout;
  destination->addWidget(platform::MakeLabel(inputs, "Label26", "Destination:"));
  destination->addWidget(edGffDest, 1);
  destination->addWidget(btnGetGffDest);
  destination->addWidget(btnGffDestSet);

  auto* column = new QVBoxLayout(inputs);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(group);
  column->addWidget(cbReplaceGff);
  column->addLayout(destination);
  return inputs;
}

void TMainForm::ConnectGffPane() {
  platform::Connect(btnStoreField, &QToolButton::clicked, this, [this] { btnStoreFieldClick(); });
  OnCtrlShiftKeyRelease(cbGffValue, Qt::Key_Up, [this] { btnStoreFieldClick(); });
  platform::Connect(btnEditField, &QToolButton::clicked, this, [this] { btnEditFieldClick(); });
  platform::Connect(gridGffMod, &QAbstractItemView::doubleClicked, this,
                    [this] { btnEditFieldClick(); });
  new TKeepRowOnCtrlShiftDown(gridGffMod);
  OnCtrlShiftKeyRelease(gridGffMod, Qt::Key_Down, [this] { btnEditFieldClick(); });
  platform::Connect(btnGffDelete, &QToolButton::clicked, this, [this] { btnGffDeleteClick(); });
  platform::Connect(btnNewField, &QToolButton::clicked, this, [this] { btnNewFieldClick(); });
  platform::Connect(btnInfo, &QToolButton::clicked, this, [this] { btnInfoClick(); });
  platform::Connect(btnCompareGff, &QToolButton::clicked, this, [this] { btnCompareGffClick(); });
  // The file is written on the user's click only; the hint follows every change.
  platform::Connect(cbReplaceGff, &QCheckBox::clicked, this,
                    [this](bool checked) { cbReplaceGffClick(checked); });
  connect(cbReplaceGff, &QCheckBox::toggled, this, [this](bool checked) {
    platform::SetHint(cbReplaceGff, checked ? kReplaceTickedHint : kReplaceClearedHint);
  });
  platform::Connect(btnGetGffDest, &QToolButton::clicked, this, [this] { btnGetGffDestClick(); });
  platform::Connect(btnGffDestSet, &QPushButton::clicked, this, [this] { btnGffDestSetClick(); });
  platform::Connect(btnGffLoadFields, &QToolButton::clicked, this,
                    [this] { btnGffLoadFieldsClick(); });
  platform::Connect(btnMoveGffModUp, &QToolButton::clicked, this,
                    [this] { MoveSelectedGffRow(true); });
  platform::Connect(btnMoveGffModDown, &QToolButton::clicked, this,
                    [this] { MoveSelectedGffRow(false); });
  cbGffValue->SetOnDropDown([this] { cbGffValueDropDown(); });
}

void TMainForm::ResetGffPane() {
  gridGffMod->SetRows({{"", ""}});
  edGffField->clear();
  edGffField->clearEditText();
  cbGffValue->clear();
  cbGffValue->clearEditText();
  MarkLoaded(*edGffField, false);
}

void TMainForm::LoadGffModifiers(const std::string& fileName) {
  TIniReadScope scope(*ChangesIni);
  CurrentSection = fileName;
  lblGffHeading->setText(platform::ToQt("Modified fields in " + fileName + ": "));
  edGffDest->setText(platform::ToQt(ReadGffDestination(*ChangesIni, fileName)));
  cbGffValue->clear();
  cbGffValue->clearEditText();
  if (FieldPathSource != fileName) {
    edGffField->clear();
    edGffField->clearEditText();
    MarkLoaded(*edGffField, false);
  }
  // Set by the program: the hint follows, nothing is written.
  cbReplaceGff->setChecked(ChangesIni->SectionExists(fileName) &&
                           ChangesIni->ReadBool(fileName, kReplaceFileKey, false));
  FillGffGrid();
}

void TMainForm::FillGffGrid() {
  platform::KeyValueList(*gridGffMod).ShowRows(GffModifierRows(*ChangesIni, CurrentSection));
  SetKeyValueColumns(*gridGffMod, kFieldPathColumnWidth);
}

// The accessor matches keys without regard to case, so the row is found that way too.
void TMainForm::SelectGffRow(const std::string& key) {
  platform::KeyValueList(*gridGffMod).SelectKey(key, true);
}

void TMainForm::btnStoreFieldClick() {
  if (!FileOpen) return;
  const std::optional<std::string> typedPath =
      platform::StorableText(this, edGffField->currentText());
  if (!typedPath) return;
  const std::optional<std::string> typedValue =
      platform::StorableText(this, cbGffValue->currentText());
  if (!typedValue) return;
  const std::string& path = *typedPath;
  const std::string& value = *typedValue;
  if (path.empty() || value.empty()) return;
  if (IsAddFieldKey(path)) {
    ShowWarning(
        "\"AddField\" is a reserved keyword and cannot be used as a field label. If there "
        "actually is a field with that label you need to modify please let me know so I can "
        "change it.");
    return;
  }
  if (std::optional<std::string> refusal = RefusedKeyName(path)) {
    ShowWarning(*refusal);
    return;
  }
  ChangesIni->WriteString(CurrentSection, path, value);
  // Rebuilt rather than patched: a key stored in another case is the same key.
  FillGffGrid();
  SelectGffRow(path);
  edGffField->clearEditText();
  cbGffValue->clearEditText();
  edGffField->setFocus();
}

void TMainForm::btnEditFieldClick() {
  if (!FileOpen) return;
  const int row = gridGffMod->Row();
  const std::string key(gridGffMod->Cell(0, row));
  if (IsAddFieldKey(key)) {
    btnNewFieldClick();
    return;
  }
  edGffField->setEditText(platform::ToQt(key));
  cbGffValue->setEditText(platform::ToQt(gridGffMod->Cell(1, row)));
}

void TMainForm::btnGffDeleteClick() {
  if (!FileOpen) return;
  const std::string key(gridGffMod->Cell(0, gridGffMod->Row()));
  if (key.empty()) return;
  if (IsAddFieldKey(key)) {
    ShowWarning(
        "New fields cannot be deleted here. Please use the \"Manage new GFF fields\" button to "
        "delete modifiers for adding new fields to a GFF file.");
    return;
  }
  if (AskYesNo("Are you sure you wish to delete the changes to the field \"" + key +
               "\"  for the gff file \"" + CurrentSection + "\"?") !=
      platform::MessageAnswer::Yes) {
    return;
  }
  ChangesIni->DeleteKey(CurrentSection, key);
  LoadGffModifiers(CurrentSection);
}

void TMainForm::btnNewFieldClick() {
  if (!FileOpen) return;
  TFormNewGFF& editor = *FForms.FormNewGFF;
  editor.SetParentSection(CurrentSection);
  editor.SetIsSubField(false);
  editor.SetParentIsList(false);
  editor.SetIniFile(ChangesIni.get());
  // The list shows the file again also when the editor failed.
  try {
    platform::RunModal(editor);
  } catch (...) {
    AfterNewFieldEditor();
    throw;
  }
  AfterNewFieldEditor();
}

void TMainForm::AfterNewFieldEditor() {
  const std::string selected(gridGffMod->Cell(0, gridGffMod->Row()));
  FillGffGrid();
  SelectGffRow(selected);
}

void TMainForm::btnInfoClick() { FForms.InfoForm->TogglePage(FForms.InfoForm->txtInfo); }

void TMainForm::cbReplaceGffClick(bool checked) {
  if (!FileOpen) return;
  try {
    ChangesIni->WriteString(CurrentSection, kReplaceFileKey, checked ? "1" : "0");
  } catch (...) {
    // The box goes on showing what the file holds.
    cbReplaceGff->setChecked(!checked);
    throw;
  }
}

void TMainForm::btnGetGffDestClick() {
  if (!FileOpen) return;
  OpenBox.mode = platform::FileDialogRequest::Mode::Open;
  OpenBox.filter =
      "ERF files (*.erf)|*.erf|MOD files (*.mod)|*.mod|SAV files (*.sav)|*.sav|HAK files "
      "(*.hak)|*.hak";
  OpenBox.defaultExtension = "erf";
  OpenBox.fileName.clear();
  OpenBox.title = "Select an ERF format file to get the name of...";
  OpenBox.fileMustExist = true;
  OpenBox.pathMustExist = true;
  const std::vector<std::string> chosen = platform::RunFileDialog(this, OpenBox);
  edGffDest->setText(
      platform::ToQt(chosen.empty() ? kDefaultDestination : BareFileName(chosen.front())));
  edGffDest->setFocus();
}

void TMainForm::btnGffDestSetClick() {
  if (!FileOpen) return;
  const std::optional<std::string> destination = platform::StorableText(this, edGffDest->text());
  if (destination) StoreGffDestination(*ChangesIni, CurrentSection, *destination);
}

void TMainForm::btnGffLoadFieldsClick() {
  if (!FileOpen) return;
  std::optional<std::string> source = FindGffBesideIni(ChangesIni->FileName(), CurrentSection);
  if (!source) {
    OpenBox.mode = platform::FileDialogRequest::Mode::Open;
    OpenBox.filter = "GFF format files (*.*)|*.*";
    OpenBox.defaultExtension.clear();
    OpenBox.fileName.clear();
    OpenBox.title = "Select a GFF format file to get the field labels from...";
    OpenBox.fileMustExist = true;
    OpenBox.pathMustExist = true;
    const std::vector<std::string> chosen = platform::RunFileDialog(this, OpenBox);
    if (chosen.empty() || !platform::FileExists(chosen.front())) return;
    source = chosen.front();
  }
  platform::HourglassCursor hourglass;
  TGFFFile file;
  file.LoadFromFile(*source);
  // Named after the shown file, also when the paths came from a file of another name.
  FieldPathSource = CurrentSection;
  ReplaceComboItems(*edGffField, SortedNoCase(FieldPathsOf(file)));
  MarkLoaded(*edGffField, true);
  edGffField->setFocus();
}

void TMainForm::MoveSelectedGffRow(bool up) {
  if (!FileOpen) return;
  const int row = gridGffMod->Row();
  const int count = gridGffMod->RowCount();
  if (up ? row <= 0 : row >= count - 1) return;
  TKeyValues rows;
  for (int i = 0; i < count; ++i) rows.emplace_back(gridGffMod->Cell(0, i), gridGffMod->Cell(1, i));
  const int moved = MoveGffModifier(*ChangesIni, CurrentSection, rows, row, up);
  LoadGffModifiers(CurrentSection);
  gridGffMod->SetRow(moved);
}

void TMainForm::cbGffValueDropDown() {
  if (!FileOpen) return;
  platform::HourglassCursor hourglass;
  ReplaceComboItems(*cbGffValue, GffValueTokens(*ChangesIni));
}

}  // namespace quennet
