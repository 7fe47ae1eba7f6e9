#include "configeditor/U2daModifierForm.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>

#include "configeditor/UConventions.h"
#include "configeditor/UDropDownCombo.h"
#include "configeditor/UHelpWindow.h"
#include "formats/U2DAEdit.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/Services.h"
#include "platform/ui/StringGrid.h"

namespace quennet {

namespace {

constexpr int kKeyColumnWidth = 82;

std::string TextOf(const QComboBox& box) { return platform::FromQt(box.currentText()); }

void EmptyText(QComboBox& box) {
  box.setCurrentIndex(-1);
  box.clearEditText();
}

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

QColor LoadedLabelsColour() { return QColor(0xC0, 0xDC, 0xC0); }

T2daModifierForm::T2daModifierForm(QWidget* parent, const char* name) : QDialog(parent) {
  setObjectName(QString::fromLatin1(name));
  grid2daMod = new platform::StringGrid(this);
  grid2daMod->setObjectName(QStringLiteral("grid2daMod"));
  grid2daMod->SetColCount(2);
  grid2daMod->SetRowCount(1);
  grid2daMod->SetFixedRows(0);
  grid2daMod->SetFixedCols(0);
  grid2daMod->SetDefaultRowHeight(16);
  grid2daMod->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  OpenDlg.mode = platform::FileDialogRequest::Mode::Open;
  OpenDlg.pathMustExist = true;
  OpenDlg.fileMustExist = true;
}

void T2daModifierForm::BindBoxes(QComboBox* columnBox, TDropDownCombo* valueBox,
                                 QComboBox* exclusiveBox, std::vector<std::string> fixedTokens) {
  FColumnBox = columnBox;
  FValueBox = valueBox;
  FExclusiveBox = exclusiveBox;
  FFixedTokens = std::move(fixedTokens);
  FValueBox->SetOnDropDown([this] { cbValueDropDown(); });
  if (FExclusiveBox == nullptr) return;
  // Only the user's own edits write: a keystroke or a choice from the list.
  auto changed = [this](const QString& text) { cbExclusiveLabelChange(platform::FromQt(text)); };
  platform::Connect(FExclusiveBox->lineEdit(), &QLineEdit::textEdited, this, changed);
  platform::Connect(FExclusiveBox, &QComboBox::textActivated, this, changed);
}

void T2daModifierForm::MakeEditable(QComboBox& box, const char* name, const char* hint) {
  box.setObjectName(QString::fromLatin1(name));
  box.setEditable(true);
  // Enter must reach the default button, and what is typed must stay as typed.
  box.setInsertPolicy(QComboBox::NoInsert);
  box.setCompleter(nullptr);
  box.setStatusTip(QString::fromLatin1(hint));
  box.setToolTip(box.statusTip());
}

void T2daModifierForm::CommonLoadSteps() {
  grid2daMod->SetRows({{"", ""}});
  grid2daMod->SetColWidth(0, kKeyColumnWidth);
  grid2daMod->SetColWidth(1, grid2daMod->width() - kKeyColumnWidth - 6);
  if (FValueBox == nullptr) return;
  FValueBox->clear();
  FValueBox->clearEditText();
}

void T2daModifierForm::ListKeys(const std::vector<std::string>& keys,
                                const std::function<bool(const std::string&)>& hidden) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& key : keys) {
    if (hidden(key)) continue;
    std::string value = FIniFile->ReadString(FModifierSection, key, "");
    if (!value.empty()) rows.push_back({key, std::move(value)});
  }
  if (rows.empty()) rows.push_back({"", ""});
  grid2daMod->SetRows(std::move(rows));
  grid2daMod->SetRow(0);
}

void T2daModifierForm::StoreRow(const std::string& key, const std::string& value) {
  int row = -1;
  for (int i = 0; i < grid2daMod->RowCount() && row < 0; ++i) {
    if (grid2daMod->Cell(0, i) == key) row = i;
  }
  if (row < 0) {
    row = grid2daMod->RowCount() - 1;
    if (!grid2daMod->Cell(0, row).empty()) {
      row = grid2daMod->RowCount();
      grid2daMod->SetRowCount(row + 1);
    }
    grid2daMod->SetCell(0, row, key);
  }
  grid2daMod->SetCell(1, row, value);
  grid2daMod->SetRow(row);
  FIniFile->WriteString(FModifierSection, key, value);
}

void T2daModifierForm::StoreColumnValue() {
  if (FColumnBox == nullptr || FValueBox == nullptr) return;
  const std::string key = TextOf(*FColumnBox);
  const std::string value = TextOf(*FValueBox);
  if (key.empty() || value.empty()) return;
  if (std::optional<std::string> refusal = RefusedKeyName(key)) {
    platform::ShowMessage(this, {platform::MessageKind::Warning, "Warning", *refusal, {}});
    return;
  }
  StoreRow(key, value);
  EmptyText(*FColumnBox);
  EmptyText(*FValueBox);
  FColumnBox->setFocus();
}

void T2daModifierForm::EditColumnValue() {
  if (FColumnBox == nullptr || FValueBox == nullptr) return;
  const int row = grid2daMod->Row();
  SetComboText(*FColumnBox, grid2daMod->Cell(0, row), true);
  SetComboText(*FValueBox, grid2daMod->Cell(1, row), false);
  FValueBox->setFocus();
}

