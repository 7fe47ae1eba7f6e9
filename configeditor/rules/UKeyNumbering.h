// Numbering of new list keys and the file names changes.ini stores: the rules every
// pane of the configuration editor shares, kept apart from the widgets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
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

// The least-free rule for a writer that numbers many keys of one prefix: the taken
// names are folded once, and each name handed out counts as taken from then on. `first`
// is 0 or more.
class TKeyNumbering {
 public:
  TKeyNumbering(const std::vector<std::string>& taken, std::string prefix, int first = 0);
  std::string Next();

 private:
  bool IsTaken(int64_t number) const;

  std::string FPrefix;
  int64_t FFirst;
  std::vector<bool> FTakenNear;              // first, first + 1, ... first + count of names
  std::unordered_set<int64_t> FTakenBeyond;  // the numbers taken beyond those
  int64_t FNext;                             // no number below this one is free
};

// A picked file's name without its folder, as changes.ini stores it.
std::string BareFileName(std::string_view path);
// The text after the last separator of a picked folder's path: an empty text for a path
// that ends in one, such as the drive root C:\ (it names no folder to install into).
std::string LastPathPart(std::string_view folder);

}  // namespace quennet
