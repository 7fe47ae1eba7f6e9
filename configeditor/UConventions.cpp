#include "configeditor/UConventions.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"

namespace quennet {

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& candidate : names) {
    if (platform::SameTextAscii(candidate, name)) return true;
  }
  return false;
}

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

std::string LeastFreeName(const std::vector<std::string>& taken, const std::string& prefix,
                          int first) {
  for (int n = first;; ++n) {
    std::string name = prefix + std::to_string(n);
    if (!Contains(taken, name)) return name;
  }
}

std::string NextFreeKey(TCustomIniFile& ini, const std::string& section, const std::string& prefix,
                        int first) {
  return LeastFreeName(ini.ReadSection(section), prefix, first);
}

std::string NextFreeFilledKey(TCustomIniFile& ini, const std::string& section,
                              const std::string& prefix) {
  std::vector<std::string> filled;
  for (const std::string& key : ini.ReadSection(section)) {
    if (!ini.ReadString(section, key, "").empty()) filled.push_back(key);
  }
  return LeastFreeName(filled, prefix);
}

std::string BareFileName(std::string_view path) { return platform::ExtractFileName(path); }

std::string LastPathPart(std::string_view folder) {
  while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) {
    folder.remove_suffix(1);
  }
  return platform::ExtractFileName(folder);
}

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
