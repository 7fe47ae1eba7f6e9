// The category tree of the main window. A right click must not move the selection
// (the tree's pop-up acts on the selected node), so right presses and releases never
// reach QTreeWidget; every press is reported to the window first.
#pragma once

#include <QTreeWidget>
#include <functional>

namespace quennet {

class TCategoryTree : public QTreeWidget {
 public:
  explicit TCategoryTree(QWidget* parent = nullptr);

  // Runs inside the default error guard for every mouse press.
  void SetOnMouseDown(std::function<void(QMouseEvent&)> handler);

  // Expands `item` and its ancestors and collapses every other node.
  void AutoExpand(QTreeWidgetItem* item);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::function<void(QMouseEvent&)> FOnMouseDown;
};

}  // namespace quennet
