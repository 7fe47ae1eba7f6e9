#include "talktable/UMainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <iterator>

#include "formats/UKV_Common.h"
#include "platform/Conversions.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/KeyFilter.h"
#include "platform/ui/TypedText.h"
#include "talktable/UConfirmDelete.h"
#include "talktable/UDialogParts.h"
#include "talktable/UEntryForm.h"
#include "talktable/ULanguageForm.h"
#include "talktable/UPadForm.h"
#include "talktable/UProgressSteps.h"
#include "talktable/USearchForm.h"

namespace sorlith {

namespace {

const char* const kCaption = "Sorlith v1.0.4b (TLK file editor)";
const char* const kNoFileMessage = "Please use the menu to open a TLK file to display.";
const char* const kNoEntriesMessage =
    "No entries present. Please use the Tools menu to add new entries.";
const char* const kIntervalMessage =
    "Please specify a StrRef interval of strings to display. Bigger interval uses more memory "
    "and time.";
constexpr int kFullDisplayQuestionAbove = 136000;

QLabel* NewLabel(const char* name, const char* caption) {
  return Named(new QLabel(QString::fromLatin1(caption)), name);
}

QLineEdit* NewIntervalField(const char* name) {
  QLineEdit* field = Named(new QLineEdit, name);
  field->setMaxLength(10);
  field->setFixedWidth(80);
  return field;
}

std::string PlainText(const QString& text) {
  QString plain = text;
  plain.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return platform::FromQt(plain);
}

// The preview gives its selection without the breaks it shows in long runs.
std::string SelectionOf(const QPlainTextEdit& memo) {
  if (const auto* preview = dynamic_cast<const TPreviewMemo*>(&memo))
    return platform::FromQt(preview->SelectedText());
  return PlainText(memo.textCursor().selectedText());
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromLatin1(kCaption));
  CreateComponents();
  CreateMenus();
  ConnectHandlers();
  FormCreate();
  FOpenTlkFile.mode = platform::FileDialogRequest::Mode::Open;
  FOpenTlkFile.filter = "TLK file|*.tlk";
  FOpenTlkFile.fileMustExist = true;
  FOpenTlkFile.pathMustExist = true;
  FSaveTlkFile.mode = platform::FileDialogRequest::Mode::Save;
  FSaveTlkFile.filter = "TLK File|*.tlk";
  FSaveTlkFile.overwritePrompt = true;
  FSaveTlkFile.pathMustExist = true;

  resize(612, 516);
  setMinimumSize(612, 429);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TMainForm::FormCreate() {
  SetTableCommandsEnabled(false);
  lblMax->clear();
  FTalkTable = std::make_unique<TTLKFileHandler>();
}

// FormDestroy: the table and the dialogs go with their owners.
TMainForm::~TMainForm() = default;

// The dialogs are children of the main window: a window-modal run blocks only the
// dialog's parent, and the commands rely on the window staying still meanwhile.
void TMainForm::CreateForms() {
  FSearchForm = std::make_unique<TSearchForm>(this);
  FEntryForm = std::make_unique<TEntryForm>(this);
  FLanguageForm = std::make_unique<TLanguageForm>(this);
  FConfirmDelete = std::make_unique<TConfirmDelete>(this);
  FPadEntriesForm = std::make_unique<TPadEntriesForm>(this);
}

void TMainForm::CreateComponents() {
  Panel1 = Named(new QWidget, "Panel1");
  Panel1->setMinimumHeight(200);
  btnShow = Named(new QPushButton(QStringLiteral("Show &interval")), "btnShow");
  lblInterval1 = NewLabel("lblInterval1", "StrRef:");
  edStart = NewIntervalField("edStart");
  lblInterval2 = NewLabel("lblInterval2", "to");
  edStop = NewIntervalField("edStop");
  lblMax = NewLabel("lblMax", "");
  lblMax->setEnabled(false);  // never enabled: the highest StrRef stays grey
  auto* row = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{btnShow, lblInterval1, edStart,
                                                         lblInterval2, edStop, lblMax})
    row->addWidget(widget);
  row->addStretch();
  pbar = Named(new QProgressBar, "pbar");
  pbar->setTextVisible(false);
  pbar->setMaximumHeight(12);
  pbar->setValue(0);
  grid = Named(new platform::StringGrid, "grid");
  auto* upper = new QVBoxLayout(Panel1);
  upper->setContentsMargins(4, 4, 4, 0);
  upper->addLayout(row);
  upper->addWidget(pbar);
  upper->addWidget(grid, 1);

