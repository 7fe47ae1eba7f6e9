// What the two help windows share: a modeless tool window without parent that stays
// on top, has no close box and is centred on the desktop when first shown. Having no
// parent keeps it usable while a window-modal dialog of the main window runs.
#pragma once

#include <QDialog>

#include "platform/ui/FormParts.h"

class QPlainTextEdit;

namespace quennet {

void MakeHelpWindow(QDialog& window, int clientWidth, int clientHeight);
// A read-only memo in a fixed-pitch font with a vertical scroll bar.
QPlainTextEdit* NewHelpMemo(QWidget* parent, const char* name, const char* text);
using platform::CentreOnDesktop;

}  // namespace quennet
