// The pad dialog: the StrRef up to which blank entries are added.
#pragma once

#include <QDialog>

namespace sorlith {

class TPadEntriesForm : public QDialog {
  Q_OBJECT

 public:
  explicit TPadEntriesForm(QWidget* parent = nullptr);
};

}  // namespace sorlith
