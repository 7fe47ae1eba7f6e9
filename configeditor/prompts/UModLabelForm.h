// The modifier-label prompt. It only returns what was typed: each opener sets the
// title and caption, empties the box when it wants to, and checks the label itself.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace quennet {

class TNewLabelForm : public QDialog {
 public:
  explicit TNewLabelForm(QWidget* parent = nullptr);

  // The text of edModLabel, as typed.
  std::string GetLabel() const;
  // Empties the box, sets the title and caption and shows the prompt; the label as
  // typed, or none when the prompt is cancelled. The caller checks the label.
  std::optional<std::string> Ask(const std::string& title, const std::string& caption);

  QLabel* lblTitle = nullptr;
  QLineEdit* edModLabel = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
};

}  // namespace quennet
