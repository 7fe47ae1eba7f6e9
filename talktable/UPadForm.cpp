#include "talktable/UPadForm.h"

namespace sorlith {

TPadEntriesForm::TPadEntriesForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TPadEntriesForm"));
}

}  // namespace sorlith
