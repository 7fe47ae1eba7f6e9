// The AddRow modifier dialog. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TMod2DARowForm : public QDialog {
 public:
  explicit TMod2DARowForm(QWidget* parent = nullptr);
};

}  // namespace quennet