  Panel2 = Named(new QWidget, "Panel2");
  Panel2->setMinimumHeight(150);
  txtDisplay = Named(new TPreviewMemo, "txtDisplay");
  txtDisplay->setReadOnly(true);
  txtDisplay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* lower = new QVBoxLayout(Panel2);
  lower->setContentsMargins(4, 0, 4, 4);
  lower->addWidget(txtDisplay);

  Splitter1 = Named(new QSplitter(Qt::Vertical), "Splitter1");
  Splitter1->addWidget(Panel1);
  Splitter1->addWidget(Panel2);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->setStretchFactor(0, 1);
  setCentralWidget(Splitter1);

  // A permanent label: a temporary status message would vanish when a menu is hovered.
  bpanel = Named(new QStatusBar, "bpanel");
  bpanelText = NewLabel("bpanelText", "");
  bpanel->addPermanentWidget(bpanelText, 1);
  setStatusBar(bpanel);

  for (QWidget* widget :
       std::initializer_list<QWidget*>{btnShow, edStart, edStop, lblInterval1, lblInterval2, grid})
    widget->setEnabled(false);
  for (QWidget* widget :
       std::initializer_list<QWidget*>{btnShow, edStart, edStop, grid, txtDisplay})
    widget->installEventFilter(this);
  grid->viewport()->installEventFilter(this);
  for (QLineEdit* field : {edStart, edStop}) platform::RefuseInputMethodText(*field);
}

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const char* caption,
                            const char* shortcut, void (TMainForm::*handler)()) {
  QAction* action = Named(menu->addAction(QString::fromLatin1(caption)), name);
  if (shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
  platform::Connect(action, &QAction::triggered, this,
                    [this, handler](auto&&...) { (this->*handler)(); });
  return action;
}

void TMainForm::AddSeparator(QMenu* menu, const char* name) { Named(menu->addSeparator(), name); }

void TMainForm::CreateMenus() {
  File1 = Named(menuBar()->addMenu(QStringLiteral("&File")), "File1");
  New1 = AddItem(File1, "New1", "&New...", nullptr, &TMainForm::New1Click);
  Open1 = AddItem(File1, "Open1", "&Open...", "Ctrl+O", &TMainForm::Open1Click);
  AddSeparator(File1, "N1");
  Save2 = AddItem(File1, "Save2", "&Save", "Ctrl+S", &TMainForm::Save2Click);
  Save1 = AddItem(File1, "Save1", "S&ave as...", "Ctrl+Alt+S", &TMainForm::Save1Click);
  AddSeparator(File1, "N2");
  Setlanguage1 =
      AddItem(File1, "Setlanguage1", "Set &language...", "Ctrl+L", &TMainForm::Setlanguage1Click);
  AddSeparator(File1, "N3");
  Quit1 = AddItem(File1, "Quit1", "&Quit", "Ctrl+Q", &TMainForm::Quit1Click);

  Edit1 = Named(menuBar()->addMenu(QStringLiteral("&Edit")), "Edit1");
  Cut1 = AddItem(Edit1, "Cut1", "Cu&t", "Ctrl+X", &TMainForm::Cut1Click);
  Copy1 = AddItem(Edit1, "Copy1", "&Copy", "Ctrl+C", &TMainForm::Copy1Click);
  Paste1 = AddItem(Edit1, "Paste1", "&Paste", "Ctrl+V", &TMainForm::Paste1Click);
  AddSeparator(Edit1, "N4");
  Selectall1 = AddItem(Edit1, "Selectall1", "Select &all", "Ctrl+A", &TMainForm::Selectall1Click);

  Tools1 = Named(menuBar()->addMenu(QStringLiteral("&Tools")), "Tools1");
  Search1 = AddItem(Tools1, "Search1", "S&earch...", "Ctrl+F", &TMainForm::Search1Click);
  AddSeparator(Tools1, "N5");
  Newentry1 = AddItem(Tools1, "Newentry1", "&New entry...", "Ctrl+N", &TMainForm::Newentry1Click);
  Editrow1 =
      AddItem(Tools1, "Editrow1", "&Edit selected entry...", "Ctrl+E", &TMainForm::Editrow1Click);
  Deleteselected1 = AddItem(Tools1, "Deleteselected1", "Delete selected entry...", nullptr,
                            &TMainForm::Deleteselected1Click);
  AddSeparator(Tools1, "N6");
  PadtoStrRef1 =
      AddItem(Tools1, "PadtoStrRef1", "Pad to StrRef...", nullptr, &TMainForm::PadtoStrRef1Click);
  AddSeparator(Tools1, "N7");
  Appendfile1 =
      AddItem(Tools1, "Appendfile1", "Append file...", nullptr, &TMainForm::Appendfile1Click);
}

void TMainForm::ConnectHandlers() {
  platform::Connect(btnShow, &QPushButton::clicked, this, [this](auto&&...) { btnShowClick(); });
  platform::Connect(grid, &platform::StringGrid::RowChanged, this,
                    [this](auto&&...) { gridClick(); });
  platform::Connect(grid, &QAbstractItemView::clicked, this, [this](auto&&...) { gridClick(); });
  platform::Connect(grid, &QAbstractItemView::doubleClicked, this,
                    [this](auto&&...) { gridDblClick(); });
}

// ---- Message boxes, status, grid ----

QPoint TMainForm::PlaceAt(int dx, int dy) const { return pos() + QPoint(dx, dy); }

platform::MessageAnswer TMainForm::Message(platform::MessageKind kind, const char* caption,
                                           const platform::Sentence& text) {
  platform::MessageRequest request;
  request.kind = kind;
  request.caption = caption;
  request.text = text.Bytes();
  request.pathSpans = text.PathSpans();
  request.topLeft = PlaceAt(64, 128);
  return platform::ShowMessage(this, request);
}

void TMainForm::ShowWarning(const platform::Sentence& text) {
  Message(platform::MessageKind::Warning, "Warning", text);
}

void TMainForm::ShowInfo(const platform::Sentence& text) {
  Message(platform::MessageKind::Information, "Information", text);
}

platform::MessageAnswer TMainForm::AskYesNo(const platform::Sentence& text) {
  return Message(platform::MessageKind::Confirmation, "Confirm", text);
}

bool TMainForm::Storable(const QString& typed) {
  return platform::StorableText(this, typed, PlaceAt(64, 128)).has_value();
}

std::string TMainForm::StatusText() const { return platform::FromQt(bpanelText->text()); }
void TMainForm::SetStatusText(const platform::Sentence& text) {
  bpanelText->setText(platform::SentenceToQt(text));
}

void TMainForm::ClearGrid(platform::StringGrid& target) {
  target.SetFixedRows(0);
  target.SetRowCount(1);
  for (int col = 0; col < 3; ++col) target.SetCell(col, 0, {});
}

void TMainForm::KeepListedTexts() { grid->OwnCells(); }

void TMainForm::ShowGridMessage(const std::string& text) {
  grid->SetFixedRows(0);
  grid->SetFixedCols(0);
  grid->SetRows({{text}});
  grid->SetColCount(1);
  grid->SetColWidth(0, grid->width() - 6);
  grid->setEnabled(false);
}

void TMainForm::SetTableMode(int rows) {
  grid->SetColCount(3);
  grid->SetFixedCols(1);
  grid->SetRowCount(rows);
  grid->SetFixedRows(1);
  grid->SetCell(0, 0, "StrRef");
  grid->SetCell(1, 0, "Entry text");
  grid->SetCell(2, 0, "Sound Resref");
  SetColumnWidths();
}

// The middle column follows the visible area, which the vertical scroll bar narrows;
// with the grid's own width the StrRef column would be pushed out of view.
void TMainForm::SetColumnWidths() {
  if (grid->ColCount() == 3) {
    grid->SetColWidth(0, 64);
    grid->SetColWidth(1, grid->viewport()->width() - 200);
    grid->SetColWidth(2, 128);
  } else {
    grid->SetColWidth(0, grid->width() - 6);
  }
}

platform::GridRows TMainForm::TakeTableRows() {
  platform::GridRows rows = grid->TakeRows();
  rows.SetColCount(3);
  rows.AddRow({"StrRef", "Entry text", "Sound Resref"});
  return rows;
}

// Room for every entry of the interval, of which a show lists all and a search some:
// room never written takes no memory. A row's own bytes are a StrRef of at most 10
// digits and a ResRef of at most 16 bytes; its text is borrowed, unless it holds a
// carriage return (then the bytes grow past this room). Rows grown as they come would be
// copied at every doubling and fault in twice their memory.
void TMainForm::ReserveTableRows(platform::GridRows& rows, uint32_t first, uint32_t last) {
  const size_t entries = size_t{last - first} + 1;
  rows.Reserve(entries + 1, entries * (10 + 16));
}

namespace {

// Appends `text` to the cell being written with every `leftOut` character left out.
void AppendWithout(platform::GridRows& rows, std::string_view text, char leftOut) {
  for (size_t cut = text.find(leftOut); cut != std::string_view::npos; cut = text.find(leftOut)) {
    rows.Append(text.substr(0, cut));
    text.remove_prefix(cut + 1);
  }
  rows.Append(text);
}

}  // namespace

void TMainForm::AddGridRow(platform::GridRows& rows, const TTLKString& entry) {
  char digits[10];
  const char* digitsEnd =
      std::to_chars(std::begin(digits), std::end(digits), entry.GetStrRef()).ptr;
  rows.AddCell(std::string_view(digits, static_cast<size_t>(digitsEnd - digits)));
  const std::string_view text = entry.GetText();
  if (text.find('\r') == std::string_view::npos) {
    rows.AddBorrowedCell(text);
  } else {
    AppendWithout(rows, text, '\r');
    rows.EndCell();
  }
  const TTLKString::ResRef& resRef = entry.GetSoundResRef();
  char resRefText[std::tuple_size_v<TTLKString::ResRef>];
  const char* resRefEnd =
      std::copy_if(resRef.begin(), resRef.end(), resRefText, [](char c) { return c != '\0'; });
  rows.AddCell(std::string_view(resRefText, static_cast<size_t>(resRefEnd - resRefText)));
}

void TMainForm::SetTableCommandsEnabled(bool enabled) {
  Tools1->setEnabled(enabled);
  Tools1->menuAction()->setEnabled(enabled);
  for (QAction* action : {Search1, Newentry1, Editrow1, Deleteselected1, PadtoStrRef1, Appendfile1})
    action->setEnabled(enabled);  // so that their shortcuts are off too
  Save1->setEnabled(enabled);
  Save2->setEnabled(enabled);
  Setlanguage1->setEnabled(enabled);
}

void TMainForm::SetIntervalControlsEnabled(bool enabled) {
  for (QWidget* widget :
       std::initializer_list<QWidget*>{lblInterval1, lblInterval2, btnShow, edStart, edStop})
    widget->setEnabled(enabled);
}

// ---- Window events ----

// The show step runs for the program's own shows only: restoring a minimised window is
// the window system's, and must leave the grid as it stands.
void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous()) return;
  platform::RunGuarded([this] { FormShow(); });
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  platform::RunGuarded([this] { FormResize(); });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  bool close = true;
  platform::RunGuarded([&] { close = FormCloseQuery(); });
  if (close)
    event->accept();
  else
    event->ignore();
}

