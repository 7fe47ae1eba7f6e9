// The file-name prompt. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TFormFilename : public QDialog {
 public:
  explicit TFormFilename(QWidget* parent = nullptr);
};

}  // namespace quennet
