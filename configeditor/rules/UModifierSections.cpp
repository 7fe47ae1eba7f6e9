#include "configeditor/rules/UModifierSections.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <system_error>

#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace quennet {

namespace {

// Lists whose values name sections of their own.
constexpr const char* kListingSections[] = {k2daListSection, kGffListSection, kSsfListSection,
                                            kInstallListSection, kCompileListSection};

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

bool BeginsWithKeys(const std::vector<std::string>& existing, const TKeyValues& keys) {
  if (existing.size() < keys.size()) return false;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (existing[i] != keys[i].first) return false;
  }
  return true;
}

void WriteKeys(TCustomIniFile& ini, const std::string& section, const TKeyValues& keys) {
  for (const auto& [key, value] : keys) ini.WriteString(section, key, value);
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
  if (ini.SectionExists(label) || IsReservedSectionName(label)) return true;
  for (const char* listing : kListingSections) {
    if (ContainsNoCase(ValuesOf(ini, listing), label)) return true;
  }
  return IsListedModifierLabel(ini, label);
}

bool IsReservedSectionName(const std::string& name) {
  if (platform::SameTextAscii(name, kScratchSection)) return true;
  return std::any_of(std::begin(kFixedSections), std::end(kFixedSections),
                     [&name](const char* fixed) { return platform::SameTextAscii(name, fixed); });
}

bool IsListedModifierLabel(TCustomIniFile& ini, const std::string& name) {
  if (name.empty()) return false;
  for (const std::string& fileName : ValuesOf(ini, k2daListSection)) {
    if (!fileName.empty() && ContainsNoCase(ValuesOf(ini, fileName), name)) return true;
  }
  return false;
}

void RewriteKeysFirst(TCustomIniFile& ini, const std::string& section,
                      const std::vector<std::string>& identifyingNames, const TKeyValues& keys) {
  const std::vector<std::string> existing = ini.ReadSection(section);
  if (existing.empty() || BeginsWithKeys(existing, keys)) {
    WriteKeys(ini, section, keys);
    return;
  }
  // A scratch section already there is most likely what a failed rewrite left behind;
  // using it would mix its keys into this modifier and erasing it would lose them.
  if (ini.SectionExists(kScratchSection)) {
    throw platform::Exception("The keys of the modifier \"" + section +
                              "\" cannot be reordered because " + ini.FileName() +
                              " already holds a section \"" + kScratchSection +
                              "\", probably left over from an earlier failure. Move its keys "
                              "back where they belong and delete that section first.");
  }
  for (const std::string& key : existing) {
    if (!ContainsNoCase(identifyingNames, key)) {
      ini.WriteString(kScratchSection, key, ini.ReadString(section, key, ""));
    }
    ini.DeleteKey(section, key);
  }
  WriteKeys(ini, section, keys);
  for (const std::string& key : ini.ReadSection(kScratchSection)) {
    ini.WriteString(section, key, ini.ReadString(kScratchSection, key, ""));
  }
  ini.EraseSection(kScratchSection);
}

std::vector<std::string> ValueTokens(TCustomIniFile& ini,
                                     const std::vector<std::string>& fixedItems,
                                     const std::string& fileName2da,
                                     const std::string& modifierSection) {
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

}  // namespace quennet
