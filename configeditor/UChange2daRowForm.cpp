#include "configeditor/UChange2daRowForm.h"

#include <QGroupBox>
#include <QLabel>

namespace quennet {

TChange2daForm::TChange2daForm(QWidget* parent) : T2daModifierForm(parent, "TChange2daForm") {
  boxIdentifier = new QGroupBox(this);
  boxIdentifier->setObjectName(QStringLiteral("boxIdentifier"));
  boxChangeValue = new QGroupBox(this);
  boxChangeValue->setObjectName(QStringLiteral("boxChangeValue"));
  lblHeadline = new QLabel(this);
  lblHeadline->setObjectName(QStringLiteral("lblHeadline"));
  lblGridHeading = new QLabel(this);
  lblGridHeading->setObjectName(QStringLiteral("lblGridHeading"));
}

}  // namespace quennet
