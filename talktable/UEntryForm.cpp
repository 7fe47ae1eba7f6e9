#include "talktable/UEntryForm.h"

namespace sorlith {

TEntryForm::TEntryForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TEntryForm"));
}

}  // namespace sorlith
