// The install list pane of the main window (its content comes with its own work).
#include <QWidget>

#include "configeditor/UMainForm.h"

namespace quennet {

QWidget* TMainForm::CreateInstallPane() {
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("paneInstall"));
  return pane;
}

void TMainForm::ResetInstallPane() {}

void TMainForm::LoadInstallList() { CurrentSection = "InstallList"; }

}  // namespace quennet
