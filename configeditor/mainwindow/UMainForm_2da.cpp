// The 2DA side of the main window: "[2DAList]", the 2DA file nodes of the tree, the
// modifier list of the shown file (pane2da) and the commands that add, open, copy and
// delete modifiers through the four modifier dialogs.
#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/UForms.h"
#include "configeditor/mainwindow/UCategoryTree.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "configeditor/modifiers/UAddColForm.h"
#include "configeditor/modifiers/UChange2daRowForm.h"
#include "configeditor/modifiers/UCopy2daRowForm.h"
#include "configeditor/modifiers/UMod2DARowForm.h"
#include "configeditor/parts/UIcons.h"
#include "configeditor/parts/UPaneParts.h"
#include "configeditor/prompts/UModLabelForm.h"
#include "configeditor/rules/U2daCompare.h"
#include "configeditor/rules/U2daModifierKeys.h"
#include "configeditor/rules/UModifierSections.h"
#include "configeditor/rules/USectionRows.h"
#include "formats/U2DAEdit.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/KeyValueList.h"
#include "platform/ui/StringGrid.h"

namespace quennet {

namespace {

// The four modifier kinds: what the opener sets for each, and its dialog.
struct TModifierKindEntry {
  T2daModifierKind kind;
  const char* newCaption;
  const char* openedCaption;
  TOpenerTexts texts;
  T2daModifierForm* (*dialog)(TForms&);
};
constexpr TModifierKindEntry kModifierKindTable[] = {
    {T2daModifierKind::AddRow,
     "Add new line in file ",
     "Add line in file ",
     {"", "", "Add 2DA line", "Column values for line:"},
     [](TForms& forms) -> T2daModifierForm* { return forms.Mod2DARowForm.get(); }},
    {T2daModifierKind::ChangeRow,
     "Change line in file ",
     "Change line in file ",
     {" Set line to modify ", " Change column value ", "Modify 2DA line",
      "Modified column values for line:"},
     [](TForms& forms) -> T2daModifierForm* { return forms.Change2daForm.get(); }},
    {T2daModifierKind::CopyRow,
     "Copy line in file ",
     "Copy line in file ",
     {" Set existing line to copy ", " Change column value ", "Copy 2DA line",
      "New column values for copied line:"},
     [](TForms& forms) -> T2daModifierForm* { return forms.Copy2daForm.get(); }},
    {T2daModifierKind::AddColumn,
     "Add column in file ",
     "Add column in file ",
     {"", "", "Add 2DA column", "New row values for column:"},
     [](TForms& forms) -> T2daModifierForm* { return forms.Add2daColForm.get(); }},
};

// Disables widgets and actions for its lifetime, then gives each its state back.
class TDisabledWhile {
 public:
  TDisabledWhile(std::vector<QWidget*> widgets, std::vector<QAction*> actions) {
    for (QWidget* widget : widgets) FWidgets.emplace_back(widget, widget->isEnabled());
    for (QAction* action : actions) FActions.emplace_back(action, action->isEnabled());
    for (auto& [widget, enabled] : FWidgets) widget->setEnabled(false);
    for (auto& [action, enabled] : FActions) action->setEnabled(false);
  }
  ~TDisabledWhile() {
    for (auto& [widget, enabled] : FWidgets) widget->setEnabled(enabled);
    for (auto& [action, enabled] : FActions) action->setEnabled(enabled);
  }
  TDisabledWhile(const TDisabledWhile&) = delete;
  TDisabledWhile& operator=(const TDisabledWhile&) = delete;

