// The ChangeRow modifier dialog: which existing 2DA line to change (its row index, row
// label or LabelIndex value, first in the section) and the new values of its columns.
// Its column labels are loaded only by its button.
#pragma once

#include <memory>

#include "configeditor/modifiers/U2daColumnLabels.h"
#include "configeditor/modifiers/U2daRowIdentifierForm.h"

namespace quennet {

class TChange2daForm : public T2daRowIdentifierForm {
 public:
  explicit TChange2daForm(QWidget* parent = nullptr);
  ~TChange2daForm() override;

  void ForgetColumnLabels() override;
  const std::string& LoadedColumnsFile() const { return FLabels->LoadedColumnsFile(); }

 protected:
  void LoadColumnBoxes() override;
  bool IsHiddenKey(const std::string&) const override { return false; }

 private:
  void btnLoadColsClick();

  std::unique_ptr<TRequestedColumnLabels> FLabels;
};

}  // namespace quennet
