#include "configeditor/UFormNewGFF.h"

namespace quennet {

TFormNewGFF::TFormNewGFF(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFormNewGFF"));
}

}  // namespace quennet
