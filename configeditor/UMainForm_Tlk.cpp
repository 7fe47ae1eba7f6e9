// The talk-table token pane of the main window (its content comes with its own work).
#include <QWidget>

#include "configeditor/UMainForm.h"

namespace quennet {

QWidget* TMainForm::CreateTlkPane() {
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("paneTLK"));
  return pane;
}

void TMainForm::ResetTlkPane() {}

void TMainForm::FillTokenGrid() {}

void TMainForm::LoadTlkTokens() { CurrentSection = "TLKList"; }

}  // namespace quennet
