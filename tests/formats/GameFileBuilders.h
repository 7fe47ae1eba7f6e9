// The 2DA and GFF byte builders live in tests/support with the other test helpers.
#pragma once

#include "tests/support/GameFileBuilders.h"
