// What the 2DA modifier tests share: changes.ini texts written line by line with CR LF
// endings (tests/support/IniText.h), and binary 2DA files built byte by byte
// (tests/support/GameFileBuilders.h).
#pragma once

#include <string>
#include <vector>

#include "platform/Files.h"
#include "tests/support/GameFileBuilders.h"
#include "tests/support/IniText.h"

namespace modifier_testing {

using game_file_builders::TwoDaWithColumns;
using testing_support::Lines;

inline void Write2da(const std::string& path, const std::vector<std::string>& columns) {
  platform::ReplaceFile(path, TwoDaWithColumns(columns));
}

}  // namespace modifier_testing
