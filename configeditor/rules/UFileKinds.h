// The two kinds of a listed file in changes.ini: a "File" key is copied or compiled
// only when no file of that name exists at the destination, a "Replace" key
// overwrites it.
#pragma once

#include <string>
#include <string_view>

#include "platform/PrivateProfile.h"
#include "platform/Text.h"

namespace quennet {

// True when the key's first seven characters are "replace" in any case.
inline bool IsReplaceKey(std::string_view key) {
  return platform::StartsWithAsciiNoCase(key, "replace");
}

inline std::string EntryKeyPrefix(bool replace) { return replace ? "Replace" : "File"; }

// A typed name (a modifier or setup label, a file, folder or script name, a token key)
// as changes.ini reads it back: without the blanks the INI rules drop around section
// names, key names and values. Every command checks the name trimmed so, or " a.2da"
// would pass a test against the stored "a.2da" and be listed twice, and "a.utc " would
// pass the in-use test while its keys land in the section "[a.utc]".
inline std::string TrimmedName(std::string_view typed) {
  return std::string(platform::TrimBlanks(typed));
}

}  // namespace quennet
