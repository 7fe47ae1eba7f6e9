// The main window's commands that change the table as a whole: delete the selected
// entry, pad to a StrRef, append another table and set the table's language.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "platform/Conversions.h"
#include "platform/Exceptions.h"
#include "platform/ui/Codec.h"
#include "talktable/UConfirmDelete.h"
#include "talktable/ULanguageForm.h"
#include "talktable/UMainForm.h"
#include "talktable/UPadForm.h"

namespace sorlith {

namespace {

constexpr int64_t kRefreshedEntries = 1000;  // the refreshed interval spans at most 1001
constexpr int kAppendShownEntries = 20;
const char* const kIntervalMessage =
    "Please specify a StrRef interval of strings to display. Bigger interval uses more memory and "
    "time.";

int64_t FieldNumber(const QLineEdit& field) {
  return platform::StrToInt(platform::FromQt(field.text()));
}

void SetFieldNumber(QLineEdit& field, int64_t value) {
  field.setText(platform::ToQt(platform::IntToStr(value)));
}

// Pulls the start field up to at most 1000 below `stop` (never below 0), and down to
// it when it lies above `stop`. Computed signed, so an empty table, a start typed
// beyond the stop or a negative start (pasted) gives a valid interval.
void NarrowStartTo(QLineEdit& edStart, int64_t stop) {
  const int64_t start = FieldNumber(edStart);
  if (start < 0 || start > stop || stop - start > kRefreshedEntries)
    SetFieldNumber(edStart, std::max<int64_t>(0, stop - kRefreshedEntries));
}

void SetMaxLabel(QLabel& lblMax, int64_t last) {
  // Built in steps: g++ 12 warns falsely (-Wrestrict) on a literal + a temporary string.
  std::string text = "(";
  text += platform::IntToStr(last) + " max.)";
  lblMax.setText(platform::ToQt(text));
}

// The pad field's number. A number too large for the table is refused by the pad
// itself with its own warning; a text that is no number is the conversion error.
int64_t PadTarget(const std::string& text) {
  const std::optional<int64_t> target = platform::TryStrToInt64(text);
  if (!target) throw platform::EConvertError::InvalidInteger(text);
  return *target;
}

// Selects the first grid row whose StrRef cell is `strRef`, and previews it.
void SelectGridRow(TMainForm& form, int64_t strRef) {
  const std::string wanted = platform::IntToStr(strRef);
  for (int row = form.grid->FixedRows(); row < form.grid->RowCount(); ++row) {
    if (form.grid->Cell(0, row) != wanted) continue;
    form.grid->SetRow(row);
    form.gridClick();
    return;
  }
}

}  // namespace

void TMainForm::Deleteselected1Click() {
  if (grid->ColCount() < 2) return;
  const std::string cell(grid->Cell(0, grid->Row()));
  // The empty row of an empty table holds no entry to delete.
  if (cell.empty()) return;
  const int64_t n = platform::StrToInt(cell);
  TConfirmDelete& dialog = ConfirmDelete();
  const QPoint at = PlaceAt(100, 128);
  dialog.SetPosition(at.x(), at.y());
  dialog.SetEntryNumber(static_cast<int>(n));
  if (platform::RunModal(dialog) != QDialog::Accepted) return;

  TTLKFileHandler& table = TalkTable();
  try {
    if (!table.IsOpen()) throw EHell("No TLK file is currently open to delete entries from!");
    if (n < 0 || n > int64_t{table.EntryCount()} - 1)
      throw EHell("Invalid TLK entry specified. Unable to edit it.");
    TStringDataList& list = table.EntryList();
    TTLKString* entry = list.First();
    while (entry && entry->GetStrRef() < n) entry = list.Next();
    if (!entry || entry->GetStrRef() != n)
      throw EHell("Unable to find the entry that should be deleted.");
    KeepListedTexts();
    table.DeleteEntry(static_cast<uint32_t>(n));
  } catch (const EHell& error) {
    ShowWarning("ERROR! " + error.Text());
    return;
  }
  ShowInfo("Entry " + platform::IntToStr(n) +
           " has been deleted. Warning: All following entries have had their StrRefs changed!");

  const int64_t last = int64_t{table.EntryCount()} - 1;
  try {
    int64_t stop = FieldNumber(*edStop);
    if (stop > last) stop = last;
    stop = std::max<int64_t>(stop, 0);
    SetFieldNumber(*edStop, stop);
    NarrowStartTo(*edStart, stop);
  } catch (const platform::EConvertError&) {
    // The rows on show are numbered as before the delete: none may stay selectable.
    ShowGridMessage(kIntervalMessage);
    txtDisplay->clear();
    throw;
  }
  SetMaxLabel(*lblMax, std::max<int64_t>(last, 0));
  btnShowClick();
  Save2->setEnabled(true);
  SelectGridRow(*this, std::max<int64_t>(std::min(n, last), 0));
}

void TMainForm::PadtoStrRef1Click() {
  TTLKFileHandler& table = TalkTable();
  TPadEntriesForm& dialog = PadEntriesForm();
  dialog.SetEntryCount(table.EntryCount());
  const QPoint at = PlaceAt(32, 64);
  dialog.SetPosition(at.x(), at.y());
  if (platform::RunModal(dialog) != QDialog::Accepted) return;
  const std::string text = dialog.StrRefText();
  if (text.empty()) return;
  const int64_t target = PadTarget(text);

  const int64_t old = table.EntryCount();
  int64_t added = 0;
  try {
    added = table.PadToStrRef(target);
  } catch (const EHell& error) {
    ShowWarning(error.Message());
    return;
  }
  const int64_t last = target - 1;
  NarrowStartTo(*edStart, last);
  SetFieldNumber(*edStop, last);
  SetMaxLabel(*lblMax, last);
  btnShowClick();
  Save2->setEnabled(true);
  SelectGridRow(*this, last);
  ShowInfo("Added " + platform::IntToStr(added) + " blank entries, padding StrRef " +
           platform::IntToStr(old) + " to " + platform::IntToStr(last) + ".");
}

void TMainForm::Appendfile1Click() {
  TTLKFileHandler& table = TalkTable();
  if (!table.IsOpen()) {
    ShowWarning("Error! There is no open TLK file to append entries to!");
    return;
  }
  OpenTlkFile().fileName = "append.tlk";
  const std::vector<std::string> chosen = platform::RunFileDialog(this, OpenTlkFile());
  if (chosen.empty()) return;
  const std::string& path = chosen.front();

  const int64_t old = table.EntryCount();
  int64_t appended = 0;
  try {
    TTLKFileHandler other;
    other.LoadFromFile(path);
    appended = table.AppendEntriesOf(other);
  } catch (const EHell& error) {
    ShowWarning("ERROR! " + error.Text());
    return;
  }
  const int64_t count = table.EntryCount();
  const platform::Sentence report = "Appended " + platform::Sentence::Path(path) +
                                    " to open file. " + "Added " + platform::IntToStr(appended) +
                                    " entries from " + platform::IntToStr(old) + " to " +
                                    platform::IntToStr(count - 1) + ".";
  SetStatusText(report);
  SetFieldNumber(*edStart, count > kAppendShownEntries ? count - kAppendShownEntries : 0);
  SetFieldNumber(*edStop, count - 1);
  SetMaxLabel(*lblMax, count - 1);
  btnShowClick();
  grid->SetRow(grid->RowCount() - 1);
  gridClick();
  ShowInfo(report);
}

void TMainForm::Setlanguage1Click() {
  TTLKFileHandler& table = TalkTable();
  if (!table.IsOpen()) {
    ShowWarning("Error! No TLK file is currently open to set the language for!");
    return;
  }
  TLanguageForm& dialog = LanguageForm();
  dialog.SetLanguageId(table.LanguageId());
  const QPoint at = PlaceAt(100, 128);
  dialog.SetPosition(at.x(), at.y());
  if (platform::RunModal(dialog) != QDialog::Accepted) return;
  const int id = dialog.SelectedIndex();
  if (id < 0 || id >= TLanguageForm::kLanguageCount) {
    ShowWarning("Unsupported language id " + platform::IntToStr(id) +
                " encountered. Unable to save.");
    return;
  }
  // A changed id is an unsaved change like any other, so closing asks first.
  if (static_cast<uint32_t>(id) != table.LanguageId()) {
    table.SetLanguageId(static_cast<uint32_t>(id));
    table.SetModified(true);
  }
  ShowInfo("TLK file Language ID is now set to " + TLanguageForm::LanguageName(id) + ".");
}

}  // namespace sorlith