void TMainForm::FormShow() {
  if (FTalkTable->IsOpen() && FTalkTable->EntryCount() > 0) {
    SetColumnWidths();
    return;
  }
  ShowGridMessage(FTalkTable->IsOpen() ? kNoEntriesMessage : kNoFileMessage);
}

void TMainForm::FormResize() {
  if (grid->ColCount() == 3) {
    grid->SetCell(0, 0, "StrRef");
    grid->SetCell(1, 0, "Entry text");
    grid->SetCell(2, 0, "Sound Resref");
    if (grid->RowCount() > 1) grid->SetFixedRows(1);
  }
  SetColumnWidths();
}

bool TMainForm::FormCloseQuery() {
  if (FQuitConfirmed) return true;
  if (FTalkTable->IsOpen() && FTalkTable->Modified())
    return AskYesNo(
               "Are you sure you wish to quit? Any unsaved information in the currently open TLK "
               "file will be lost.") == platform::MessageAnswer::Yes;
  return true;
}

// ---- File menu ----

void TMainForm::ResetForIntervalEntry(uint32_t last, const std::string& gridMessage) {
  ClearGrid(*grid);
  txtDisplay->clear();
  ShowGridMessage(gridMessage);
  SetIntervalControlsEnabled(true);
  SetTableCommandsEnabled(true);
  std::string maxText = "(";
  maxText += platform::UIntToStr(last) + " max.)";  // appended: g++ 12 warns on "(" + ...
  lblMax->setText(platform::ToQt(maxText));
  edStart->setText(QStringLiteral("0"));
  edStop->setText(platform::ToQt(platform::UIntToStr(last)));
}

