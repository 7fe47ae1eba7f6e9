// The rules of a GFF file's section in changes.ini, kept apart from the widgets: which
// keys are settings, field changes or new-field modifiers, the rows the field-change
// list shows, the destination, moving a field change, the new-field sections reached
// through "AddField" keys and the field paths of a loaded GFF file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/UModifierSections.h"
#include "formats/UKV_IniFile.h"

class TGFFField;
class TGFFFile;

namespace quennet {

inline constexpr char kDefaultDestination[] = "override";

// The field-change list of a GFF file's section: every key with a value that is not a
// settings key, in file order (new-field keys included). Empty without the section.
TKeyValues GffModifierRows(TCustomIniFile& ini, const std::string& section);

// "!Destination" of the section; "override" when the key or the section is missing.
std::string ReadGffDestination(TCustomIniFile& ini, const std::string& section);
// Writes `destination` exactly as typed, or deletes the key when it is empty or
// "override" in any case (the installer's default).
void StoreGffDestination(TCustomIniFile& ini, const std::string& section,
                         const std::string& destination);

// Moves row `index` of `rows` (the listed part of `section`, in order) one place up
// (`up`) or down and rewrites the section to match: every listed key is deleted and
// written again in the new order, which puts them after the keys the list does not
// show. Returns the moved row's new index, or `index` when it cannot move.
int MoveGffModifier(TCustomIniFile& ini, const std::string& section, const TKeyValues& rows,
                    int index, bool up);

// Every new-field section reached, at any depth, through the "AddField" keys of the
// GFF files' sections, each once (compared without regard to case), in the order met.
// "AddField" keys that lead back to a section already met end the descent there.
std::vector<std::string> NewFieldSections(TCustomIniFile& ini);

// Appends the field paths of `field` and of everything below it to `paths`: lists'
// elements as "List\0\Field", localized strings as "Name(strref)" and "Name(langN)"
// instead of their own path.
void ListFieldPaths(const TGFFField* field, const std::string& parentPath,
                    std::vector<std::string>& paths);
// The field paths of every top-level field of a loaded file, in file order.
std::vector<std::string> FieldPathsOf(TGFFFile& file);

// The GFF file `fileName` in the folder of the existing file `iniPath`, found as the
// 2DA files are: the exact name first, else the only match without regard to case.
std::optional<std::string> FindGffBesideIni(const std::string& iniPath,
                                            const std::string& fileName);

// Stores the change of the field at `path` (in place when the key is there in any case).
void StoreFieldChange(TCustomIniFile& ini, const std::string& section, const std::string& path,
                      const std::string& value);
void DeleteFieldChange(TCustomIniFile& ini, const std::string& section, const std::string& path);
// Writes "!ReplaceFile" as "1" or "0".
void StoreGffReplaceFile(TCustomIniFile& ini, const std::string& section, bool replace);

}  // namespace quennet
