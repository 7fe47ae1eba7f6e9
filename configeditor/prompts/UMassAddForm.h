// The install list's mass-add prompt: the destination folder (typed, or the last part
// of a picked folder) and the replace flag for many files at once. "&Select" keeps
// both for the opener and empties the prompt; "&Cancel" leaves everything as it is.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quennet {

class TMassAddForm : public QDialog {
 public:
  explicit TMassAddForm(QWidget* parent = nullptr);

  const std::string& FolderName() const { return FFolderName; }
  bool ReplaceFiles() const { return FReplaceFiles; }

  QLineEdit* edFoldername;
  QToolButton* SpeedButton1;
  QCheckBox* cbReplace;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 private:
  void SpeedButton1Click();
  void btnOKClick();

  std::string FFolderName;
  bool FReplaceFiles = false;
};

}  // namespace quennet