void TMainForm::LoadFile(const std::string& path) {
  try {
    if (!platform::FileExists(path))
      throw EHell("Unable to load specified file \"" + platform::Sentence::Path(path) + "\"");
    for (QWidget* widget : std::initializer_list<QWidget*>{btnShow, edStart, edStop, grid})
      widget->setEnabled(false);
    SetTableCommandsEnabled(false);
    KeepListedTexts();
    FTalkTable->LoadFromFile(path);
  } catch (const EHell& error) {
    ShowWarning("ERROR! " + error.Text());
    return;
  }
  const platform::Sentence shown = platform::Sentence::Path(path);
  setWindowTitle(platform::SentenceToQt("Sorlith v1.0.4b (" + shown + ")"));
  const TTLKFileHandler& table = *FTalkTable;
  SetStatusText("Opened file " + shown + ". " + table.FileType() + " " + table.FileVersion() +
                ". " + platform::UIntToStr(table.EntryCount()) + " entries read.");
  ResetForIntervalEntry(table.EntryCount() > 0 ? table.EntryCount() - 1 : 0, kIntervalMessage);
}

void TMainForm::New1Click() {
  if (FTalkTable->IsOpen() && FTalkTable->Modified() &&
      AskYesNo("Creating a new TLK file will close the currently open one, causing any unsaved "
               "changes to be lost. Still continue?") != platform::MessageAnswer::Yes)
    return;
  KeepListedTexts();
  FTalkTable->NewFile();
  SetStatusText("Created new blank TLK File. " + FTalkTable->FileType() + " " +
                FTalkTable->FileVersion());
  ResetForIntervalEntry(0, kNoEntriesMessage);
}

