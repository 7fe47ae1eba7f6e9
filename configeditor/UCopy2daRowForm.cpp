#include "configeditor/UCopy2daRowForm.h"

#include <QGroupBox>
#include <QLabel>

namespace quennet {

TCopy2daForm::TCopy2daForm(QWidget* parent) : T2daModifierForm(parent, "TCopy2daForm") {
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
