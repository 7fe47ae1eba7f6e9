// The conventions that every pane and dialog of the configuration editor shares:
// numbering of new list keys, bare file names, the Ctrl+Shift keys and refilling an
// editable drop-down without losing what the user typed. Confirmations of removals
// go through TMainForm::AskYesNo with a text beginning kConfirmRemovalPrefix; long
// operations hold a platform::HourglassCursor.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/UKV_IniFile.h"

class QComboBox;
class QKeyEvent;
class QWidget;

namespace quennet {

inline constexpr std::string_view kConfirmRemovalPrefix = "Are you sure you wish to";

// prefix + the least number n, counted from `first`, for which `section` holds no key
// of that name (compared without regard to case, as the INI accessor does).
std::string NextFreeKey(TCustomIniFile& ini, const std::string& section, const std::string& prefix,
                        int first = 0);
// The same, counting only the keys whose value is not empty (the 2DA modifier list).
std::string NextFreeFilledKey(TCustomIniFile& ini, const std::string& section,
                              const std::string& prefix);
// The least-free rule on a given list of key names.
std::string LeastFreeName(const std::vector<std::string>& taken, const std::string& prefix,
                          int first = 0);

// A picked file's name without its folder, as changes.ini stores it.
std::string BareFileName(std::string_view path);
// The last part of a picked folder's path (separators at its end ignored).
std::string LastPathPart(std::string_view folder);

// True for the release of `key` with exactly Ctrl and Shift held and no mouse button.
bool IsCtrlShiftKeyRelease(const QKeyEvent& event, int key);

// Runs `handler` (inside the default error guard) whenever `key` is released in
// `widget` with exactly Ctrl and Shift held. The filter lives as long as `widget`.
void OnCtrlShiftKeyRelease(QWidget* widget, int key, std::function<void()> handler);

// Replaces the items of a drop-down; an editable box keeps the text the user typed
// (QComboBox loses it on clear() and on the first addItem()).
void ReplaceComboItems(QComboBox& box, const std::vector<std::string>& items);

}  // namespace quennet
