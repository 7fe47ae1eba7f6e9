#include "configeditor/UMod2DARowForm.h"

namespace quennet {

TMod2DARowForm::TMod2DARowForm(QWidget* parent) : QDialog(parent) { setObjectName(QStringLiteral("TMod2DARowForm")); }

}  // namespace quennet
