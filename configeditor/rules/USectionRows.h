// The rows of a changes.ini section as the list panes show them: each key with its
// value, in key order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "formats/UKV_IniFile.h"

namespace quennet {

using TKeyValues = std::vector<std::pair<std::string, std::string>>;

enum class TEmptyValues { Listed, Skipped };

// Every key of `section` with its value; with `Skipped`, a key with an empty value stays
// in the file but is not listed. Read in one scope.
TKeyValues SectionRows(TCustomIniFile& ini, const std::string& section,
                       TEmptyValues empty = TEmptyValues::Listed);

}  // namespace quennet
