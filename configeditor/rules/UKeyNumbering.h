// Numbering of new list keys and the file names changes.ini stores: the rules every
// pane of the configuration editor shares, kept apart from the widgets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/UKV_IniFile.h"

namespace quennet {

// prefix + the least number n, counted from `first`, for which `section` holds no key
// of that name (compared without regard to case, as the INI accessor does).
std::string NextFreeKey(TCustomIniFile& ini, const std::string& section, const std::string& prefix,
                        int first = 0);
// The same, counting only the keys whose value is not empty (the 2DA modifier list).
std::string NextFreeFilledKey(TCustomIniFile& ini, const std::string& section,
                              const std::string& prefix);
// The least-free rule on a given list of key names.
std::string LeastFreeName(const std::vector<std::string>& taken, const std::string& prefix,
                          int first = 0);

// A picked file's name without its folder, as changes.ini stores it.
std::string BareFileName(std::string_view path);
// The last part of a picked folder's path (separators at its end ignored).
std::string LastPathPart(std::string_view folder);

}  // namespace quennet
