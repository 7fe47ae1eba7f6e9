// The talk-table token prompt. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TEditTokenForm : public QDialog {
 public:
  explicit TEditTokenForm(QWidget* parent = nullptr);
};

}  // namespace quennet
