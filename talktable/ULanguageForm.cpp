#include "talktable/ULanguageForm.h"

namespace sorlith {

TLanguageForm::TLanguageForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TLanguageForm"));
}

}  // namespace sorlith
