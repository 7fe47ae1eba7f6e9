// The soundset pane of the main window (its content comes with its own work).
#include <QWidget>

#include "configeditor/UMainForm.h"

namespace quennet {

QWidget* TMainForm::CreateSsfPane() {
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("paneSSF"));
  return pane;
}

void TMainForm::ShowSsfFile(const std::string& fileName) { CurrentSection = fileName; }

}  // namespace quennet
