// The CopyRow modifier dialog. (its content comes with its own work; until then an empty dialog).
#pragma once

#include <QDialog>

namespace quennet {

class TCopy2daForm : public QDialog {
 public:
  explicit TCopy2daForm(QWidget* parent = nullptr);
};

}  // namespace quennet
