// The compile list pane of the main window (its content comes with its own work).
#include <QWidget>

#include "configeditor/UMainForm.h"

namespace quennet {

QWidget* TMainForm::CreateScriptPane() {
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("paneScript"));
  return pane;
}

void TMainForm::LoadCompileList() {}

}  // namespace quennet
