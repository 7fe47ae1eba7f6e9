// The dialog of File > Set language: a pick list of the six language ids a talk
// table may carry.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QComboBox;
class QKeyEvent;
class QPushButton;

namespace sorlith {

class TLanguageForm : public QDialog {
  Q_OBJECT

 public:
  explicit TLanguageForm(QWidget* parent = nullptr);

  int64_t LanguageId() const { return FLanguageId; }
  void SetLanguageId(int64_t value) { FLanguageId = value; }
  void SetPosition(int left, int top);
  // The index of the chosen item, which is its language id; -1 when none is chosen.
  int SelectedIndex() const;

  // The name of a language id in the confirmation ("English" for 0 ... "Polish" for 5).
  static std::string LanguageName(int id);
  static constexpr int kLanguageCount = 6;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormShow();

  int64_t FLanguageId = 0;
  QComboBox* edLanguage;
  QPushButton* btnSave;
  QPushButton* btnCancel;
};

}  // namespace sorlith
