// A drop-down box that tells its owner, inside the default error guard, right before
// its list opens, so that the list can be built at that moment (the token lists).
#pragma once

#include <QComboBox>
#include <functional>

namespace quennet {

class TDropDownCombo : public QComboBox {
 public:
  explicit TDropDownCombo(QWidget* parent = nullptr);

  void SetOnDropDown(std::function<void()> handler);
  void showPopup() override;

 private:
  std::function<void()> FOnDropDown;
};

}  // namespace quennet
