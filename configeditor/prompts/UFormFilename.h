// The file-name prompt of the file-adding commands (2DA, GFF and SSF files). It only
// returns the name as typed or picked; each opener checks and writes it.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "platform/ui/Services.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QToolButton;

namespace quennet {

class TFormFilename : public QDialog {
 public:
  explicit TFormFilename(QWidget* parent = nullptr);

  // The title and description for files of the type `word` ("2DA", "GFF", "SSF").
  void SetFileType(const std::string& word);
  // The text of edFilename, as typed (not trimmed).
  std::string GetFilename() const;
  // Shows the prompt for files of the type `word`; the typed name without the blanks
  // at its ends, or none when the prompt is cancelled or the name is empty or "N/A".
  std::optional<std::string> Ask(const std::string& word);

  QLabel* lblTitle = nullptr;
  QLabel* lblDescription = nullptr;
  QLineEdit* edFilename = nullptr;
  QToolButton* btnOpen = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
  platform::FileDialogRequest dlgOpen;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void btnOpenClick();
};

}  // namespace quennet