void TMainForm::Open1Click() {
  if (FTalkTable->IsOpen() && FTalkTable->Modified() &&
      AskYesNo("Opening another TLK file will close the currently open one, causing any unsaved "
               "changes to be lost. Still continue?") != platform::MessageAnswer::Yes)
    return;
  FOpenTlkFile.fileName = "dialog.tlk";
  const std::vector<std::string> chosen = platform::RunFileDialog(this, FOpenTlkFile);
  if (chosen.empty()) {
    SetStatusText("No valid file opened!");
    return;
  }
  platform::HourglassCursor hourglass;
  LoadFile(chosen.front());
  if (FTalkTable->IsOpen()) edStart->setFocus();
}

bool TMainForm::SaveTo(const std::string& target) {
  try {
    FTalkTable->SaveToFile(target);
  } catch (const EHell& error) {
    ShowWarning("ERROR! " + error.Text());
    return false;
  }
  const TTLKFileHandler& table = *FTalkTable;
  SetStatusText("Saved file " + platform::Sentence::Path(target) + ". " + table.FileType() + " " +
                table.FileVersion() + ". " + platform::UIntToStr(table.EntryCount()) +
                " entries written.");
  return true;
}

void TMainForm::Save2Click() {
  std::string target = FTalkTable->FileName();
  if (!platform::FileExists(target)) {
    FSaveTlkFile.fileName = target;
    const std::vector<std::string> chosen = platform::RunFileDialog(this, FSaveTlkFile);
    if (chosen.empty()) return;
    target = chosen.front();
  }
  SaveTo(target);
}

