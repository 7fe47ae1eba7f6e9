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

#include "configeditor/rules/UKeyNumbering.h"

class QComboBox;
class QKeyEvent;
class QWidget;

namespace quennet {

inline constexpr std::string_view kConfirmRemovalPrefix = "Are you sure you wish to";

// True for the release of `key` with exactly Ctrl and Shift held and no mouse button.
bool IsCtrlShiftKeyRelease(const QKeyEvent& event, int key);

// Runs `handler` (inside the default error guard) whenever `key` is released in
// `widget` with exactly Ctrl and Shift held. The filter lives as long as `widget`.
void OnCtrlShiftKeyRelease(QWidget* widget, int key, std::function<void()> handler);

// Replaces the items of a drop-down; an editable box keeps the text the user typed
// (QComboBox loses it on clear() and on the first addItem()).
void ReplaceComboItems(QComboBox& box, const std::vector<std::string>& items);

}  // namespace quennet
