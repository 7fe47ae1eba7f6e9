// What the two help windows share: a modeless tool window without parent that stays
// on top, has no close box and is centred on the desktop when first shown. Having no
// parent keeps it usable while a window-modal dialog of the main window runs.
#pragma once

#include <QDialog>
#include <string>
#include <string_view>

#include "platform/ui/FormParts.h"

class QPlainTextEdit;

namespace quennet {

void MakeHelpWindow(QDialog& window, int clientWidth, int clientHeight);
// The help texts are written in lines of about 80 characters; each paragraph becomes
// one line, so that it wraps at the memo's own width. Empty lines, headings' rules,
// indented examples and list items ("Label: ...") keep their own lines.
std::string ReflowHelpText(std::string_view text);
// A read-only memo in a fixed-pitch font with a vertical scroll bar, showing `text`
// reflowed.
QPlainTextEdit* NewHelpMemo(QWidget* parent, const char* name, const char* text);
using platform::CentreOnDesktop;

}  // namespace quennet
