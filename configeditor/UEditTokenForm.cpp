#include "configeditor/UEditTokenForm.h"

namespace quennet {

TEditTokenForm::TEditTokenForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TEditTokenForm"));
}

}  // namespace quennet
