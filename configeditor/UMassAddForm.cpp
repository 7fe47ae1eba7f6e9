#include "configeditor/UMassAddForm.h"

namespace quennet {

TMassAddForm::TMassAddForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TMassAddForm"));
}

}  // namespace quennet
