#include "talktable/USearchForm.h"

namespace sorlith {

TSearchForm::TSearchForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TSearchForm"));
}

}  // namespace sorlith
