// The parts Quennet's panes and dialogs are built from: the pane itself, image and text
// buttons with their hints, the key/value list grid and its column rule, choice lists
// and editable combo boxes that keep typed text, the light green of a loaded list, the
// file nodes of the tree, the Ctrl+Shift keys and the keyboard contract of the list
// panes. Confirmations of removals go through TMainForm::AskYesNo with a text beginning
// kConfirmRemovalPrefix; long operations hold a platform::HourglassCursor.
#pragma once

#include <QColor>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "configeditor/parts/UIcons.h"
#include "platform/ui/FormParts.h"

class QComboBox;
class QKeyEvent;
class QPushButton;
class QToolButton;
class QTreeWidgetItem;
class QWidget;

namespace platform {
class StringGrid;
}

namespace quennet {

inline constexpr std::string_view kConfirmRemovalPrefix = "Are you sure you wish to";

// The designed width of a key/value list's key column, the least it gets.
inline constexpr int kKeyColumnWidth = 82;

// The background of a box whose list holds loaded names (field paths, column labels).
inline const QColor kLoadedListColour(0xC0, 0xDC, 0xC0);

QWidget* NewPane(QWidget* parent, const char* name);
QPushButton* NewTextButton(QWidget* parent, const char* name, const char* caption,
                           const char* hint);
QToolButton* NewImageButton(QWidget* parent, const char* name, TButtonImage image,
                            const char* hint);

// A two-column list of keys and values: whole-row selection, a vertical scroll bar,
// rows 16 px high, no fixed row.
platform::StringGrid* NewKeyValueGrid(QWidget* parent, const char* name, const char* hint);
// The column rule of every list: column `col` of `grid` at least `leastWidth` px and as
// wide as its widest text needs, so that no key or label is cut.
void FitColumn(platform::StringGrid& grid, int col, int leastWidth);
// The column rule of the key/value lists: the first column `keyWidth` px, or as wide
// as its widest text needs when that is more; the second the grid's width - that - 6.
void SetKeyValueColumns(platform::StringGrid& grid, int keyWidth);

// A drop-down that offers `items` and takes no typed text.
QComboBox* NewChoiceList(QWidget* parent, const char* name, const char* hint,
                         std::initializer_list<const char*> items);

// An editable drop-down without inline completion that does not add what is typed
// to its list on Enter. Its list is replaced with ReplaceComboItems, which keeps the
// typed text.
void MakeEditable(QComboBox& box);
template <typename Box = QComboBox>
Box* NewEditableCombo(QWidget* parent, const char* name, const char* hint) {
  auto* box = platform::Hinted(platform::Named(new Box(parent), name), hint);
  MakeEditable(*box);
  return box;
}
// The text of a drop-down (typed or chosen).
std::string ComboText(const QComboBox& box);
// `text` in the box, selecting the first item equal to it (exact case) when
// `selectItem` and there is one.
void SetComboText(QComboBox& box, const std::string& text, bool selectItem);
// No item selected and no text.
void EmptyComboText(QComboBox& box);
// The box shows the light green of a loaded list, or its normal colour.
void MarkLoaded(QWidget& box, bool loaded);

// Replaces the items of a drop-down; an editable box keeps the text the user typed
// (QComboBox loses it on clear() and on the first addItem()).
void ReplaceComboItems(QComboBox& box, const std::vector<std::string>& items);

// True for the release of `key` with exactly Ctrl and Shift held and no mouse button.
bool IsCtrlShiftKeyRelease(const QKeyEvent& event, int key);

// Runs `handler` (inside the default error guard) whenever `key` is released in
// `widget` with exactly Ctrl and Shift held. The filter lives as long as `widget`.
void OnCtrlShiftKeyRelease(QWidget* widget, int key, std::function<void()> handler);

// The keyboard and mouse contract that every list pane shares. With exactly Ctrl and
// Shift held, on the key's release: Up in an entry box stores the entry, the list key
// (Down; Left in the append.tlk list) takes the selected row; a double click on the
// list takes it too. The presses of these keys are held back, so that they never move
// the row before the release reads it. Nothing acts while `pane` is hidden.
// `listKey` is Qt::Key_Down, Qt::Key_Left, or 0 where only the double click applies.
void WireListPane(QWidget& pane, platform::StringGrid& list, std::function<void()> takeRow,
                  int listKey = Qt::Key_Down);
void WireEntryBoxes(QWidget& pane, std::initializer_list<QWidget*> boxes,
                    std::function<void()> store);

// A file node with the file-node icon, the last child of `category`.
QTreeWidgetItem* AddFileNode(QTreeWidgetItem* category, const std::string& name);

}  // namespace quennet
