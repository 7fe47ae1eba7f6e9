// The talk-table byte builder lives in tests/support with the other test helpers.
#pragma once

#include "tests/support/TlkBytes.h"
