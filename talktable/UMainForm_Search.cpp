// The main window's Tools > Search command: the search dialog's criteria select the
// entries of an interval, which the grid then lists.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdint>

#include "platform/Conversions.h"
#include "platform/ui/Codec.h"
#include "talktable/UMainForm.h"
#include "talktable/UProgressSteps.h"
#include "talktable/USearchCriteria.h"
#include "talktable/USearchForm.h"

namespace sorlith {

namespace {

std::optional<int32_t> NumberIn(const QLineEdit& field) {
  return platform::TryStrToInt(platform::FromQt(field.text()));
}

}  // namespace

void TMainForm::Search1Click() {
  if (!FTalkTable->IsOpen()) {
    ShowWarning("Error! No TLK file is currently open. There is nothing to search in.");
    return;
  }
  TSearchForm& form = SearchForm();
  form.SetEntryCount(static_cast<int32_t>(FTalkTable->EntryCount()));
  const QPoint topLeft = PlaceAt(32, 64);
  form.SetPosition(topLeft.x(), topLeft.y());
  if (platform::RunModal(form) == QDialog::Accepted) RunSearch();
}

bool TMainForm::WordsMatch(const std::string& s, const std::string& t) {
  return sorlith::WordsMatch(s, t);
}

void TMainForm::RunSearch() {
  const TSearchForm& form = SearchForm();
  if (!Storable(form.edString->text()) || !Storable(form.edResref->text())) return;
  const std::optional<int32_t> start = NumberIn(*form.edStart);
  const std::optional<int32_t> stop = NumberIn(*form.edStop);
  if (!start || !stop) {
    ShowWarning("Error! You can only use numbers when specifying an interval to search in!");
    return;
  }
  ListSearch({form.Criteria(), *start, *stop});
}

// After a modify the search is repeated as it last ran; what the dialog holds now may
// have been typed and then cancelled.
void TMainForm::RepeatLastSearch() {
  if (FLastSearch)
    ListSearch(*FLastSearch);
  else
    btnShowClick();
}

void TMainForm::ListSearch(const TSearchRun& search) {
  try {
    CheckSearchInterval(search.Start, search.Stop, FTalkTable->EntryCount());
  } catch (const EHell& error) {
    // Refused before anything is touched: grid, memo and status stay as they were.
    ShowWarning("ERROR! " + error.Text());
    return;
  }
  FLastSearch = search;
  const TSearchCriteria& criteria = search.Criteria;
  const auto first = static_cast<uint32_t>(search.Start);
  const auto last = static_cast<uint32_t>(search.Stop);

  pbar->setValue(0);
  // A range of 0 to 0 would turn the bar into a busy indicator.
  pbar->setMaximum(static_cast<int>(std::clamp<uint32_t>(last - first, 1, INT32_MAX)));
  txtDisplay->clear();
  // The memo stays empty until the user picks a row: no row change may fill it now.
  const QSignalBlocker quiet(grid);
  ClearGrid(*grid);
  platform::GridRows rows = TakeTableRows();
  grid->setEnabled(false);
  SetTableMode(2);

  // Each match becomes a row while the walk has its entry in the cache, in room for the
  // whole interval; the rows are then handed to the grid in one piece. The progress bar
  // follows the matches.
  ReserveTableRows(rows, first, last);
  TProgressSteps progress(*pbar);
  size_t listed = 0;
  ForEachMatchingEntry(*FTalkTable, criteria, first, last, [&](const TTLKString& entry) {
    AddGridRow(rows, entry);
    ++listed;
    progress.Advance(static_cast<int>(std::min<size_t>(listed, INT32_MAX)));
  });

  if (listed == 0) {
    ShowGridMessage("No entries matching the specified criteria were found!");
    SetStatusText("Search completed. No matching results found.");
  } else {
    grid->SetRows(std::move(rows));
    grid->SetRow(1);
    grid->setEnabled(true);
    SetStatusText("Search completed. " + platform::UIntToStr(listed) +
                  " matches found to specified criteria.");
    grid->setFocus();
    FSearchResultsShown = true;
  }
  progress.Rewind();
}

}  // namespace sorlith
