#include "configeditor/parts/UConventions.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"

namespace quennet {

namespace {

class CtrlShiftKeyFilter : public QObject {
 public:
  CtrlShiftKeyFilter(QWidget* widget, int key, std::function<void()> handler)
      : QObject(widget), FKey(key), FHandler(std::move(handler)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease &&
        IsCtrlShiftKeyRelease(*static_cast<QKeyEvent*>(event), FKey)) {
      platform::RunGuarded(FHandler);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  int FKey;
  std::function<void()> FHandler;
};

}  // namespace

bool IsCtrlShiftKeyRelease(const QKeyEvent& event, int key) {
  if (event.type() != QEvent::KeyRelease || event.key() != key || event.isAutoRepeat()) {
    return false;
  }
  Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
  return held == (Qt::ControlModifier | Qt::ShiftModifier) &&
         QGuiApplication::mouseButtons() == Qt::NoButton;
}

void OnCtrlShiftKeyRelease(QWidget* widget, int key, std::function<void()> handler) {
  widget->installEventFilter(new CtrlShiftKeyFilter(widget, key, std::move(handler)));
}

void ReplaceComboItems(QComboBox& box, const std::vector<std::string>& items) {
  const QString typed = box.currentText();
  const bool editable = box.isEditable();
  box.clear();
  for (const std::string& item : items) box.addItem(platform::ToQt(item));
  if (editable) {
    box.setCurrentIndex(-1);
    box.setEditText(typed);
  }
}

}  // namespace quennet