void TMainForm::Save1Click() {
  FSaveTlkFile.fileName = FTalkTable->FileName();
  const std::vector<std::string> chosen = platform::RunFileDialog(this, FSaveTlkFile);
  if (chosen.empty()) return;
  SaveTo(chosen.front());
}

void TMainForm::Quit1Click() {
  if (FTalkTable->IsOpen() && FTalkTable->Modified() &&
      AskYesNo("Are you sure you wish to quit? Any unsaved information in the currently open TLK "
               "file will be lost.") != platform::MessageAnswer::Yes)
    return;
  // Closing asks no second time; the program ends with its main window.
  FQuitConfirmed = true;
  close();
  FQuitConfirmed = false;
}

// ---- Edit menu ----

void TMainForm::Cut1Click() {
  QWidget* focused = QApplication::focusWidget();
  if (auto* field = qobject_cast<QLineEdit*>(focused)) {
    if (!field->hasSelectedText()) return;
    platform::SetClipboardText(platform::FromQt(field->selectedText()));
    if (!field->isReadOnly()) field->del();
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused)) {
    QTextCursor cursor = memo->textCursor();
    if (!cursor.hasSelection()) return;
    platform::SetClipboardText(SelectionOf(*memo));
    if (!memo->isReadOnly()) {
      cursor.removeSelectedText();
      memo->setTextCursor(cursor);
    }
  }
}

void TMainForm::Copy1Click() {
  QWidget* focused = QApplication::focusWidget();
  if (auto* field = qobject_cast<QLineEdit*>(focused)) {
    if (field->hasSelectedText())
      platform::SetClipboardText(platform::FromQt(field->selectedText()));
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused)) {
    if (memo->textCursor().hasSelection()) platform::SetClipboardText(SelectionOf(*memo));
  }
}

void TMainForm::Paste1Click() {
  QWidget* focused = QApplication::focusWidget();
  const std::string text = platform::ClipboardText();
  if (auto* field = qobject_cast<QLineEdit*>(focused)) {
    if ((field == edStart || field == edStop) && !platform::TryStrToInt(text)) {
      platform::Beep();
      return;
    }
    if (!field->isReadOnly()) field->insert(platform::ToQt(text));
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused)) {
    if (!memo->isReadOnly()) memo->insertPlainText(platform::ToQt(text));
  }
}

void TMainForm::Selectall1Click() {
  QWidget* focused = QApplication::focusWidget();
  if (auto* field = qobject_cast<QLineEdit*>(focused))
    field->selectAll();
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused))
    memo->selectAll();
}

// ---- Interval display ----

void TMainForm::btnShowClick() {
  try {
    ShowInterval();
  } catch (const EHell& error) {
    ShowWarning("ERROR! " + error.Text());
  }
}

