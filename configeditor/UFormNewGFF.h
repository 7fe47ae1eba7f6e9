// The new-field editor. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TFormNewGFF : public QDialog {
 public:
  explicit TFormNewGFF(QWidget* parent = nullptr);
};

}  // namespace quennet
