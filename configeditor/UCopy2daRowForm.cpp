#include "configeditor/UCopy2daRowForm.h"

namespace quennet {

TCopy2daForm::TCopy2daForm(QWidget* parent) : QDialog(parent) { setObjectName(QStringLiteral("TCopy2daForm")); }

}  // namespace quennet
