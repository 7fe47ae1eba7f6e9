// The language dialog: picks the language id of the open table.
#pragma once

#include <QDialog>

namespace sorlith {

class TLanguageForm : public QDialog {
  Q_OBJECT

 public:
  explicit TLanguageForm(QWidget* parent = nullptr);
};

}  // namespace sorlith
