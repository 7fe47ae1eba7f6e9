// The main window's commands that add and modify entries through the entry dialog,
// and the refresh of the grid afterwards.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "platform/Conversions.h"
#include "platform/Locale.h"
#include "platform/ui/Codec.h"
#include "talktable/UEntryForm.h"
#include "talktable/UMainForm.h"

namespace sorlith {

namespace {

// The dialog's number fields, once they have all been read as numbers.
struct TEntryNumbers {
  float SoundLength;
  uint32_t VolumeVariance;
  uint32_t PitchVariance;
};

// The typed texts must fit the code page before anything is read or stored.
bool TextsStorable(TMainForm& window) {
  const TEntryForm& form = window.EntryForm();
  return window.Storable(form.txtString->toPlainText()) && window.Storable(form.edResref->text());
}

// Reads the number fields in the program's order, warning about the first that fails.
std::optional<TEntryNumbers> ReadNumbers(TMainForm& window) {
  const TEntryForm& form = window.EntryForm();
  const std::optional<float> length = form.ReadSoundLength();
  if (!length) {
    window.ShowWarning("Error reading decimal value. Only numbers allowed, and you must use " +
                       std::string(1, platform::DecimalSeparator()) + " as a decimal separator!");
    return std::nullopt;
  }
  const std::optional<uint32_t> volume = form.ReadVolumeVariance();
  const std::optional<uint32_t> pitch = form.ReadPitchVariance();
  if (!volume || !pitch) {
    window.ShowWarning("Error! Volume and pitch variance must be non-decimal numbers!");
    return std::nullopt;
  }
  return TEntryNumbers{*length, *volume, *pitch};
}

void StoreFields(const TEntryForm& form, const TEntryNumbers& numbers, TTLKString& entry) {
  entry.SetFlags(form.ReadFlags());
  entry.SetVolumeVariance(numbers.VolumeVariance);
  entry.SetPitchVariance(numbers.PitchVariance);
  entry.SetSoundLength(numbers.SoundLength);
  entry.SetSoundResRef(form.ReadSoundResRef());
  entry.SetText(form.ReadText());
}

// The interval field as a whole number; a field that holds none raises the run-time's
// conversion error, which ends the command in the default error box.
int64_t NumberIn(const QLineEdit& field) {
  return platform::StrToInt(platform::FromQt(field.text()));
}

void SetNumber(QLineEdit& field, int64_t value) {
  field.setText(platform::ToQt(platform::IntToStr(value)));
}

TTLKString* FindEntry(TTLKFileHandler& table, uint32_t strRef) {
  TStringDataList& list = table.EntryList();
  for (TTLKString* entry = list.First(); entry && entry->GetStrRef() <= strRef; entry = list.Next())
    if (entry->GetStrRef() == strRef) return entry;
  return nullptr;
}

}  // namespace

void TMainForm::Newentry1Click() {
  TEntryForm& form = EntryForm();
  form.ResetFields();
  const QPoint topLeft = PlaceAt(32, 64);
  form.SetPosition(topLeft.x(), topLeft.y());
  form.setWindowTitle(QStringLiteral("Add new entry"));
  form.SetEntryNumber(static_cast<int32_t>(FTalkTable->EntryCount()));
  if (platform::RunModal(form) == QDialog::Accepted) StoreNewEntry();
}

void TMainForm::StoreNewEntry() {
  try {
    if (!FTalkTable->IsOpen())
      throw EHell("No TLK file us currently open. Nothing to add an entry to");
    if (!TextsStorable(*this)) return;
    const std::optional<TEntryNumbers> numbers = ReadNumbers(*this);
    if (!numbers) return;
    auto entry = std::make_unique<TTLKString>();
    StoreFields(EntryForm(), *numbers, *entry);
    FTalkTable->AddEntry(std::move(entry));
  } catch (const EHell& error) {
    ShowWarning("ERROR! " + error.Text());
    return;
  }
  // The interval ends at the new entry and spans at most 1001 entries. Computed in 64
  // bits, and a start past the end (typed but never shown) or below 0 moves too, so
  // that the display that follows never refuses the interval.
  const int64_t last = static_cast<int64_t>(FTalkTable->EntryCount()) - 1;
  const int64_t start = NumberIn(*edStart);
  if (start < 0 || start > last || last - start > 1000)
    SetNumber(*edStart, std::max<int64_t>(0, last - 1000));
  SetNumber(*edStop, last);
  btnShowClick();
  std::string maxText = "(";
  maxText += platform::IntToStr(last) + " max.)";
  lblMax->setText(platform::ToQt(maxText));
  grid->SetRow(grid->RowCount() - 1);
  Save2->setEnabled(true);
}

void TMainForm::Editrow1Click() {
  // An empty cell (the blank row of an empty table) selects no entry either.
  const bool entryRow = grid->ColCount() >= 2 && !grid->Cell(0, grid->Row()).empty();
  if (!entryRow) {
    ShowWarning("No TLK entry row has been selected in the table!");
    return;
  }
  TTLKString* entry = nullptr;
  try {
    if (!FTalkTable->IsOpen()) throw EHell("No TLK file is currently open to edit entries in!");
    const std::optional<int64_t> strRef = platform::TryStrToInt64(grid->Cell(0, grid->Row()));
    if (!strRef || *strRef > static_cast<int64_t>(FTalkTable->EntryCount()) - 1)
      throw EHell("Invalid TLK entry specified. Unable to edit it.");
    entry = FindEntry(*FTalkTable, static_cast<uint32_t>(*strRef));
    if (!entry) throw EHell("Unable to find the TLK entry for the selected row!");
  } catch (const EHell& error) {
    ShowWarning("ERROR! " + error.Text());
    return;
  }
  TEntryForm& form = EntryForm();
  form.ResetFields();
  const QPoint topLeft = PlaceAt(32, 64);
  form.SetPosition(topLeft.x(), topLeft.y());
  form.SetEntryNumber(static_cast<int32_t>(entry->GetStrRef()));
  form.ShowEntry(*entry);
  form.setWindowTitle(QStringLiteral("Modify entry"));
  if (platform::RunModal(form) == QDialog::Accepted) StoreModifiedEntry(*entry);
}

void TMainForm::gridDblClick() { Editrow1Click(); }

void TMainForm::StoreModifiedEntry(TTLKString& entry) {
  try {
    if (!TextsStorable(*this)) return;
    const std::optional<TEntryNumbers> numbers = ReadNumbers(*this);
    if (!numbers) return;
    KeepListedTexts();
    StoreFields(EntryForm(), *numbers, entry);
    FTalkTable->ModifyEntry(entry);
  } catch (const EHell& error) {
    ShowWarning("ERROR! " + error.Text());
    return;
  }
  const int64_t strRef = entry.GetStrRef();
  const int64_t start = NumberIn(*edStart);
  const int64_t stop = NumberIn(*edStop);
  if (start > strRef) SetNumber(*edStart, strRef);
  if (stop < strRef) SetNumber(*edStop, strRef);
  if (FSearchResultsShown)
    RepeatLastSearch();
  else
    btnShowClick();
  Save2->setEnabled(true);
  const std::string strRefText = platform::IntToStr(strRef);
  for (int row = grid->FixedRows(); row < grid->RowCount(); ++row) {
    if (grid->Cell(0, row) == strRefText) {
      grid->SetRow(row);
      break;
    }
  }
}

}  // namespace sorlith
