// The parts the main window's panes are built from: the pane itself, image and text
// buttons with their hints, the key/value list grid and its column rule, editable
// combo boxes that keep typed text, the light green of a loaded list, and the file
// nodes of the tree.
#pragma once

#include <QColor>
#include <string>
#include <vector>

#include "configeditor/parts/UIcons.h"
#include "platform/ui/FormParts.h"

class QComboBox;
class QPushButton;
class QToolButton;
class QTreeWidgetItem;
class QWidget;

namespace platform {
class StringGrid;
}

namespace quennet {

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
// The column rule of the key/value lists: the first column `keyWidth` px, or as wide
// as its widest text needs when that is more; the second the grid's width - that - 6.
void SetKeyValueColumns(platform::StringGrid& grid, int keyWidth);

// An editable drop-down without inline completion that does not add what is typed
// to its list on Enter. Its list is replaced with ReplaceComboItems (UConventions.h),
// which keeps the typed text.
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

// A file node with the file-node icon, the last child of `category`.
QTreeWidgetItem* AddFileNode(QTreeWidgetItem* category, const std::string& name);

}  // namespace quennet
