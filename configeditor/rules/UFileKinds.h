// The two kinds of a listed file in changes.ini: a "File" key is copied or compiled
// only when no file of that name exists at the destination, a "Replace" key
// overwrites it.
#pragma once

#include <string>
#include <string_view>

#include "platform/Text.h"

namespace quennet {

// True when the key's first seven characters are "replace" in any case.
inline bool IsReplaceKey(std::string_view key) {
  return platform::StartsWithAsciiNoCase(key, "replace");
}

inline std::string EntryKeyPrefix(bool replace) { return replace ? "Replace" : "File"; }

// A typed folder, file or script name without the blanks around it: the INI accessor
// trims values as it reads them, so " a.2da" would pass a test against the stored
// "a.2da" and be listed twice.
inline std::string TrimmedName(std::string_view typed) {
  constexpr std::string_view kBlanks = " \t";
  const size_t first = typed.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return std::string(typed.substr(first, typed.find_last_not_of(kBlanks) - first + 1));
}

}  // namespace quennet
