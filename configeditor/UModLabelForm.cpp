#include "configeditor/UModLabelForm.h"

namespace quennet {

TNewLabelForm::TNewLabelForm(QWidget* parent) : QDialog(parent) { setObjectName(QStringLiteral("TNewLabelForm")); }

}  // namespace quennet
