// The new-field editor: lists the new-field modifiers of one section (a GFF file's, or
// that of a new Struct or List), creates, edits and deletes them, and opens a nested
// editor of its own kind for the sub-fields of a Struct or List. It keeps its edits in
// its inputs until Save writes them; what a save checks and writes is decided by
// rules/UNewFieldSections.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "configeditor/rules/UNewFieldSections.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QTableWidget;

namespace platform {
class StringGrid;
}

namespace quennet {

struct TForms;

class TFormNewGFF : public QDialog {
 public:
  TFormNewGFF(QWidget* parent, TForms& forms);

  // Set by the opener before the editor is shown.
  void SetParentIsList(bool value) { ParentIsList = value; }
  void SetIsSubField(bool value) { IsSubField = value; }
  void SetParentSection(const std::string& value) { ParentSection = value; }
  void SetIniFile(TCustomIniFile* value) { IniFile = value; }
  const std::string& GetModifierSection() const { return ModifierSection; }

  platform::StringGrid* gridFields = nullptr;
  QPushButton* btnNew = nullptr;
  QPushButton* btnDelete = nullptr;
  QPushButton* btnNewFieldInfo = nullptr;
  QPushButton* btnEdit = nullptr;
  QPushButton* btnSave = nullptr;
  QLabel* lblType = nullptr;
  QComboBox* cbFieldType = nullptr;
  QLabel* lblLabel = nullptr;
  QLineEdit* edLabel = nullptr;
  QLabel* lblPath = nullptr;
  QLineEdit* edPath = nullptr;
  QLabel* lblValue = nullptr;
  QLineEdit* edValue = nullptr;
  QLabel* lblStrRef = nullptr;
  QLineEdit* edStrRef = nullptr;
  QLabel* lblTypeId = nullptr;
  QLineEdit* edTypeId = nullptr;
  QLabel* lblLocStr1 = nullptr;
  QLabel* lblLocStr2 = nullptr;
  QTableWidget* gridLocStr = nullptr;
  QPushButton* btnAddStr = nullptr;
  QPushButton* btnDelStr = nullptr;
  QLabel* lblMemToken = nullptr;
  QLineEdit* edMemToken = nullptr;
  QLabel* lblPathToken = nullptr;
  QLineEdit* edPathToken = nullptr;
  QLabel* lblSubFields = nullptr;
  QPushButton* btnAddField = nullptr;
  QPushButton* btnOK = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* CreateInputs();
  void ConnectHandlers();

  void FormShow();
  void btnNewClick();
  void btnEditClick();
  void btnSaveClick();
  void btnDeleteClick();
  void btnAddFieldClick();
  void cbFieldTypeChange();
  void btnAddStrClick();
  void btnDelStrClick();
  void btnNewFieldInfoClick();

  void RefreshFieldList(int row);
  void LoadField();
  void ResetInputs();
  // Decided: the state of a new editor (no modifier, every input but the path token
  // disabled, no type, Save disabled), so that a save cannot write a modifier edited
  // for another parent or one deleted meanwhile.
  void StartFresh();
  void ApplyTypeControls(const std::string& type);
  void EnableValueInputs(bool label, bool path, bool value);
  void SelectFieldType(const std::string& type);
  void SetCaption();
  void ResetLocalizedStrings();
  bool SaveField();
  TNewFieldPlace Place() const;
  // The inputs as the code page stores them; none (after a warning) when a typed text
  // holds a character it cannot store.
  std::optional<TNewField> Inputs();
  void FocusInput(TNewFieldInput input);
  void ShowWarning(const std::string& text);
  bool AskYesNo(const std::string& text);

  TForms& FForms;
  bool ParentIsList = false;
  bool IsSubField = false;
  std::string ParentSection;
  std::string ModifierSection;
  TCustomIniFile* IniFile = nullptr;
};

}  // namespace quennet
