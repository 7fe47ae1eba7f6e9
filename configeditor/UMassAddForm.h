// The install list's mass-add prompt. (its content comes with its own work; until then an empty
// dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TMassAddForm : public QDialog {
 public:
  explicit TMassAddForm(QWidget* parent = nullptr);
};

}  // namespace quennet
