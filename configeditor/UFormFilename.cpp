#include "configeditor/UFormFilename.h"

namespace quennet {

TFormFilename::TFormFilename(QWidget* parent) : QDialog(parent) { setObjectName(QStringLiteral("TFormFilename")); }

}  // namespace quennet
