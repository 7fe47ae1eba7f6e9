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

// The start of a changes.ini listing the 2DA file the modifier dialogs open on.
inline const std::string kHead =
    Lines({"[Settings]", "FileExists=1", "[2DAList]", "Table0=appearance.2da"});
// A section after the modifier's, which no command on the modifier may change.
inline const std::string kTail = Lines({"[n]", "x=1"});

inline void Write2da(const std::string& path, const std::vector<std::string>& columns) {
  platform::ReplaceFile(path, TwoDaWithColumns(columns));
}

}  // namespace modifier_testing
