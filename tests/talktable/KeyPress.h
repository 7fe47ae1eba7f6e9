// PressKey and TabOrder live in tests/support/Widgets.h with the other widget helpers.
#pragma once

#include <QLineEdit>

#include "tests/support/Widgets.h"
