// The setup-list editor. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TNamespaceForm : public QDialog {
 public:
  explicit TNamespaceForm(QWidget* parent = nullptr);
};

}  // namespace quennet
