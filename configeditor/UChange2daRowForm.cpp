#include "configeditor/UChange2daRowForm.h"

namespace quennet {

TChange2daForm::TChange2daForm(QWidget* parent) : QDialog(parent) { setObjectName(QStringLiteral("TChange2daForm")); }

}  // namespace quennet
