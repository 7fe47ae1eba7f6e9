// The token lists of the main window's value boxes: the tokens changes.ini defines
// ("StrRef" keys of "[TLKList]", "2DAMEMORY" keys of the modifiers), read afresh from
// the file each time a list opens. Nothing is written.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "formats/UKV_IniFile.h"
#include "platform/Text.h"

namespace quennet {

using TSectionSet = std::set<std::string, platform::AsciiNoCaseLess>;

// The GFF value box: the StrRef tokens, then the memory tokens of the 2DA modifiers.
std::vector<std::string> GffValueTokens(TCustomIniFile& ini);
// The soundset value box: the same, then the memory tokens of the GFF files' sections
// and of the new-field sections below them.
std::vector<std::string> SsfValueTokens(TCustomIniFile& ini);

// Appends, depth first, the "2DAMEMORY" keys with a value of `section` and of the
// sections its "AddField" keys name, each token once without regard to case. A
// section already in `scanned` is not scanned again, so loops of "AddField" keys end.
void CollectGffTokens(TCustomIniFile& ini, const std::string& section, TSectionSet& scanned,
                      std::vector<std::string>& tokens);

}  // namespace quennet
