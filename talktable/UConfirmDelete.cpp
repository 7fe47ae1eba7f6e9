#include "talktable/UConfirmDelete.h"

namespace sorlith {

TConfirmDelete::TConfirmDelete(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TConfirmDelete"));
}

}  // namespace sorlith
