// The entry dialog: the text and sound settings of a new or modified entry.
#pragma once

#include <QDialog>

namespace sorlith {

class TEntryForm : public QDialog {
  Q_OBJECT

 public:
  explicit TEntryForm(QWidget* parent = nullptr);
};

}  // namespace sorlith