void T2daModifierForm::DeleteColumnValue() {
  const int row = grid2daMod->Row();
  const std::string key = grid2daMod->Cell(0, row);
  if (key.empty()) return;
  FIniFile->DeleteKey(FModifierSection, key);
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < grid2daMod->RowCount(); ++i) {
    if (i != row) rows.push_back({grid2daMod->Cell(0, i), grid2daMod->Cell(1, i)});
  }
  grid2daMod->SetRows(std::move(rows));
  grid2daMod->SetRow(std::min(row, grid2daMod->RowCount() - 1));
}

void T2daModifierForm::cbValueDropDown() {
  std::vector<std::string> tokens;
  {
    platform::HourglassCursor hourglass;
    tokens = ValueTokens(*FIniFile, FFixedTokens, FFileName2da, FModifierSection);
  }
  ReplaceComboItems(*FValueBox, tokens);
}

std::optional<std::string> T2daModifierForm::ColumnLabelsPath(bool interactive) {
  if (std::optional<std::string> beside = Find2daBesideIni(FIniFile->FileName(), FFileName2da)) {
    return beside;
  }
  if (!interactive) return std::nullopt;
  OpenDlg.filter = "2DA file (*.2da)|*.2da";
  OpenDlg.defaultExtension = "2da";
  OpenDlg.fileName = FFileName2da;
  OpenDlg.title = "Open " + FFileName2da + " to load column labels from.";
  std::vector<std::string> chosen = platform::RunFileDialog(this, OpenDlg);
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

std::vector<std::string> T2daModifierForm::ReadColumnLabels(const std::string& path) {
  T2DAHandler table;
  table.LoadFromFile(path);
  std::vector<std::string> labels;
  for (int32_t column = 0; column < table.ColumnCount(); ++column) {
    labels.push_back(table.GetColumnLabel(column));
  }
  return labels;
}

void T2daModifierForm::LoadColumnLabels(bool interactive, QWidget* asker,
                                        const std::string& firstItem) {
  if (FColumnBox == nullptr || FExclusiveBox == nullptr) return;
  const QString exclusiveText = FExclusiveBox->currentText();
  const std::optional<std::string> path = ColumnLabelsPath(interactive);
  if (!path) return;
  platform::CursorService& cursor = *platform::CurrentServices().cursor;
  cursor.Set(platform::CursorShape::Hourglass);
  if (asker) asker->setEnabled(false);
  TScopeExit restore([&] {
    cursor.Set(platform::CursorShape::Normal);
    FColumnBox->setEnabled(true);
    FExclusiveBox->setEnabled(true);
    FExclusiveBox->setEditText(exclusiveText);
    if (asker) asker->setEnabled(true);
  });
  cursor.ProcessPendingMessages();
  FColumnBox->setEnabled(false);
  FExclusiveBox->setEnabled(false);
  const std::vector<std::string> labels = ReadColumnLabels(*path);
  FLoadedColumnsFile = FFileName2da;

  FColumnBox->clear();
  FExclusiveBox->clear();
  FColumnBox->addItem(platform::ToQt(firstItem));
  FExclusiveBox->addItem(QString());
  for (const std::string& label : labels) {
    FColumnBox->addItem(platform::ToQt(label));
    FExclusiveBox->addItem(platform::ToQt(label));
  }
  // Qt selects the first item a box receives; without a column nothing is selected.
  const int selected = labels.empty() ? -1 : 0;
  FColumnBox->setCurrentIndex(selected);
  FExclusiveBox->setCurrentIndex(selected);
  MarkLoadedLabels(*FColumnBox, true);
  MarkLoadedLabels(*FExclusiveBox, true);
}

void T2daModifierForm::ResetColumnBoxes() {
  for (QComboBox* box : {FColumnBox, FExclusiveBox}) {
    if (box == nullptr) continue;
    MarkLoadedLabels(*box, false);
    box->clear();
    box->clearEditText();
  }
}

void T2daModifierForm::ShowExclusiveColumn() {
  if (FExclusiveBox == nullptr) return;
  const std::string text = FIniFile->ReadString(FModifierSection, "ExclusiveColumn", "");
  SetComboText(*FExclusiveBox, text, !text.empty());
}

void T2daModifierForm::cbExclusiveLabelChange(const std::string& text) {
  if (text.empty()) {
    FIniFile->DeleteKey(FModifierSection, "ExclusiveColumn");
  } else {
    FIniFile->WriteString(FModifierSection, "ExclusiveColumn", text);
  }
}

void T2daModifierForm::RewriteKeysFirst(const std::vector<std::string>& identifyingNames,
                                        const TKeyValues& keys) {
  quennet::RewriteKeysFirst(*FIniFile, FModifierSection, identifyingNames, keys);
}

void T2daModifierForm::MarkLoadedLabels(QComboBox& box, bool loaded) {
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base,
                   loaded ? LoadedLabelsColour() : QApplication::palette().color(QPalette::Base));
  box.setPalette(palette);
}

void T2daModifierForm::SetComboText(QComboBox& box, const std::string& text, bool selectItem) {
  const QString wanted = platform::ToQt(text);
  const int item =
      selectItem ? box.findText(wanted, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
  box.setCurrentIndex(item);
  if (item < 0) box.setEditText(wanted);
}

void T2daModifierForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnDesktop(*this);
}

// No Cancel: every change is already written, so Esc does not close the dialog.
void T2daModifierForm::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quennet
