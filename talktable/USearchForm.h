// The search dialog: its criteria select the entries the main window lists.
#pragma once

#include <QDialog>

namespace sorlith {

class TSearchForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSearchForm(QWidget* parent = nullptr);
};

}  // namespace sorlith
