// The dialog of Tools > Pad to StrRef: asks for the StrRef up to which blank entries
// are added, proposing the one after the table's next StrRef.
#pragma once

#include <QDialog>
#include <string>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sorlith {

class TPadEntriesForm : public QDialog {
  Q_OBJECT

 public:
  explicit TPadEntriesForm(QWidget* parent = nullptr);

  int64_t EntryCount() const { return FEntryCount; }
  void SetEntryCount(int64_t value) { FEntryCount = value; }
  void SetPosition(int left, int top);
  // The text of edStrRef as typed or pasted.
  std::string StrRefText() const;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  // True when the key may reach the field; other keys are dropped with a beep.
  bool edStrRefKeyPress(const QKeyEvent& key);

  int64_t FEntryCount = 0;
  QLineEdit* edStrRef;
  QLabel* lblCurrent;
  QPushButton* btnOK;
  QPushButton* btnCancel;
};

// The key filter of the number fields: digits, Backspace and Ctrl+C, Ctrl+V, Ctrl+X,
// Ctrl+Z type; keys that type no character (arrows, Delete, Tab, Enter, Esc, and
// Alt combinations for the mnemonics) are not judged. Judged by key and modifiers.
bool IsAcceptedNumberKey(const QKeyEvent& key);

}  // namespace sorlith
