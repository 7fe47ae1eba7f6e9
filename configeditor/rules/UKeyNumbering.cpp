#include "configeditor/rules/UKeyNumbering.h"

#include "platform/Files.h"
#include "platform/Text.h"

namespace quennet {

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& candidate : names) {
    if (platform::SameTextAscii(candidate, name)) return true;
  }
  return false;
}

}  // namespace

std::string LeastFreeName(const std::vector<std::string>& taken, const std::string& prefix,
                          int first) {
  for (int n = first;; ++n) {
    std::string name = prefix + std::to_string(n);
    if (!Contains(taken, name)) return name;
  }
}

std::string NextFreeKey(TCustomIniFile& ini, const std::string& section, const std::string& prefix,
                        int first) {
  return LeastFreeName(ini.ReadSection(section), prefix, first);
}

std::string NextFreeFilledKey(TCustomIniFile& ini, const std::string& section,
                              const std::string& prefix) {
  std::vector<std::string> filled;
  for (const std::string& key : ini.ReadSection(section)) {
    if (!ini.ReadString(section, key, "").empty()) filled.push_back(key);
  }
  return LeastFreeName(filled, prefix);
}

std::string BareFileName(std::string_view path) { return platform::ExtractFileName(path); }

std::string LastPathPart(std::string_view folder) {
  while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) {
    folder.remove_suffix(1);
  }
  return platform::ExtractFileName(folder);
}

}  // namespace quennet
