// The GFF file list and field-change pane of the main window (its content comes with its own work).
#include <QWidget>

#include "configeditor/UMainForm.h"

namespace quennet {

QWidget* TMainForm::CreateGffPane() {
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("paneGFF"));
  return pane;
}

void TMainForm::ResetGffPane() {}

void TMainForm::LoadGffModifiers(const std::string& fileName) { CurrentSection = fileName; }

}  // namespace quennet