// The compares follow the program's rules: some signed, some unsigned, so that a
// negative number that arrived by paste is refused.
void TMainForm::ShowInterval() {
  const int32_t start = platform::StrToInt(platform::FromQt(edStart->text()));
  int32_t stop = platform::StrToInt(platform::FromQt(edStop->text()));
  const uint32_t count = FTalkTable->EntryCount();
  const int64_t last = static_cast<int64_t>(count) - 1;
  const uint32_t lastUnsigned = static_cast<uint32_t>(last);
  if (start == 0 && static_cast<uint32_t>(stop) >= lastUnsigned &&
      last > kFullDisplayQuestionAbove &&
      AskYesNo("Are you sure you wish to display all " + platform::UIntToStr(count) +
               " entries at once? It will take about 30 seconds to make the list and requires 240 "
               "MB of free RAM. It is probably better to use a narrower interval or do a search. "
               "Continue anyway?") != platform::MessageAnswer::Yes)
    return;
  if (stop > last) {
    stop = last < 0 ? 0 : static_cast<int32_t>(last);
    edStop->setText(platform::ToQt(platform::IntToStr(stop)));
  }
  const uint32_t first = static_cast<uint32_t>(start);
  const uint32_t end = static_cast<uint32_t>(stop);
  if (end < first) throw EHell("Invalid start value of interval to display!");
  if (end > lastUnsigned || end < first)
    throw EHell("Oi! Invalid end value of interval to display!");

  ClearGrid(*grid);
  platform::GridRows rows = TakeTableRows();
  FSearchResultsShown = false;
  // A range of 0 to 0 would turn the bar into a busy indicator.
  pbar->setMaximum(std::max(1, static_cast<int>(end - first)));
  pbar->setValue(1);
  grid->setEnabled(false);
  const size_t rowCount = size_t{end - first} + 2;
  SetTableMode(1);

  // The rows are gathered and handed to the grid in one piece, so that a large
  // interval fills at once; the progress bar still follows the rows.
  ReserveTableRows(rows, first, end);
  int row = 1;
  TProgressSteps progress(*pbar);
  TStringDataList& list = FTalkTable->EntryList();
  for (TTLKString* entry = list.First(); entry && entry->GetStrRef() <= end; entry = list.Next()) {
    if (entry->GetStrRef() < first) continue;
    AddGridRow(rows, *entry);
    progress.Advance(row);
    ++row;
  }
  // An interval past the last entry (an empty table's 0 to 0) still shows an empty row.
  rows.SetRowCount(static_cast<int>(rowCount));
  grid->SetRows(std::move(rows));
  grid->SetRow(1);
  progress.Rewind();
  grid->setEnabled(true);
  gridClick();
  SetStatusText("Displaying entries between StrRef " + platform::UIntToStr(first) + " to " +
                platform::UIntToStr(end) + " out of a total of " + platform::UIntToStr(count) +
                " entries.");
}

void TMainForm::gridClick() {
  if (grid->ColCount() < 3) return;
  txtDisplay->clear();
  const int row = grid->Row();
  if (row == 0) return;
  const std::string_view resRef = grid->Cell(2, row);
  std::string text(grid->Cell(0, row));
  text += ' ';
  if (!resRef.empty()) ((text += '(') += resRef) += ')';
  (text += ":\n\n") += grid->Cell(1, row);
  txtDisplay->ShowText(platform::ToQt(text));
}

// ---- Key filters ----

// Digits, Backspace and Ctrl+C, V, X, Z pass (the pad dialog's rule); every other key
// that types a character is discarded with a beep.
bool TMainForm::IntervalKeyPress(const QKeyEvent& event) {
  if (IsAcceptedNumberKey(event)) return false;
  platform::Beep();
  return true;
}

bool TMainForm::IsMenuShortcut(const QKeyEvent& event) const {
  const QKeySequence pressed(event.keyCombination());
  for (QMenu* menu : {File1, Edit1, Tools1})
    for (QAction* action : menu->actions())
      if (!action->shortcut().isEmpty() && action->shortcut() == pressed) return true;
  return false;
}

bool TMainForm::edStartKeyPress(const QKeyEvent& event) { return IntervalKeyPress(event); }
bool TMainForm::edStopKeyPress(const QKeyEvent& event) { return IntervalKeyPress(event); }

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid->viewport()) {
    if (event->type() == QEvent::Resize) platform::RunGuarded([this] { SetColumnWidths(); });
    return false;
  }
  if (event->type() == QEvent::ShortcutOverride) {
    // An edit field would keep Ctrl+V, C, X, A (and on some desktops Ctrl+E) for
    // itself; the menu's shortcuts come first, as the program's users expect.
    if (IsMenuShortcut(static_cast<QKeyEvent&>(*event))) {
      event->ignore();
      return true;
    }
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto& key = static_cast<QKeyEvent&>(*event);
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  if (enter && watched != txtDisplay) {
    // Show interval is the window's default button.
    if (btnShow->isEnabled()) platform::RunGuarded([this] { btnShowClick(); });
    return true;
  }
  bool discard = false;
  if (watched == edStart) platform::RunGuarded([&] { discard = edStartKeyPress(key); });
  if (watched == edStop) platform::RunGuarded([&] { discard = edStopKeyPress(key); });
  return discard;
}

bool ShouldOpenAtStartUp(int argc, char** argv) {
  if (argc < 2) return false;
  const std::string path = argv[1];
  return platform::FileExists(path) && path.size() >= 4 &&
         platform::AsciiLowerCase(path.substr(path.size() - 4)) == ".tlk";
}

}  // namespace sorlith
