// The AddColumn modifier dialog: the new column's label and default value (always the
// first two keys of the section), its values in single rows ("I" + row index, "L" +
// row label) and 2DAMEMORY tokens that remember one of its values. It never reads a
// 2DA file.
#pragma once

#include "configeditor/modifiers/U2daModifierForm.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quennet {

class TAdd2daColForm : public T2daModifierForm {
 public:
  explicit TAdd2daColForm(QWidget* parent = nullptr);

  void LoadModifier() override;
  // "ColumnLabel" = label and "DefaultValue" = defaultValue first in the section, shown
  // in the settings boxes.
  void SetColumnSettings(const std::string& defaultValue, const std::string& label);

  QGroupBox* boxColumn = nullptr;
  QLineEdit* edNewLabel = nullptr;
  QLineEdit* edDefaultVal = nullptr;
  QGroupBox* boxRowValue = nullptr;
  QComboBox* cbRowIdent = nullptr;
  QLineEdit* edRowNum = nullptr;
  TDropDownCombo* cbRowValue = nullptr;
  QToolButton* btnDeleteKey = nullptr;
  QPushButton* btnClose = nullptr;

 protected:
  void btnAddToListClick() override;
  void btnEditColValueClick() override;
  void btnCloseClick() override;

 private:
  void CreateGroups();
  void cbRowIdentChange();
  TTypedCharVerdict edRowNumKeyPress(QChar typed) const;
};

}  // namespace quennet
