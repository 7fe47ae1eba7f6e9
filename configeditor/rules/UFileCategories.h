// The three categories of listed game files in changes.ini (2DA, GFF and soundset
// files): one table of what tells them apart, and the one add and the one remove
// command over it. Each listed file has a key in its list section ("[2DAList]" and so
// on) and keeps its changes in a section named by the file. The categories' screen half
// (tree node, menu items, hints) is the forms' (mainwindow/UFileCategoryScreens.h).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "formats/UKV_IniFile.h"

namespace quennet {

enum class TFileKind { TwoDa, Gff, Ssf };

struct TFileCategory {
  TFileKind kind;
  const char* listSection;  // "2DAList"
  const char* keyPrefix;    // "Table"
  const char* typeWord;     // the file-name prompt's word: "2DA"
  // Erases what the file's section names and goes with the file (run before the
  // section itself is erased).
  void (*eraseDependents)(TCustomIniFile& ini, const std::string& fileSection);
};

// In the order Open lists them and the menus offer them.
extern const std::array<TFileCategory, 3> kFileCategories;
const TFileCategory& FileCategory(TFileKind kind);

inline constexpr char kFileNameInUseWarning[] =
    "A file with this name is already used in this changes.ini file!";

// Empty or exactly "N/A": the add commands ignore it without a message.
bool IsNoFileName(std::string_view name);

// True when a new listed file may not take `name`: the file's changes would share a
// section with something else. Compared without regard to case (as section names
// are): an existing section, a fixed or the scratch section, a file of any list or a
// modifier label in use.
bool IsFileNameInUse(TCustomIniFile& ini, const std::string& name);

// Why `name` cannot be the name of a new listed file (a warning's sentence): a name
// that cannot name an INI section, or one in use (IsFileNameInUse); nothing when it can.
std::optional<std::string> RefusedFileName(TCustomIniFile& ini, const std::string& name);

// Lists `name` under the least free key of the category's list section and answers
// nothing; writes nothing and answers the refusal when RefusedFileName gives one.
std::optional<std::string> AddListedFile(TCustomIniFile& ini, const TFileCategory& category,
                                         const std::string& name);

// Deletes every key of the category's list whose value is `name` exactly, erases
// the category's dependents of section `name`, then the section itself.
void RemoveListedFile(TCustomIniFile& ini, const TFileCategory& category, const std::string& name);

}  // namespace quennet
