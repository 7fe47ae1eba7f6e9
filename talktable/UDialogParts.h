// Sorlith's dialogs are built from the shared form parts (platform/ui/FormParts.h).
#pragma once

#include "platform/ui/FormParts.h"

namespace sorlith {

using platform::ButtonRow;
using platform::FixSize;
using platform::MakeButton;
using platform::MakeHeading;
using platform::MakeLabel;
using platform::Named;
using platform::SetBold;
using platform::SetDarkRed;

}  // namespace sorlith
