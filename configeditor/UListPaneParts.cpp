#include "configeditor/UListPaneParts.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "configeditor/UIcons.h"
#include "platform/ui/StringGrid.h"

namespace quennet {

void SetHint(QWidget* widget, const char* hint) {
  widget->setStatusTip(QString::fromLatin1(hint));
  widget->setToolTip(QString::fromLatin1(hint));
}

QLabel* NewHeading(QWidget* parent, const char* name, const char* text) {
  auto* heading = new QLabel(QString::fromLatin1(text), parent);
  heading->setObjectName(QString::fromLatin1(name));
  QFont large = heading->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  heading->setFont(large);
  return heading;
}

QLineEdit* NewHintedEdit(QWidget* parent, const char* name, const char* hint) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  SetHint(edit, hint);
  return edit;
}

QToolButton* NewImageButton(QWidget* parent, const char* name, TButtonImage image,
                            const char* hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(ButtonImage(image));
  button->setAutoRaise(true);
  SetHint(button, hint);
  return button;
}

platform::StringGrid* NewListGrid(QWidget* parent, const char* name, int columns,
                                  const char* hint) {
  auto* grid = new platform::StringGrid(parent);
  grid->setObjectName(QString::fromLatin1(name));
  grid->SetColCount(columns);
  grid->SetRowCount(1);
  grid->SetFixedRows(0);
  grid->SetFixedCols(0);
  grid->SetDefaultRowHeight(16);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->horizontalHeader()->setStretchLastSection(true);
  if (hint != nullptr) SetHint(grid, hint);
  return grid;
}

void SetListColumnWidths(platform::StringGrid& grid, int firstWidth) {
  grid.SetColWidth(0, firstWidth);
  grid.SetColWidth(1, grid.width() - firstWidth - 6);
}

}  // namespace quennet
