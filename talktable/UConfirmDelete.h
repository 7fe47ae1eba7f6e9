// The delete confirmation: asks before an entry is deleted.
#pragma once

#include <QDialog>

namespace sorlith {

class TConfirmDelete : public QDialog {
  Q_OBJECT

 public:
  explicit TConfirmDelete(QWidget* parent = nullptr);
};

}  // namespace sorlith
