#include "configeditor/mainwindow/UCategoryTree.h"

#include <QMouseEvent>
#include <functional>

#include "platform/ui/Application.h"

namespace quennet {

namespace {

bool IsAncestorOrSelf(const QTreeWidgetItem* node, const QTreeWidgetItem* item) {
  for (const QTreeWidgetItem* each = item; each != nullptr; each = each->parent()) {
    if (each == node) return true;
  }
  return false;
}

void ForEachItem(QTreeWidgetItem* item, const std::function<void(QTreeWidgetItem*)>& action) {
  action(item);
  for (int i = 0; i < item->childCount(); ++i) ForEachItem(item->child(i), action);
}

}  // namespace

TCategoryTree::TCategoryTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void TCategoryTree::SetOnMouseDown(std::function<void(QMouseEvent&)> handler) {
  FOnMouseDown = std::move(handler);
}

void TCategoryTree::AutoExpand(QTreeWidgetItem* item) {
  for (int i = 0; i < topLevelItemCount(); ++i) {
    ForEachItem(topLevelItem(i), [item](QTreeWidgetItem* node) {
      if (node->childCount() > 0) node->setExpanded(IsAncestorOrSelf(node, item));
    });
  }
}

void TCategoryTree::mousePressEvent(QMouseEvent* event) {
  if (FOnMouseDown) platform::RunGuarded([&] { FOnMouseDown(*event); });
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

void TCategoryTree::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTreeWidget::mouseReleaseEvent(event);
}

void TCategoryTree::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTreeWidget::mouseDoubleClickEvent(event);
}

}  // namespace quennet
