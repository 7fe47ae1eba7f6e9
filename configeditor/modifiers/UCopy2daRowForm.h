// The CopyRow modifier dialog: which existing 2DA line (row index or row label, first
// in the section) is the blueprint of a new line, the values in which the copy
// differs, and the exclusive column; its help button toggles the CopyRow help window.
#pragma once

#include <memory>

#include "configeditor/modifiers/U2daColumnLabels.h"
#include "configeditor/modifiers/U2daRowIdentifierForm.h"

namespace quennet {

class TCopy2daForm : public T2daRowIdentifierForm {
 public:
  explicit TCopy2daForm(QWidget* parent = nullptr);
  ~TCopy2daForm() override;

  void ForgetColumnLabels() override;
  const std::string& LoadedColumnsFile() const { return FLabels->LoadedColumnsFile(); }

  QGroupBox* GroupBox1 = nullptr;
  QComboBox* cbExclusiveLabel = nullptr;
  QToolButton* btnLoad2da = nullptr;
  QToolButton* btnCopyInfo = nullptr;

 protected:
  void LoadColumnBoxes() override;
  bool IsHiddenKey(const std::string& key) const override { return key == "ExclusiveColumn"; }

 private:
  QWidget* CreateExclusiveGroup();
  void btnLoadColsClick(QWidget* asker);
  void btnCopyInfoClick();

  std::unique_ptr<TExclusiveColumnLabels> FLabels;
};

}  // namespace quennet
