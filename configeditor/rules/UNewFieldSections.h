// The new-field modifiers of changes.ini, kept apart from the widgets: a section that
// tells the installer to add one field to a GFF file, listed under an "AddField" key by
// its GFF file's section or by the section of the new Struct or List that holds it.
// Key order of a section written here: "FieldType", "Path" (not in a sub-field),
// "Label", the type's keys ("Value"; "StrRef" and "lang" + id; "TypeId" and the index
// token), then the path token. The GFF compare writes the same format.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/UKV_IniFile.h"

namespace quennet {

// The type words in the order the type list offers them (DWORD64 and Void have none).
inline constexpr std::array<const char*, 16> kFieldTypeWords = {
    "Byte",   "Char",      "Word",   "Short",        "DWORD",       "Int",      "Float",  "Int64",
    "Double", "ExoString", "ResRef", "ExoLocString", "Orientation", "Position", "Struct", "List"};

enum class TFieldKind { None, Value, LocString, Struct, List };
// The kind of a type word, matched exactly with its case; None for any other text.
TFieldKind KindOfType(std::string_view type);

// "2DAMEMORY" (exact case) followed by a digit, then anything.
bool IsTokenShape(std::string_view text);

// Empty when `text` is accepted for a field of `type` (the StrRef for "ExoLocString",
// the Type ID for "Struct"); otherwise a blank followed by the reason. Tokens pass.
std::string CheckValue(std::string_view type, const std::string& text);

// True when some key of `section` has exactly (with case) the value `value`.
bool SectionListsValue(TCustomIniFile& ini, const std::string& value, const std::string& section);
// "AddField" + the least n for which `section` has no key of that name (any case).
std::string NextAddFieldKey(TCustomIniFile& ini, const std::string& section);

// Erases `section` and, depth first, every section its "AddField" keys (exact case)
// name, at any depth; a section met before (compared without regard to case) ends the
// descent, so keys that lead back up cannot loop. Returns the sections deleted,
// `section` first.
std::vector<std::string> DeleteModifierTree(TCustomIniFile& ini, const std::string& section);

// Where a modifier stands: the section that lists it and its own section.
struct TNewFieldPlace {
  std::string parentSection;
  std::string modifierSection;
  bool isSubField = false;    // below a new Struct or List: no "Path"
  bool parentIsList = false;  // an element of a new List: always a Struct
};

// The index token counts for a Struct unless it is the sub-field of a Struct.
bool HasIndexToken(const TNewFieldPlace& place);

// What the editor's inputs hold.
struct TNewField {
  std::string type;
  std::string label;
  std::string path;
  std::string value;
  std::string strRef;
  std::string typeId;
  std::string indexToken;
  std::string pathToken;
  // Localized strings: LanguageId and Text.
  std::vector<std::pair<std::string, std::string>> localized;
};

enum class TNewFieldInput { None, Type, Label, Value, StrRef, TypeId, IndexToken, PathToken };
// A warning and the input it concerns.
struct TNewFieldProblem {
  std::string warning;
  TNewFieldInput input = TNewFieldInput::None;
  bool operator==(const TNewFieldProblem&) const = default;
};

// Why the field cannot be saved, checked before anything is written; none when it can.
std::optional<TNewFieldProblem> CheckNewField(TCustomIniFile& ini, const TNewFieldPlace& place,
                                              const TNewField& field);
// Writes a field that CheckNewField accepted, in one write of the file: the parent's
// key (unless it lists the section already), then the section's keys. A token that has
// no token shape is not written; its warning is returned and the rest is saved.
std::vector<TNewFieldProblem> WriteNewField(TCustomIniFile& ini, const TNewFieldPlace& place,
                                            const TNewField& field);

// The modifier as its section holds it (type empty without "FieldType"); reads only
// the keys of its type, and nothing more for a type that is no type word.
TNewField ReadNewField(TCustomIniFile& ini, const TNewFieldPlace& place);

// Removes the new-field modifier `key` of `parentSection`, which names `section`, with
// its sub-field sections (DeleteModifierTree), in one write; answers the sections deleted.
std::vector<std::string> DeleteNewFieldModifier(TCustomIniFile& ini,
                                                const std::string& parentSection,
                                                const std::string& key, const std::string& section);

}  // namespace quennet
