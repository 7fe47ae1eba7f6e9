// The setup-list editor: lists the setups of a namespaces.ini and edits one at a time.
// It works on the file through its own INI accessor, made when the editor is shown and
// freed when it is hidden; adding and deleting write at once, field edits only on Save.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "formats/UKV_IniFile.h"
#include "platform/ui/Services.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace quennet {

class TNewLabelForm;
struct TSetupFields;

class TNamespaceForm : public QDialog {
 public:
  TNamespaceForm(TNewLabelForm& labelPrompt, QWidget* parent = nullptr);
  ~TNamespaceForm() override;

  // The full path of the namespaces.ini to edit; set before the editor is shown.
  const std::string& SetupFileName() const { return FSetupFileName; }
  void SetSetupFileName(std::string path) { FSetupFileName = std::move(path); }
  // The editor's accessor while it is shown; null otherwise.
  TKV_Inifile* SetupIni() const { return FSetupIni.get(); }

  QLabel* lblbList;
  QListWidget* listNS;
  QToolButton* btnAdd;
  QToolButton* btnDelete;
  QWidget* paneEdit;
  QLabel* lblIniName;
  QLineEdit* edIniName;
  QToolButton* btnSelINI;
  QLabel* lblInfoName;
  QLineEdit* edInfoName;
  QToolButton* btnSelInfo;
  QLabel* lblDataPath;
  QLineEdit* edDataPath;
  QLabel* lblName;
  QLineEdit* edName;
  QLabel* lblDescription;
  QPlainTextEdit* edDescription;
  QPushButton* btnSave;
  // The request of the two browse buttons.
  platform::FileDialogRequest dlgOpen;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateEditPane();
  void ConnectHandlers();
  void ShowWarning(const std::string& text);
  platform::MessageAnswer AskYesNo(const std::string& text);
  void FillSetupList();
  void SetEditEnabled(bool enabled);
  void ClearEditFields();
  // No setup selected: the fields empty and disabled, the caption without a label.
  void ShowNoSetup();
  std::string SelectedLabel() const;
  // The fields as the file stores them; none (after a warning) when one holds a
  // character the code page cannot store.
  std::optional<TSetupFields> EditedFields();
  QListWidgetItem* AddListItem(const std::string& label);

  void FormShow();
  void FormHide();
  void listNSSelectItem();
  void btnAddClick();
  void btnDeleteClick();
  void btnSaveClick();
  void btnSelINIClick();
  void btnSelInfoClick();
  // The bare name of a file picked with dlgOpen, into `field`; nothing on cancel.
  void BrowseInto(QLineEdit& field, const char* title, const char* filter, const char* extension,
                  const char* defaultName);

  TNewLabelForm& FLabelPrompt;
  std::string FSetupFileName;
  std::unique_ptr<TKV_Inifile> FSetupIni;
};

}  // namespace quennet
