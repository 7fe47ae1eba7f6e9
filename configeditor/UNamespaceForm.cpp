#include "configeditor/UNamespaceForm.h"

namespace quennet {

TNamespaceForm::TNamespaceForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TNamespaceForm"));
}

}  // namespace quennet
