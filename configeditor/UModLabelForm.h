// The modifier-label prompt. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TNewLabelForm : public QDialog {
 public:
  explicit TNewLabelForm(QWidget* parent = nullptr);
};

}  // namespace quennet
