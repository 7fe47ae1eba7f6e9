// The AddColumn modifier dialog. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TAdd2daColForm : public QDialog {
 public:
  explicit TAdd2daColForm(QWidget* parent = nullptr);
};

}  // namespace quennet
