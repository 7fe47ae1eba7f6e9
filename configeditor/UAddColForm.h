// The AddColumn modifier dialog. Until its own work fills it in, it has the opener's fields and
// components of the shared 2DA modifier dialog, and its load step does nothing.
#pragma once

#include "configeditor/U2daModifierForm.h"

namespace quennet {

class TAdd2daColForm : public T2daModifierForm {
 public:
  explicit TAdd2daColForm(QWidget* parent = nullptr);

  void LoadModifier() override {}
};

}  // namespace quennet
