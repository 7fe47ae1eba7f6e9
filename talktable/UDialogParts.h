// Sorlith's dialogs are built from the shared form parts (platform/ui/FormParts.h);
// its memos wrap as below.
#pragma once

#include <QString>

#include "platform/ui/FormParts.h"

class QPlainTextEdit;

namespace sorlith {

using platform::ButtonRow;
using platform::FixSize;
using platform::MakeButton;
using platform::MakeCheckBox;
using platform::MakeEdit;
using platform::MakeHeading;
using platform::MakeLabel;
using platform::Named;
using platform::SetBold;
using platform::SetDarkRed;
using platform::WithToolTip;

// Memos wrap at word boundaries, or anywhere while their text holds a run without a
// blank longer than any word: Qt lays such a run out in quadratic time when it looks
// for word boundaries (a megabyte took a minute).
void FitWrapModeToText(QPlainTextEdit& memo);
// Sets the wrap mode for `text`, then the text.
void ShowPlainText(QPlainTextEdit& memo, const QString& text);

}  // namespace sorlith
