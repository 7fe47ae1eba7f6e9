// The AddRow modifier dialog: the column values of a new 2DA line, its exclusive
// column, and 2DAMEMORY tokens that remember values of the new line.
#pragma once

#include <memory>

#include "configeditor/modifiers/U2daColumnLabels.h"
#include "configeditor/modifiers/U2daModifierForm.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QToolButton;

namespace quennet {

class TMod2DARowForm : public T2daModifierForm {
 public:
  explicit TMod2DARowForm(QWidget* parent = nullptr);
  ~TMod2DARowForm() override;

  void LoadModifier() override;
  void ForgetColumnLabels() override;
  const std::string& LoadedColumnsFile() const { return FLabels->LoadedColumnsFile(); }

  QGroupBox* GroupBox1 = nullptr;
  QComboBox* cbExclusiveLabel = nullptr;
  QToolButton* btnLoad2da = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QComboBox* cbColLabel = nullptr;
  QToolButton* btnOpen2da = nullptr;
  TDropDownCombo* cbColValue = nullptr;
  QToolButton* btnDelColValue = nullptr;
  QPushButton* Button1 = nullptr;

 protected:
  void btnAddToListClick() override;
  void btnEditColValueClick() override;

 private:
  void CreateGroups();
  void btnOpen2daClick(QWidget* asker);

  std::unique_ptr<TExclusiveColumnLabels> FLabels;
};

}  // namespace quennet
