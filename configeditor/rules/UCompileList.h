// The compile list of changes.ini: "[CompileList]" names the script sources the
// installer processes and compiles ("File" + n or "Replace" + n = file name), and a
// script's own section may hold "!Destination", where its compiled file goes.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "formats/UKV_IniFile.h"

namespace quennet {

// (key, value) of every "[CompileList]" key in file order, empty values included.
std::vector<std::pair<std::string, std::string>> ReadCompileList(TCustomIniFile& ini);

// Why changes.ini cannot hold what adding `script` with `destination` writes, checked
// before anything is written: the accessor's sentence for a script name that cannot
// name the section a destination other than "override" goes into; nothing when it can.
std::optional<std::string> RefusedCompileEntry(const std::string& script,
                                               const std::string& destination);

// Lists `script` as a "Replace" or "File" entry and stores its destination. A script
// already listed with this kind changes nothing (not even the destination) and gives
// an empty key; one listed with the other kind is moved to the end under the new kind.
// Returns the key written.
std::string AddCompileEntry(TCustomIniFile& ini, const std::string& script, bool replace,
                            const std::string& destination);

// "!Destination" of the script, "override" when it has none.
std::string ScriptDestination(TCustomIniFile& ini, const std::string& script);

// Writes the destination as typed, or deletes it (and a section left empty) when it is
// empty or "override" in any case.
void SetScriptDestination(TCustomIniFile& ini, const std::string& script,
                          const std::string& destination);

// Removes the key `key` of "[CompileList]"; the script's destination section stays.
void RemoveCompileEntry(TCustomIniFile& ini, const std::string& key);

}  // namespace quennet
