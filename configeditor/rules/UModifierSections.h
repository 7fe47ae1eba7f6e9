// The rules of 2DA modifier sections in changes.ini that the main window and the
// modifier dialogs share, kept apart from the widgets: whether a label may name a new
// modifier, the keys-first rewrite, the token list of a value box and the 2DA file
// that lies beside changes.ini.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/USectionRows.h"
#include "formats/UKV_IniFile.h"

namespace quennet {

// At least one character, no blank, and not exactly "N/A".
bool IsValidModifierLabel(const std::string& label);

// True when `label` (compared without regard to case) already names something a new
// modifier's section would clash with: an existing section, one of the fixed sections
// or the scratch section, a file listed by "[2DAList]", "[GFFList]", "[SSFList]" or
// "[CompileList]", an install folder section (a key of "[InstallList]"), a modifier
// listed by any 2DA file, or a new-field section named by an "AddField" key at any
// depth below a GFF file. A section without keys does not exist for the INI accessor,
// so the listings are checked too.
bool IsModifierLabelInUse(TCustomIniFile& ini, const std::string& label);

// The names, besides existing and reserved sections, that IsModifierLabelInUse tests
// a label against: every value of the listing sections, the keys of "[InstallList]",
// every label a 2DA file lists and every new-field section. For a command that makes
// many labels and folds them once.
std::vector<std::string> ListedNames(TCustomIniFile& ini);

// True for the seven fixed sections of changes.ini and the scratch section, compared
// without regard to case: they may be empty, and must not take a file's or a
// modifier's keys.
bool IsReservedSectionName(const std::string& name);

// True when `name` equals, without regard to case, the label of a modifier listed by
// any 2DA file's section: that modifier's section may hold no key yet, and must not
// become the section of a new 2DA file.
bool IsListedModifierLabel(TCustomIniFile& ini, const std::string& name);

// Deletes every key of `section` whose value equals `value` exactly. A delete removes
// the line that counts, so it is repeated until no listing is left.
void RemoveEveryListing(TCustomIniFile& ini, const std::string& section, const std::string& value);

// Lists a new modifier `label` in the file's section under the least free key of `kindWord`
// ("AddRow", ...), counted from the file; answers the key.
std::string AddModifier(TCustomIniFile& ini, const std::string& fileSection,
                        const std::string& kindWord, const std::string& label);
// Lists `label` as a copy of the modifier `sourceLabel`: a new key of `kindWord` and
// every key of the source's section, written to the file together; answers the key.
std::string CopyModifier(TCustomIniFile& ini, const std::string& fileSection,
                         const std::string& kindWord, const std::string& sourceLabel,
                         const std::string& label);
// Erases the modifier's section, then its key in the file's section.
void DeleteModifier(TCustomIniFile& ini, const std::string& fileSection, const std::string& key,
                    const std::string& label);

// Stores one row of a modifier's section (in place when the key is there in any case).
void StoreModifierRow(TCustomIniFile& ini, const std::string& modifierSection,
                      const std::string& key, const std::string& value);
// Removes the first line of `key`; answers the value of a later line of that name, which
// then counts (empty when there is none).
std::string DeleteModifierRow(TCustomIniFile& ini, const std::string& modifierSection,
                              const std::string& key);

// Puts `keys` (name and value, in the order given) at the head of `section`, in one
// write of the file. When the section has no key, or already begins with these key
// names (exact case, in this order), the keys are written in place. Otherwise the key
// lines of the section move as they stand: `keys` first, then every other key line in
// its order, byte for byte (values of any length, quotes and blanks kept, a repeated
// name kept); a key line named by one of `identifyingNames` or `keys` (without regard to
// case) is replaced. Nothing passes through another section.
void RewriteKeysFirst(TCustomIniFile& ini, const std::string& section,
                      const std::vector<std::string>& identifyingNames, const TKeyValues& keys);

// The items of a value box's token list: `fixedItems`, the "StrRef" keys of
// "[TLKList]" with a value, then the "2DAMEMORY" keys of the 2DA modifiers listed up to
// and including `modifierSection` of `fileName2da` (once each without regard to case).
std::vector<std::string> ValueTokens(TCustomIniFile& ini,
                                     const std::vector<std::string>& fixedItems,
                                     const std::string& fileName2da,
                                     const std::string& modifierSection);

// The full path of the 2DA file `fileName2da` in the folder of the existing file
// `iniPath`: the exact name first, else the only file of that folder whose name
// matches without regard to case. None when there is no such file.
std::optional<std::string> Find2daBesideIni(const std::string& iniPath,
                                            const std::string& fileName2da);

}  // namespace quennet
