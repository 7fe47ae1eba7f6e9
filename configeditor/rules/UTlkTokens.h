// The StrRef tokens of changes.ini: "[TLKList]" keys "StrRef" + token number, each
// naming the StrRef of an entry in the mod's append.tlk.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "configeditor/rules/UChangesIniNames.h"
#include "formats/UKV_IniFile.h"

namespace quennet {

// Writes `strRef` under a new token key and returns the key. The token counter names
// the number to try first; a number some key of "[TLKList]" already has (in any case)
// is passed over, so an added token never replaces one. The counter ends one above
// the number given.
std::string AddToken(TCustomIniFile& ini, int32_t& tokenCounter, const std::string& strRef);

enum class TTokenEdit {
  Ignored,    // a box is empty or holds something other than the digits 0 to 9
  Duplicate,  // another token has the new key already
  Stored,
};

// Stores the token `oldKey` as "StrRef" + `number` (as typed) with `strRef`: the new
// key first, then the old one deleted when it differs in more than case.
TTokenEdit EditToken(TCustomIniFile& ini, const std::string& oldKey, const std::string& number,
                     const std::string& strRef);

// Removes the token `key`.
void DeleteToken(TCustomIniFile& ini, const std::string& key);

}  // namespace quennet
