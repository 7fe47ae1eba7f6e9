// The talk-table editor's main window: one talk table, the interval display in the
// grid, the preview memo and the File, Edit and Tools menus. The class is split over
// several sources by topic: UMainForm.cpp (window, File and Edit menus, interval
// display), UMainForm_Search.cpp, UMainForm_Entries.cpp and UMainForm_Table.cpp
// (the Tools menu and Set language).
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Services.h"
#include "platform/ui/StringGrid.h"
#include "talktable/UPreviewMemo.h"
#include "talktable/USearchCriteria.h"
#include "talktable/UTLKFile.h"

class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStatusBar;

namespace sorlith {

class TSearchForm;
class TEntryForm;
class TLanguageForm;
class TConfirmDelete;
class TPadEntriesForm;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // Creates the dialogs once, in the program's order, after the main window.
  void CreateForms();
  TSearchForm& SearchForm() const { return *FSearchForm; }
  TEntryForm& EntryForm() const { return *FEntryForm; }
  TLanguageForm& LanguageForm() const { return *FLanguageForm; }
  TConfirmDelete& ConfirmDelete() const { return *FConfirmDelete; }
  TPadEntriesForm& PadEntriesForm() const { return *FPadEntriesForm; }

  TTLKFileHandler& TalkTable() { return *FTalkTable; }
  bool SearchResultsShown() const { return FSearchResultsShown; }
  void SetSearchResultsShown(bool value) { FSearchResultsShown = value; }

  // Message boxes placed at the window's left edge + 64 and top edge + 128.
  // A sentence's path spans show as the file system names them.
  void ShowWarning(const platform::Sentence& text);
  void ShowInfo(const platform::Sentence& text);
  platform::MessageAnswer AskYesNo(const platform::Sentence& text);
  // True when the code page can store `typed`; otherwise the warning naming the first
  // character it cannot store has been shown and the command must stop.
  bool Storable(const QString& typed);
  // The window's top left corner + (dx, dy) on the screen, where dialogs are placed.
  QPoint PlaceAt(int dx, int dy) const;

  // The text of the status bar's one panel.
  std::string StatusText() const;
  void SetStatusText(const platform::Sentence& text);

  void ClearGrid(platform::StringGrid& target);
  // The grid shows one disabled cell holding `text`.
  void ShowGridMessage(const std::string& text);
  // Three columns with the headers in the fixed row 0 and `rows` further rows.
  void SetTableMode(int rows);
  void SetColumnWidths();
  // The grid's rows (it is left empty) made ready for the entries: three columns and
  // the header row.
  platform::GridRows TakeTableRows();
  // Room in `rows` for the entries from StrRef `first` to `last`.
  static void ReserveTableRows(platform::GridRows& rows, uint32_t first, uint32_t last);
  // One entry as a grid row: StrRef, text without carriage returns, sound ResRef
  // without NUL bytes. A text without carriage returns is listed where it lies, in the
  // entry (a list of many rows copies no text): see KeepListedTexts.
  static void AddGridRow(platform::GridRows& rows, const TTLKString& entry);

  // The open dialog's request; commands set its file name before they show it.
  platform::FileDialogRequest& OpenTlkFile() { return FOpenTlkFile; }
  platform::FileDialogRequest& SaveTlkFile() { return FSaveTlkFile; }

  // Loads a table and readies the window for interval entry; refusals are warnings.
  void LoadFile(const std::string& path);

  // Handlers.
  void FormCreate();
  void FormShow();
  void FormResize();
  bool FormCloseQuery();
  void New1Click();
  void Open1Click();
  void Save2Click();
  void Save1Click();
  void Quit1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Selectall1Click();
  void btnShowClick();
  void gridClick();
  // True when the key is to be discarded.
  bool edStartKeyPress(const QKeyEvent& event);
  bool edStopKeyPress(const QKeyEvent& event);

  // Search (UMainForm_Search.cpp).
  void Search1Click();
  // Lists the entries that meet the search dialog's criteria; refusals are warnings.
  void RunSearch();
  // Runs the last search that ran again, with its criteria and interval.
  void RepeatLastSearch();
  static bool WordsMatch(const std::string& s, const std::string& t);

  // Adding and modifying entries (UMainForm_Entries.cpp).
  void Newentry1Click();
  void StoreNewEntry();
  void Editrow1Click();
  void gridDblClick();
  void StoreModifiedEntry(TTLKString& entry);

  // Deleting, padding, appending; language (UMainForm_Table.cpp).
  void Deleteselected1Click();
  void PadtoStrRef1Click();
  void Appendfile1Click();
  void Setlanguage1Click();

  // Components, named as their objectName.
  QWidget* Panel1;
  QPushButton* btnShow;
  QLabel* lblInterval1;
  QLineEdit* edStart;
  QLabel* lblInterval2;
  QLineEdit* edStop;
  QLabel* lblMax;
  QProgressBar* pbar;
  platform::StringGrid* grid;
  QSplitter* Splitter1;
  QWidget* Panel2;
  TPreviewMemo* txtDisplay;
  QStatusBar* bpanel;
  QLabel* bpanelText;

  QMenu* File1;
  QAction* New1;
  QAction* Open1;
  QAction* Save2;
  QAction* Save1;
  QAction* Setlanguage1;
  QAction* Quit1;
  QMenu* Edit1;
  QAction* Cut1;
  QAction* Copy1;
  QAction* Paste1;
  QAction* Selectall1;
  QMenu* Tools1;
  QAction* Search1;
  QAction* Newentry1;
  QAction* Editrow1;
  QAction* Deleteselected1;
  QAction* PadtoStrRef1;
  QAction* Appendfile1;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  void CreateMenus();
  void ConnectHandlers();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                   void (TMainForm::*handler)());
  void AddSeparator(QMenu* menu, const char* name);
  void SetTableCommandsEnabled(bool enabled);
  void SetIntervalControlsEnabled(bool enabled);
  void ResetForIntervalEntry(uint32_t last, const std::string& gridMessage);
  void ShowInterval();
  // The grid copies the texts it lists from the entries. A command calls it before it
  // changes or frees an entry's text or the table's entries: until the grid is filled
  // again it may still be painted (behind a message box, or for good when the command
  // stops there), and must show what it showed.
  void KeepListedTexts();
  bool IntervalKeyPress(const QKeyEvent& event);
  bool IsMenuShortcut(const QKeyEvent& event) const;
  bool SaveTo(const std::string& target);
  struct TSearchRun {
    TSearchCriteria Criteria;
    int32_t Start;
    int32_t Stop;
  };
  void ListSearch(const TSearchRun& search);
  platform::MessageAnswer Message(platform::MessageKind kind, const char* caption,
                                  const platform::Sentence& text);

  std::unique_ptr<TTLKFileHandler> FTalkTable;
  bool FSearchResultsShown = false;
  std::optional<TSearchRun> FLastSearch;
  bool FQuitConfirmed = false;
  platform::FileDialogRequest FOpenTlkFile;
  platform::FileDialogRequest FSaveTlkFile;
  std::unique_ptr<TSearchForm> FSearchForm;
  std::unique_ptr<TEntryForm> FEntryForm;
  std::unique_ptr<TLanguageForm> FLanguageForm;
  std::unique_ptr<TConfirmDelete> FConfirmDelete;
  std::unique_ptr<TPadEntriesForm> FPadEntriesForm;
};

// True when the program's first argument is to be opened at start-up: an existing
// file whose name ends in ".tlk" in any case.
bool ShouldOpenAtStartUp(int argc, char** argv);

}  // namespace sorlith
