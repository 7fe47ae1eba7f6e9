#include "configeditor/rules/UModifierSections.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <system_error>

#include "configeditor/rules/UGffSections.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace quennet {

namespace {

// Lists whose values name sections of their own ("[InstallList]" names its folder
// sections by its keys).
constexpr const char* kListingSections[] = {k2daListSection, kGffListSection, kSsfListSection,
                                            kCompileListSection};

bool ContainsNoCase(const std::vector<std::string>& items, std::string_view item) {
  return std::any_of(items.begin(), items.end(), [item](const std::string& candidate) {
    return platform::SameTextAscii(candidate, item);
  });
}

std::vector<std::string> ValuesOf(TCustomIniFile& ini, const std::string& section) {
  std::vector<std::string> values;
  for (const std::string& key : ini.ReadSection(section))
    values.push_back(ini.ReadString(section, key, ""));
  return values;
}

// The memory tokens of one 2DA file's modifiers; true when the scan reached the
// dialog's own modifier and must end.
bool AddMemoryTokens(TCustomIniFile& ini, const std::string& fileSection,
                     const std::string& modifierSection, std::vector<std::string>& tokens) {
  for (const std::string& key : ini.ReadSection(fileSection)) {
    const std::string label = ini.ReadString(fileSection, key, "");
    if (!label.empty()) {
      for (const std::string& token : ini.ReadSection(label)) {
        if (Is2daMemoryToken(token) && !ContainsNoCase(tokens, token)) tokens.push_back(token);
      }
    }
    if (label == modifierSection) return true;
  }
  return false;
}

}  // namespace

bool IsValidModifierLabel(const std::string& label) {
  return !label.empty() && label != kNoName && label.find(' ') == std::string::npos;
}

bool IsModifierLabelInUse(TCustomIniFile& ini, const std::string& label) {
  // An empty label is not a name at all; it is refused as invalid.
  if (label.empty()) return false;
  TIniReadScope reading(ini);
  if (ini.SectionExists(label) || IsReservedSectionName(label)) return true;
  return ContainsNoCase(ListedNames(ini), label);
}

std::vector<std::string> ListedNames(TCustomIniFile& ini) {
  std::vector<std::string> names;
  for (const char* listing : kListingSections) {
    std::vector<std::string> values = ValuesOf(ini, listing);
    names.insert(names.end(), values.begin(), values.end());
  }
  // Install folder sections are named by the keys of "[InstallList]".
  for (const std::string& folderKey : ini.ReadSection(kInstallListSection))
    names.push_back(folderKey);
  for (const std::string& fileName : ValuesOf(ini, k2daListSection)) {
    if (fileName.empty()) continue;
    std::vector<std::string> labels = ValuesOf(ini, fileName);
    names.insert(names.end(), labels.begin(), labels.end());
  }
  std::vector<std::string> newFields = NewFieldSections(ini);
  names.insert(names.end(), newFields.begin(), newFields.end());
  return names;
}

bool IsReservedSectionName(const std::string& name) {
  if (platform::SameTextAscii(name, kScratchSection)) return true;
  return std::any_of(std::begin(kFixedSections), std::end(kFixedSections),
                     [&name](const char* fixed) { return platform::SameTextAscii(name, fixed); });
}

bool IsListedModifierLabel(TCustomIniFile& ini, const std::string& name) {
  if (name.empty()) return false;
  TIniReadScope reading(ini);
  for (const std::string& fileName : ValuesOf(ini, k2daListSection)) {
    if (!fileName.empty() && ContainsNoCase(ValuesOf(ini, fileName), name)) return true;
  }
  return false;
}

void RemoveEveryListing(TCustomIniFile& ini, const std::string& section, const std::string& value) {
  for (bool removed = true; removed;) {
    removed = false;
    for (const std::string& key : ini.ReadSection(section)) {
      if (ini.ReadString(section, key, "") != value) continue;
      ini.DeleteKey(section, key);
      removed = true;
    }
  }
}

void RewriteKeysFirst(TCustomIniFile& ini, const std::string& section,
                      const std::vector<std::string>& identifyingNames, const TKeyValues& keys) {
  ini.PutKeysFirst(section, identifyingNames, keys);
}

std::vector<std::string> ValueTokens(TCustomIniFile& ini,
                                     const std::vector<std::string>& fixedItems,
                                     const std::string& fileName2da,
                                     const std::string& modifierSection) {
  TIniReadScope reading(ini);
  std::vector<std::string> tokens = fixedItems;
  for (const std::string& key : ini.ReadSection(kTlkListSection)) {
    if (IsStrRefToken(key) && !ini.ReadString(kTlkListSection, key, "").empty())
      tokens.push_back(key);
  }
  for (const std::string& fileName : ValuesOf(ini, k2daListSection)) {
    if (fileName.empty()) continue;
    if (AddMemoryTokens(ini, fileName, modifierSection, tokens)) break;
    if (fileName == fileName2da) break;
  }
  return tokens;
}

std::optional<std::string> Find2daBesideIni(const std::string& iniPath,
                                            const std::string& fileName2da) {
  if (iniPath.empty() || fileName2da.empty() || !platform::FileExists(iniPath)) return std::nullopt;
  const std::string folder = platform::ExtractFilePath(iniPath);
  if (platform::FileExists(folder + fileName2da)) return folder + fileName2da;
  if (fileName2da.find_first_of("/\\") != std::string::npos) return std::nullopt;
  // The stored names come from a file system that ignores case.
  std::optional<std::string> match;
  std::error_code error;
  const std::filesystem::path where =
      folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
  for (std::filesystem::directory_iterator entry(where, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (!platform::SameTextAscii(name, fileName2da) || !platform::FileExists(folder + name))
      continue;
    if (match) return std::nullopt;
    match = folder + name;
  }
  return match;
}

std::string AddModifier(TCustomIniFile& ini, const std::string& fileSection,
                        const std::string& kindWord, const std::string& label) {
  const std::string key = NextFreeFilledKey(ini, fileSection, kindWord);
  ini.WriteString(fileSection, key, label);
  return key;
}

std::string CopyModifier(TCustomIniFile& ini, const std::string& fileSection,
                         const std::string& kindWord, const std::string& sourceLabel,
                         const std::string& label) {
  TIniBatch batch(ini);
  const std::string key = AddModifier(ini, fileSection, kindWord, label);
  for (const std::string& each : ini.ReadSection(sourceLabel))
    ini.WriteString(label, each, ini.ReadString(sourceLabel, each, ""));
  batch.UpdateFile();
  return key;
}

void DeleteModifier(TCustomIniFile& ini, const std::string& fileSection, const std::string& key,
                    const std::string& label) {
  ini.EraseSection(label);
  ini.DeleteKey(fileSection, key);
}

void StoreModifierRow(TCustomIniFile& ini, const std::string& modifierSection,
                      const std::string& key, const std::string& value) {
  ini.WriteString(modifierSection, key, value);
}

std::string DeleteModifierRow(TCustomIniFile& ini, const std::string& modifierSection,
                              const std::string& key) {
  ini.DeleteKey(modifierSection, key);
  return ini.ReadString(modifierSection, key, "");
}

}  // namespace quennet
