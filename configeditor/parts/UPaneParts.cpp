#include "configeditor/parts/UPaneParts.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidgetItem>
#include <algorithm>

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

void SetKeyValueColumns(platform::StringGrid& grid, int keyWidth) {
  const int first = std::max(keyWidth, WidestText(grid, 0));
  grid.SetColWidth(0, first);
  grid.SetColWidth(1, grid.width() - first - 6);
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

QTreeWidgetItem* AddFileNode(QTreeWidgetItem* category, const std::string& name) {
  auto* node = new QTreeWidgetItem(category);
  node->setText(0, platform::ToQt(name));
  node->setIcon(0, FileNodeIcon());
  return node;
}

}  // namespace quennet
