#include "configeditor/parts/UPaneParts.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidgetItem>
#include <algorithm>

#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/StringGrid.h"

namespace quennet {

namespace {

// Room around a cell's text: the view's margins on both sides.
constexpr int kCellPadding = 12;

int WidestText(const platform::StringGrid& grid, int col) {
  const QFontMetrics metrics(grid.font());
  int widest = 0;
  for (int row = 0; row < grid.RowCount(); ++row)
    widest = std::max(widest, metrics.horizontalAdvance(platform::ToQt(grid.Cell(col, row))));
  return widest + kCellPadding;
}

bool IsCtrlShiftKeyPress(const QEvent& event, int key) {
  if (event.type() != QEvent::KeyPress) return false;
  const auto& press = static_cast<const QKeyEvent&>(event);
  return press.key() == key &&
         (press.modifiers() & ~Qt::KeypadModifier) == (Qt::ControlModifier | Qt::ShiftModifier);
}

class CtrlShiftKeyFilter : public QObject {
 public:
  CtrlShiftKeyFilter(QWidget* widget, int key, std::function<void()> handler)
      : QObject(widget), FKey(key), FHandler(std::move(handler)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease &&
        IsCtrlShiftKeyRelease(*static_cast<QKeyEvent*>(event), FKey)) {
      platform::RunGuarded(FHandler);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  int FKey;
  std::function<void()> FHandler;
};

// One key of a list pane on one widget: holds its press back and runs the command on
// its release while the pane is shown.
class TListPaneKey : public QObject {
 public:
  TListPaneKey(QWidget* widget, int key, QWidget* pane, std::function<void()> command)
      : QObject(widget), FKey(key), FPane(pane), FCommand(std::move(command)) {
    widget->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (IsCtrlShiftKeyPress(*event, FKey)) return true;
    if (event->type() == QEvent::KeyRelease &&
        IsCtrlShiftKeyRelease(*static_cast<QKeyEvent*>(event), FKey) && FPane->isVisible()) {
      platform::RunGuarded(FCommand);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  int FKey;
  QWidget* FPane;
  std::function<void()> FCommand;
};

}  // namespace

QWidget* NewPane(QWidget* parent, const char* name) {
  return platform::Named(new QWidget(parent), name);
}

QPushButton* NewTextButton(QWidget* parent, const char* name, const char* caption,
                           const char* hint) {
  return platform::Hinted(platform::MakeButton(parent, name, caption), hint);
}

QToolButton* NewImageButton(QWidget* parent, const char* name, TButtonImage image,
                            const char* hint) {
  auto* button = platform::Hinted(platform::Named(new QToolButton(parent), name), hint);
  button->setIcon(ButtonImage(image));
  button->setAutoRaise(true);
  return button;
}

platform::StringGrid* NewKeyValueGrid(QWidget* parent, const char* name, const char* hint) {
  auto* grid = platform::Hinted(platform::Named(new platform::StringGrid(parent), name), hint);
  grid->SetColCount(2);
  grid->SetRowCount(1);
  grid->SetFixedRows(0);
  grid->SetFixedCols(0);
  grid->SetDefaultRowHeight(16);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->horizontalHeader()->setStretchLastSection(true);
  return grid;
}

void FitColumn(platform::StringGrid& grid, int col, int leastWidth) {
  grid.SetColWidth(col, std::max(leastWidth, WidestText(grid, col)));
}

void SetKeyValueColumns(platform::StringGrid& grid, int keyWidth) {
  FitColumn(grid, 0, keyWidth);
  grid.SetColWidth(1, grid.width() - grid.ColWidth(0) - 6);
}

QComboBox* NewChoiceList(QWidget* parent, const char* name, const char* hint,
                         std::initializer_list<const char*> items) {
  auto* list = platform::Hinted(platform::Named(new QComboBox(parent), name), hint);
  list->setEditable(false);
  for (const char* item : items) list->addItem(QString::fromLatin1(item));
  return list;
}

void MakeEditable(QComboBox& box) {
  box.setEditable(true);
  // Enter must reach the default button, and what is typed must stay as typed.
  box.setInsertPolicy(QComboBox::NoInsert);
  box.setCompleter(nullptr);
}

std::string ComboText(const QComboBox& box) { return platform::FromQt(box.currentText()); }

void SetComboText(QComboBox& box, const std::string& text, bool selectItem) {
  const QString wanted = platform::ToQt(text);
  const int item =
      selectItem ? box.findText(wanted, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
  box.setCurrentIndex(item);
  if (item < 0) box.setEditText(wanted);
}

void EmptyComboText(QComboBox& box) {
  box.setCurrentIndex(-1);
  box.clearEditText();
}

void MarkLoaded(QWidget& box, bool loaded) {
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base,
                   loaded ? kLoadedListColour : QApplication::palette().color(QPalette::Base));
  box.setPalette(palette);
}

void WireListPane(QWidget& pane, platform::StringGrid& list, std::function<void()> takeRow,
                  int listKey) {
  platform::Connect(&list, &QAbstractItemView::doubleClicked, &list, [&pane, takeRow] {
    if (pane.isVisible()) takeRow();
  });
  if (listKey != 0) new TListPaneKey(&list, listKey, &pane, std::move(takeRow));
}

void WireEntryBoxes(QWidget& pane, std::initializer_list<QWidget*> boxes,
                    std::function<void()> store) {
  for (QWidget* box : boxes) new TListPaneKey(box, Qt::Key_Up, &pane, store);
}

bool IsCtrlShiftKeyRelease(const QKeyEvent& event, int key) {
  if (event.type() != QEvent::KeyRelease || event.key() != key || event.isAutoRepeat()) {
    return false;
  }
  Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
  return held == (Qt::ControlModifier | Qt::ShiftModifier) &&
         QGuiApplication::mouseButtons() == Qt::NoButton;
}

void OnCtrlShiftKeyRelease(QWidget* widget, int key, std::function<void()> handler) {
  widget->installEventFilter(new CtrlShiftKeyFilter(widget, key, std::move(handler)));
}

void ReplaceComboItems(QComboBox& box, const std::vector<std::string>& items) {
  const QString typed = box.currentText();
  const bool editable = box.isEditable();
  box.clear();
  for (const std::string& item : items) box.addItem(platform::ToQt(item));
  if (editable) {
    box.setCurrentIndex(-1);
    box.setEditText(typed);
  }
}

QTreeWidgetItem* AddFileNode(QTreeWidgetItem* category, const std::string& name) {
  auto* node = new QTreeWidgetItem(category);
  node->setText(0, platform::ToQt(name));
  node->setIcon(0, FileNodeIcon());
  return node;
}

}  // namespace quennet
