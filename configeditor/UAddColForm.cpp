#include "configeditor/UAddColForm.h"

namespace quennet {

TAdd2daColForm::TAdd2daColForm(QWidget* parent) : T2daModifierForm(parent, "TAdd2daColForm") {}

}  // namespace quennet
