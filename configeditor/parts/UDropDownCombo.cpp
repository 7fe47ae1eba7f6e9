#include "configeditor/parts/UDropDownCombo.h"

#include "platform/ui/Application.h"

namespace quennet {

TDropDownCombo::TDropDownCombo(QWidget* parent) : QComboBox(parent) {}

void TDropDownCombo::SetOnDropDown(std::function<void()> handler) {
  FOnDropDown = std::move(handler);
}

void TDropDownCombo::showPopup() {
  if (FOnDropDown) platform::RunGuarded(FOnDropDown);
  QComboBox::showPopup();
}

}  // namespace quennet
