// The ChangeRow modifier dialog. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TChange2daForm : public QDialog {
 public:
  explicit TChange2daForm(QWidget* parent = nullptr);
};

}  // namespace quennet
