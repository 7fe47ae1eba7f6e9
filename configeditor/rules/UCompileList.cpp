#include "configeditor/rules/UCompileList.h"

#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/UFileKinds.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "configeditor/rules/USectionRows.h"
#include "platform/Text.h"

namespace quennet {

namespace {

constexpr char kDestination[] = "!Destination";
constexpr char kOverride[] = "override";

// Where the installer puts a compiled script unless its section names another place.
bool IsDefaultDestination(const std::string& destination) {
  return destination.empty() || platform::SameTextAscii(destination, kOverride);
}

}  // namespace

std::optional<std::string> RefusedCompileEntry(const std::string& script,
                                               const std::string& destination) {
  if (IsDefaultDestination(destination)) return std::nullopt;
  return RefusedSectionName(script);
}

std::vector<std::pair<std::string, std::string>> ReadCompileList(TCustomIniFile& ini) {
  return SectionRows(ini, kCompileListSection);
}

std::string AddCompileEntry(TCustomIniFile& ini, const std::string& script, bool replace,
                            const std::string& destination) {
  TIniBatch batch(ini);
  // Numbered against the keys as they were, the deleted ones included.
  const std::vector<std::string> keys = ini.ReadSection(kCompileListSection);
  for (const std::string& key : keys) {
    if (ini.ReadString(kCompileListSection, key, "") != script) continue;
    if (IsReplaceKey(key) == replace) {
      batch.UpdateFile();  // the entries of the other kind deleted so far
      return {};
    }
    ini.DeleteKey(kCompileListSection, key);
  }
  std::string key = LeastFreeName(keys, EntryKeyPrefix(replace));
  ini.WriteString(kCompileListSection, key, script);
  SetScriptDestination(ini, script, destination);
  batch.UpdateFile();
  return key;
}

std::string ScriptDestination(TCustomIniFile& ini, const std::string& script) {
  return ini.ReadString(script, kDestination, kOverride);
}

void SetScriptDestination(TCustomIniFile& ini, const std::string& script,
                          const std::string& destination) {
  if (!IsDefaultDestination(destination)) {
    ini.WriteString(script, kDestination, destination);
    return;
  }
  ini.DeleteKey(script, kDestination);
  if (!ini.SectionExists(script)) ini.EraseSection(script);
}

void RemoveCompileEntry(TCustomIniFile& ini, const std::string& key) {
  ini.DeleteKey(kCompileListSection, key);
}

}  // namespace quennet
