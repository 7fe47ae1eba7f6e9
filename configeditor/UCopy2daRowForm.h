// The CopyRow modifier dialog. Until its own work fills it in, it has the opener's fields and
// components of the shared 2DA modifier dialog, and its load step does nothing.
#pragma once

#include "configeditor/U2daModifierForm.h"

class QGroupBox;
class QLabel;

namespace quennet {

class TCopy2daForm : public T2daModifierForm {
 public:
  explicit TCopy2daForm(QWidget* parent = nullptr);

  void LoadModifier() override {}

  // The texts the opener sets before LoadModifier.
  QGroupBox* boxIdentifier;
  QGroupBox* boxChangeValue;
  QLabel* lblHeadline;
  QLabel* lblGridHeading;
};

}  // namespace quennet
