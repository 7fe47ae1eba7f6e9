// The help window with four pages (GFF changes, install list, compile list, new
// fields), one shown at a time. Each pane's help button toggles its page.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace quennet {

class TInfoForm : public QDialog {
 public:
  TInfoForm();

  // Hidden: shows `page` alone and the window. Shown with another page: switches to
  // `page`. Shown with `page`: hides the window.
  void TogglePage(QPlainTextEdit* page);
  // The page shown, or null while the window is hidden.
  QPlainTextEdit* ShownPage() const;

  QPlainTextEdit* txtInfo = nullptr;
  QPlainTextEdit* txtInstallInfo = nullptr;
  QPlainTextEdit* txtScriptInfo = nullptr;
  QPlainTextEdit* txtGFFInfo = nullptr;
  QPushButton* Button1 = nullptr;

 private:
  void Button1Click();
  void ShowOnly(QPlainTextEdit* page);
};

}  // namespace quennet
