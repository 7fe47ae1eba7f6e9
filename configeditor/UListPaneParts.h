// The widgets the list panes of the main window (tokens, install list, compile list)
// are built from: a large heading, hinted edit boxes and image buttons, and the
// two-column list grid.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace platform {
class StringGrid;
}

namespace quennet {

enum class TButtonImage;

// The same text in the status bar and the tool tip.
void SetHint(QWidget* widget, const char* hint);
QLabel* NewHeading(QWidget* parent, const char* name, const char* text);
QLineEdit* NewHintedEdit(QWidget* parent, const char* name, const char* hint);
QToolButton* NewImageButton(QWidget* parent, const char* name, TButtonImage image,
                            const char* hint);
// A list grid without fixed rows or columns, whole rows selected, one empty row.
platform::StringGrid* NewListGrid(QWidget* parent, const char* name, int columns, const char* hint);
// Of a two-column grid: column 0 `firstWidth` pixels, column 1 the rest less 6.
void SetListColumnWidths(platform::StringGrid& grid, int firstWidth);

}  // namespace quennet
