#include "configeditor/UAddColForm.h"

namespace quennet {

TAdd2daColForm::TAdd2daColForm(QWidget* parent) : QDialog(parent) { setObjectName(QStringLiteral("TAdd2daColForm")); }

}  // namespace quennet
