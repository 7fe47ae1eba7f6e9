#include "configeditor/rules/UInstallList.h"

#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/UFileKinds.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "platform/Text.h"

namespace quennet {

namespace {

// The key of `section` whose value is `value`, compared as `same` says; empty when none.
template <typename Same>
std::string FirstKeyWithValue(TCustomIniFile& ini, const std::string& section,
                              const std::string& value, Same same) {
  for (const std::string& key : ini.ReadSection(section)) {
    const std::string stored = ini.ReadString(section, key, "");
    if (!stored.empty() && same(key, stored, value)) return key;
  }
  return {};
}

bool Exactly(const std::string&, const std::string& stored, const std::string& value) {
  return stored == value;
}

}  // namespace

std::vector<TInstallEntry> ReadInstallList(TCustomIniFile& ini) {
  std::vector<TInstallEntry> entries;
  for (const std::string& folderKey : ini.ReadSection(kInstallListSection)) {
    const std::string folder = ini.ReadString(kInstallListSection, folderKey, "");
    if (folder.empty()) continue;
    for (const std::string& key : ini.ReadSection(folderKey)) {
      std::string file = ini.ReadString(folderKey, key, "");
      if (!file.empty()) entries.push_back({folder, std::move(file), IsReplaceKey(key)});
    }
  }
  return entries;
}

std::string FindOrAddInstallFolder(TCustomIniFile& ini, const std::string& folder) {
  std::string key = FirstKeyWithValue(ini, kInstallListSection, folder, Exactly);
  if (key.empty()) {
    key = NextFreeKey(ini, kInstallListSection, "install_folder");
    ini.WriteString(kInstallListSection, key, folder);
  }
  return key;
}

void AddInstallFile(TCustomIniFile& ini, const std::string& folderKey, const std::string& file,
                    bool replace) {
  // Numbered before the old key goes, so the moved entry never takes its number back.
  const std::string key = NextFreeKey(ini, folderKey, EntryKeyPrefix(replace));
  const std::string listed = FirstKeyWithValue(ini, folderKey, file, Exactly);
  if (!listed.empty()) ini.DeleteKey(folderKey, listed);
  ini.WriteString(folderKey, key, file);
}

bool AddInstallEntry(TCustomIniFile& ini, const TInstallEntry& entry) {
  TIniBatch batch(ini);
  for (const TInstallEntry& listed : ReadInstallList(ini)) {
    if (listed == entry) return false;
  }
  AddInstallFile(ini, FindOrAddInstallFolder(ini, entry.folder), entry.file, entry.replace);
  batch.UpdateFile();
  return true;
}

void AddInstallFiles(TCustomIniFile& ini, const std::string& folder,
                     const std::vector<std::string>& files, bool replace) {
  // One write of the file: a failure leaves none of the files listed.
  TIniBatch batch(ini);
  const std::string folderKey = FindOrAddInstallFolder(ini, folder);
  for (const std::string& file : files) {
    if (!file.empty()) AddInstallFile(ini, folderKey, file, replace);
  }
  batch.UpdateFile();
}

bool DeleteInstallEntry(TCustomIniFile& ini, const TInstallEntry& entry) {
  auto sameFolder = [](const std::string&, const std::string& stored, const std::string& value) {
    return platform::SameTextAscii(stored, value);
  };
  auto sameEntry = [&entry](const std::string& key, const std::string& stored,
                            const std::string& value) {
    return IsReplaceKey(key) == entry.replace && platform::SameTextAscii(stored, value);
  };
  TIniBatch batch(ini);
  for (const std::string& folderKey : ini.ReadSection(kInstallListSection)) {
    if (!sameFolder(folderKey, ini.ReadString(kInstallListSection, folderKey, ""), entry.folder))
      continue;
    const std::string key = FirstKeyWithValue(ini, folderKey, entry.file, sameEntry);
    if (key.empty()) continue;
    if (ini.ReadSection(folderKey).size() == 1) {
      ini.DeleteKey(kInstallListSection, folderKey);
      ini.EraseSection(folderKey);
    } else {
      ini.DeleteKey(folderKey, key);
    }
    batch.UpdateFile();
    return true;
  }
  return false;
}

}  // namespace quennet
