#include "configeditor/rules/USsfSections.h"

#include "configeditor/rules/UKeyNumbering.h"

namespace quennet {

const std::array<const char*, 40> kSsfEntryNames = {
    "Battlecry 1", "Battlecry 2",  "Battlecry 3",     "Battlecry 4",    "Battlecry 5",
    "Battlecry 6", "Selected 1",   "Selected 2",      "Selected 3",     "Attack 1",
    "Attack 2",    "Attack 3",     "Pain 1",          "Pain 2",         "Low health",
    "Death",       "Critical hit", "Target immune",   "Place mine",     "Disarm mine",
    "Stealth on",  "Search",       "Pick lock start", "Pick lock fail", "Pick lock done",
    "Leave party", "Rejoin party", "Poisoned",        "Unknown(29)",    "Unknown(30)",
    "Unknown(31)", "Unknown(32)",  "Unknown(33)",     "Unknown(34)",    "Unknown(35)",
    "Unknown(36)", "Unknown(37)",  "Unknown(38)",     "Unknown(39)",    "Unknown(40)",
};

std::string NextFreeListKey(const std::vector<std::string>& keys, bool replace) {
  return LeastFreeName(keys, replace ? kReplaceKeyPrefix : kFileKeyPrefix);
}

std::optional<bool> SsfListKind(TCustomIniFile& ini, const std::string& fileName) {
  for (const std::string& key : ini.ReadSection(kSsfListSection)) {
    if (ini.ReadString(kSsfListSection, key, "") == fileName) return IsSsfReplaceKey(key);
  }
  return std::nullopt;
}

void SwitchSsfKind(TCustomIniFile& ini, const std::string& fileName, bool replace) {
  // Written once, so a failure cannot leave keys deleted and not yet written.
  TIniBatch batch(ini);
  const std::vector<std::string> keys = ini.ReadSection(kSsfListSection);
  bool moved = false;
  for (const std::string& key : keys) {
    const std::string value = ini.ReadString(kSsfListSection, key, "");
    if (moved) {
      // Written again to follow the switched key, in the old order.
      ini.DeleteKey(kSsfListSection, key);
      ini.WriteString(kSsfListSection, key, value);
    } else if (value == fileName && IsSsfReplaceKey(key) != replace) {
      ini.DeleteKey(kSsfListSection, key);
      // The old name still stands in `keys`; having the other prefix it blocks nothing.
      ini.WriteString(kSsfListSection, NextFreeListKey(keys, replace), value);
      moved = true;
    }
  }
  batch.UpdateFile();
}

TKeyValues SoundEntryRows(TCustomIniFile& ini, const std::string& fileSection) {
  TIniReadScope reading(ini);
  if (!ini.SectionExists(kSsfListSection)) return {};
  return SectionRows(ini, fileSection);
}

void StoreSoundEntry(TCustomIniFile& ini, const std::string& fileSection, const std::string& entry,
                     const std::string& value) {
  ini.WriteString(fileSection, entry, value);
}

void DeleteSoundEntry(TCustomIniFile& ini, const std::string& fileSection,
                      const std::string& entry) {
  ini.DeleteKey(fileSection, entry);
}

}  // namespace quennet
