// The AddRow modifier dialog: the column values of a new 2DA line, its exclusive
// column, and 2DAMEMORY tokens that remember values of the new line.
#pragma once

#include "configeditor/U2daModifierForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace quennet {

class TMod2DARowForm : public T2daModifierForm {
 public:
  explicit TMod2DARowForm(QWidget* parent = nullptr);

  void LoadModifier() override;

  QLabel* lblHeadline;
  QGroupBox* GroupBox1;
  QComboBox* cbExclusiveLabel;
  QToolButton* btnLoad2da;
  QGroupBox* GroupBox2;
  QComboBox* cbColLabel;
  QToolButton* btnOpen2da;
  TDropDownCombo* cbColValue;
  QLabel* lblGridHeading;
  QToolButton* btnAddToList;
  QToolButton* btnEditColValue;
  QToolButton* btnDelColValue;
  QPushButton* Button1;

 private:
  QWidget* CreateInputSide();
  QWidget* CreateListSide();
  void ConnectHandlers();

  void btnAddToListClick();
  void cbColLabelKeyUp();
  void cbColValueKeyUp();
  void btnEditColValueClick();
  void grid2daModDblClick();
  void grid2daModKeyUp();
  void btnDelColValueClick();
  void btnOpen2daClick(QWidget* asker);
};

}  // namespace quennet
