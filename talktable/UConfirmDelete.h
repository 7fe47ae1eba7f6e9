// The confirmation shown before a talk-table entry is deleted. Cancel is the default
// and Esc button and has the focus, so a stray Enter keeps the entry.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace sorlith {

class TConfirmDelete : public QDialog {
  Q_OBJECT

 public:
  explicit TConfirmDelete(QWidget* parent = nullptr);

  int EntryNumber() const { return FEntryNumber; }
  void SetEntryNumber(int value) { FEntryNumber = value; }
  // Top left corner of the dialog's frame in screen coordinates.
  void SetPosition(int left, int top);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  int FEntryNumber = 0;
  QLabel* lblHeader;
  QPushButton* btnOk;
  QPushButton* btnCancel;
};

}  // namespace sorlith