 private:
  std::vector<std::pair<QWidget*, bool>> FWidgets;
  std::vector<std::pair<QAction*, bool>> FActions;
};

const TModifierKindEntry& EntryOf(T2daModifierKind kind) {
  for (const TModifierKindEntry& entry : kModifierKindTable) {
    if (entry.kind == kind) return entry;
  }
  return kModifierKindTable[0];
}

}  // namespace

QWidget* TMainForm::Create2daPane() {
  QWidget* pane = NewPane(this, "pane2da");
  lbl2daHeading = platform::MakeHeading(pane, "lbl2daHeading", "2DA Modifications");
  lbl2daLabel1 = platform::MakeLabel(pane, "lbl2daLabel1", "");
  grid2daMod = NewKeyValueGrid(pane, "grid2daMod",
                               "Doubleclick to edit the selected 2DA modifier in the list.");
  grid2daMod->SetColWidth(0, kKeyColumnWidth);

  btn2daAddRow = NewTextButton(pane, "btn2daAddRow", "Add line to 2da",
                               "Create a modifier for adding a new row to the 2DA file.");
  btn2daModify = NewTextButton(pane, "btn2daModify", "Modify line in 2da",
                               "Create a modifier for changing values of an existing 2DA row.");
  btn2daCopy = NewTextButton(
      pane, "btn2daCopy", "Copy line in 2da",
      "Create a modifier to add a new row to the 2DA file, using an existing row as a template.");
  btn2daNewCol = NewTextButton(pane, "btn2daNewCol", "Add column to 2da",
                               "Create a modifier for adding a new column to the 2DA file.");
  btnCopy2daMod = NewImageButton(pane, "btnCopy2daMod", TButtonImage::Copy,
                                 "Make a copy of the selected 2da modifier in the list.");
  btn2daCompare =
      NewImageButton(pane, "btn2daCompare", TButtonImage::Compare,
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
  // Another changes.ini may lie in another folder.
  for (const TModifierKindEntry& entry : kModifierKindTable) {
    entry.dialog(FForms)->ForgetColumnLabels();
  }
}

void TMainForm::Connect2daPane() {
  platform::Connect(btn2daAddRow, &QPushButton::clicked, this, [this] { btn2daAddRowClick(); });
  platform::Connect(btn2daModify, &QPushButton::clicked, this, [this] { btn2daModifyClick(); });
  platform::Connect(btn2daCopy, &QPushButton::clicked, this, [this] { btn2daCopyClick(); });
  platform::Connect(btn2daNewCol, &QPushButton::clicked, this, [this] { btn2daNewColClick(); });
  platform::Connect(btnCopy2daMod, &QToolButton::clicked, this, [this] { btnCopy2daModClick(); });
  platform::Connect(btn2daDelete, &QToolButton::clicked, this, [this] { btn2daDeleteClick(); });
  platform::Connect(btn2daCompare, &QToolButton::clicked, this, [this] { btn2daCompareClick(); });
  WireListPane(
      *pane2da, *grid2daMod, [this] { grid2daModDblClick(); }, 0);
}

void TMainForm::Show2daFile(const std::string& fileName) {
  lbl2daLabel1->setText(platform::ToQt("Modifiers for " + fileName + ": "));
  Load2daModifiers(fileName);
}

void TMainForm::Load2daModifiers(const std::string& fileName) {
  platform::KeyValueList(*grid2daMod)
      .ShowRows(
          // A modifier key without a label stays in the file but lists nothing.
          SectionRows(*FChangesIni, fileName, TEmptyValues::Skipped));
  SetKeyValueColumns(*grid2daMod, kKeyColumnWidth);
}

void TMainForm::btn2daAddRowClick() { Add2daModifier(T2daModifierKind::AddRow); }
void TMainForm::btn2daModifyClick() { Add2daModifier(T2daModifierKind::ChangeRow); }
void TMainForm::btn2daCopyClick() { Add2daModifier(T2daModifierKind::CopyRow); }
void TMainForm::btn2daNewColClick() { Add2daModifier(T2daModifierKind::AddColumn); }

void TMainForm::Add2daModifier(T2daModifierKind kind) {
  if (!FFileOpen) return;
  const std::optional<std::string> label =
      Ask2daModifierLabel("Add new 2DA Modifier", "Specify modifier label");
  if (!label) return;
  std::string key;
  {
    // The label's check, the key's number and the write see one state of the file, so
    // another program's new modifier is never overwritten.
    TIniBatch batch(*FChangesIni);
    if (!Accept2daModifierLabel(*label)) return;
    // Numbered from the file, not from the list, which a failure may have left stale.
    key = AddModifier(*FChangesIni, FCurrentSection, KindWord(kind), *label);
    batch.UpdateFile();
  }
  Open2daModifierDialog(kind, *label, true, key, 0);
}

void TMainForm::grid2daModDblClick() {
  if (!FFileOpen) return;
  const int row = grid2daMod->Row();
  const std::optional<T2daModifierKind> kind = KindOfModifierKey(grid2daMod->Cell(0, row), false);
  if (!kind) return;
  Open2daModifierDialog(*kind, std::string(grid2daMod->Cell(1, row)), false, "", row);
}

void TMainForm::btn2daDeleteClick() {
  if (!FFileOpen) return;
  const int row = grid2daMod->Row();
  const std::string key(grid2daMod->Cell(0, row));
  const std::string label(grid2daMod->Cell(1, row));
  if (key.empty()) return;
  if (AskYesNo("Are you sure you wish to permanently delete the modifier \"" + label +
               "\"  for the 2da file \"" + FCurrentSection + "\"") !=
      platform::MessageAnswer::Yes) {
    return;
  }
  DeleteModifier(*FChangesIni, FCurrentSection, key, label);
  Load2daModifiers(FCurrentSection);
}

void TMainForm::btnCopy2daModClick() {
  if (!FFileOpen) return;
  const std::optional<std::string> label =
      Ask2daModifierLabel("Copy 2DA Modifier", "Specify modifier label for the new copy");
  if (!label) return;
  platform::HourglassCursor hourglass;
  const int row = grid2daMod->Row();
  const std::string source(grid2daMod->Cell(1, row));
  const std::optional<T2daModifierKind> kind = KindOfModifierKey(grid2daMod->Cell(0, row), true);
  std::string key;
  {
    // The key and the copied keys reach the file together, before the dialog's own
    // writes; the label's check and the key's number see the state they are written on.
    TIniBatch batch(*FChangesIni);
    if (!Accept2daModifierLabel(*label)) return;
    if (!kind) {
      Load2daModifiers(FCurrentSection);
      return;
    }
    key = CopyModifier(*FChangesIni, FCurrentSection, KindWord(*kind), source, *label);
    batch.UpdateFile();
  }
  Open2daModifierDialog(*kind, *label, false, key, 0);
}

void TMainForm::btn2daCompareClick() {
  if (!FFileOpen) return;
  const std::optional<std::string> originalPath =
      Ask2daComparePath("Select ORIGINAL 2DA file to compare against:");
  if (!originalPath) return;
  const std::optional<std::string> modifiedPath =
      Ask2daComparePath("Select MODIFIED 2DA file to compare against original.");
  if (!modifiedPath) return;
  const std::string fileSection = FCurrentSection;
  // A disabled menu leaves its items' shortcuts alive, so each item is disabled too.
  TDisabledWhile disabled(
      {tree, pane2da, File1, Actions1},
      {mnuNew, mnuOpen, SetupsNew, SetupsOpen, mnuQuit, mnuAdd2da, mnuAddGff, AddSSFFile2});
  platform::HourglassCursor hourglass;
  T2DAHandler original;
  T2DAHandler modified;
  original.LoadFromFile(*originalPath);
  modified.LoadFromFile(*modifiedPath);
  T2daCompareResult result;
  {
    // changes.ini is written once, after the last modifier; a failed write leaves it as it
    // was and shows no summary.
    TIniBatch batch(*FChangesIni);
    platform::CursorService& cursor = *platform::CurrentServices().cursor;
    result = Compare2daTables(*FChangesIni, fileSection, original, modified,
                              {[this](const std::string& text) { ShowWarning(text); },
                               [&cursor] { cursor.ProcessPendingMessages(); }});
    batch.UpdateFile();
  }
  ShowInfo(CompareSummary(fileSection, result.counts));
  if (!result.unheld.Empty()) ShowWarning(UnheldChangesWarning(result.unheld));
  Load2daModifiers(fileSection);
}

std::optional<std::string> TMainForm::Ask2daComparePath(const char* title) {
  OpenBox.mode = platform::FileDialogRequest::Mode::Open;
  OpenBox.filter = "2DA file (*.2da)|*.2da";
  OpenBox.defaultExtension = "2da";
  OpenBox.fileName = FCurrentSection;
  OpenBox.title = title;
  OpenBox.pathMustExist = true;
  OpenBox.fileMustExist = true;
  std::vector<std::string> chosen = platform::RunFileDialog(this, OpenBox);
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

std::optional<std::string> TMainForm::Ask2daModifierLabel(const char* title, const char* caption) {
  return FForms.NewLabelForm->Ask(title, caption);
}

bool TMainForm::Accept2daModifierLabel(const std::string& label) {
  if (std::optional<std::string> refusal = RefusedSectionName(label)) {
    ShowWarning(*refusal);
    return false;
  }
  if (IsModifierLabelInUse(*FChangesIni, label)) {
    ShowWarning("The specified modifier label already exists for another modifier. Try again.");
    return false;
  }
  if (!IsValidModifierLabel(label)) {
    ShowWarning(
        "Invalid modifier label specified. It must be at least 1 character and may contain no "
        "spaces. Try again.");
    return false;
  }
  return true;
}

void TMainForm::Open2daModifierDialog(T2daModifierKind kind, const std::string& label, bool isNew,
                                      const std::string& keyToSelect, int rowToSelect) {
  const TModifierKindEntry& entry = EntryOf(kind);
  T2daModifierForm& dialog = *entry.dialog(FForms);
  const std::string caption = isNew ? entry.newCaption : entry.openedCaption;
  dialog.setWindowTitle(platform::ToQt(caption + FCurrentSection + " [" + label + "]"));
  dialog.SetIniFile(FChangesIni.get());
  dialog.SetFileName2da(FCurrentSection);
  dialog.SetModifierSection(label);
  dialog.SetModifierKind(KindWord(kind));
  dialog.SetOpenerTexts(entry.texts);
  auto reload = [&] {
    Load2daModifiers(FCurrentSection);
    if (keyToSelect.empty()) {
      grid2daMod->SetRow(rowToSelect);
    } else {
      Select2daModifier(keyToSelect);
    }
  };
  // The list shows the file again also when the dialog failed.
  try {
    dialog.LoadModifier();
    platform::RunModal(dialog);
  } catch (...) {
    reload();
    throw;
  }
  reload();
}

void TMainForm::Select2daModifier(const std::string& key) {
  const int row = grid2daMod->FindRow(0, key);
  if (row >= 0) grid2daMod->SetRow(row);
}

}  // namespace quennet
