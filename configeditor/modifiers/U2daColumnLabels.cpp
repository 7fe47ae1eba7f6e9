#include "configeditor/modifiers/U2daColumnLabels.h"

#include <QComboBox>
#include <QLineEdit>

#include "configeditor/modifiers/U2daModifierForm.h"
#include "configeditor/parts/UPaneParts.h"
#include "formats/U2DAEdit.h"
#include "platform/Exceptions.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

// Runs `restore` when the scope ends, also by an exception.
template <typename Restore>
class TScopeExit {
 public:
  explicit TScopeExit(Restore restore) : FRestore(std::move(restore)) {}
  ~TScopeExit() { FRestore(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  Restore FRestore;
};

}  // namespace

std::vector<std::string> ReadColumnLabels(const std::string& path) {
  T2DAHandler table;
  table.LoadFromFile(path);
  std::vector<std::string> labels;
  for (int32_t column = 0; column < table.ColumnCount(); ++column) {
    labels.push_back(table.GetColumnLabel(column));
  }
  return labels;
}

TColumnLabelPart::TColumnLabelPart(T2daModifierForm& dialog, std::vector<QComboBox*> boxes)
    : FDialog(dialog), FBoxes(std::move(boxes)) {}

bool TColumnLabelPart::ResetForAnotherFile() {
  if (FDialog.FileName2da() == FLoadedColumnsFile) return false;
  // Without it, a later use for that file would trust the emptied boxes.
  FLoadedColumnsFile.clear();
  for (QComboBox* box : FBoxes) {
    MarkLoaded(*box, false);
    box->clear();
    box->clearEditText();
  }
  return true;
}

void TColumnLabelPart::Forget() {
  FLoadedColumnsFile.clear();
  ResetForAnotherFile();
}

std::optional<std::string> TColumnLabelPart::Path(bool interactive) {
  const std::string& fileName2da = FDialog.FileName2da();
  if (std::optional<std::string> beside =
          Find2daBesideIni(FDialog.IniFile()->FileName(), fileName2da)) {
    return beside;
  }
  if (!interactive) return std::nullopt;
  platform::FileDialogRequest& request = FDialog.OpenDlg;
  request.filter = "2DA file (*.2da)|*.2da";
  request.defaultExtension = "2da";
  request.fileName = fileName2da;
  request.title = "Open " + fileName2da + " to load column labels from.";
  std::vector<std::string> chosen = platform::RunFileDialog(&FDialog, request);
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

void TColumnLabelPart::RememberLoadedFile() { FLoadedColumnsFile = FDialog.FileName2da(); }

TExclusiveColumnLabels::TExclusiveColumnLabels(T2daModifierForm& dialog, QComboBox& columnBox,
                                               QComboBox& exclusiveBox, std::string firstItem)
    : TColumnLabelPart(dialog, {&columnBox, &exclusiveBox}),
      FColumnBox(columnBox),
      FExclusiveBox(exclusiveBox),
      FFirstItem(std::move(firstItem)) {
  // Only the user's own edits write: a keystroke or a choice from the list.
  auto changed = [this, parent = &dialog](const QString& text) {
    if (std::optional<std::string> label = platform::StorableText(parent, text))
      cbExclusiveLabelChange(*label);
  };
  platform::Connect(FExclusiveBox.lineEdit(), &QLineEdit::textEdited, &dialog, changed);
  platform::Connect(&FExclusiveBox, &QComboBox::textActivated, &dialog, changed);
}

void TExclusiveColumnLabels::Load(bool interactive, QWidget* asker) {
  if (const std::optional<std::string> path = Path(interactive)) LoadFrom(*path, asker);
}

void TExclusiveColumnLabels::LoadFrom(const std::string& path, QWidget* asker) {
  const QString exclusiveText = FExclusiveBox.currentText();
  platform::CursorService& cursor = *platform::CurrentServices().cursor;
  cursor.Set(platform::CursorShape::Hourglass);
  if (asker) asker->setEnabled(false);
  TScopeExit restore([&] {
    cursor.Set(platform::CursorShape::Normal);
    FColumnBox.setEnabled(true);
    FExclusiveBox.setEnabled(true);
    FExclusiveBox.setEditText(exclusiveText);
    if (asker) asker->setEnabled(true);
  });
  cursor.ProcessPendingMessages();
  FColumnBox.setEnabled(false);
  FExclusiveBox.setEnabled(false);
  const std::vector<std::string> labels = ReadColumnLabels(path);
  RememberLoadedFile();

  FColumnBox.clear();
  FExclusiveBox.clear();
  FColumnBox.addItem(platform::ToQt(FFirstItem));
  FExclusiveBox.addItem(QString());
  for (const std::string& label : labels) {
    FColumnBox.addItem(platform::ToQt(label));
    FExclusiveBox.addItem(platform::ToQt(label));
  }
  // Qt selects the first item a box receives; without a column nothing is selected.
  const int selected = labels.empty() ? -1 : 0;
  FColumnBox.setCurrentIndex(selected);
  FExclusiveBox.setCurrentIndex(selected);
  MarkLoaded(FColumnBox, true);
  MarkLoaded(FExclusiveBox, true);
}

void TExclusiveColumnLabels::LoadSilently() {
  // A damaged table beside changes.ini must not lock the user out of the modifier:
  // the failure is reported, and the next opening tries again.
  const std::optional<std::string> path = Path(false);
  if (!path) return;
  try {
    LoadFrom(*path, nullptr);
  } catch (const platform::Exception& error) {
    platform::ShowException(platform::Exception("The column labels of " + *path +
                                                " cannot be read: " + error.Message()));
  }
}

void TExclusiveColumnLabels::ShowExclusiveColumn() {
  const std::string text =
      FDialog.IniFile()->ReadString(FDialog.ModifierSection(), "ExclusiveColumn", "");
  // An empty text selects no item, not the box's empty first one.
  SetComboText(FExclusiveBox, text, !text.empty());
}

void TExclusiveColumnLabels::cbExclusiveLabelChange(const std::string& text) {
  TCustomIniFile& ini = *FDialog.IniFile();
  if (text.empty()) {
    ini.DeleteKey(FDialog.ModifierSection(), "ExclusiveColumn");
  } else {
    ini.WriteString(FDialog.ModifierSection(), "ExclusiveColumn", text);
  }
}

TRequestedColumnLabels::TRequestedColumnLabels(T2daModifierForm& dialog, QComboBox& columnBox)
    : TColumnLabelPart(dialog, {&columnBox}), FColumnBox(columnBox) {}

void TRequestedColumnLabels::Load() {
  const std::optional<std::string> path = Path(true);
  if (!path) return;
  std::vector<std::string> labels;
  {
    platform::HourglassCursor hourglass;
    labels = ReadColumnLabels(*path);
  }
  RememberLoadedFile();
  FColumnBox.clear();
  for (const std::string& label : labels) FColumnBox.addItem(platform::ToQt(label));
  FColumnBox.setCurrentIndex(labels.empty() ? -1 : 0);
  MarkLoaded(FColumnBox, true);
  FColumnBox.setFocus();
}

}  // namespace quennet
