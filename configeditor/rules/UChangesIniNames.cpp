#include "configeditor/rules/UChangesIniNames.h"

#include "platform/Text.h"

namespace quennet {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool IsSsfReplaceKey(std::string_view key) { return StartsWith(key, kReplaceKeyPrefix); }

bool IsAddFieldKey(std::string_view key) {
  return platform::StartsWithAsciiNoCase(key, kAddFieldKeyPrefix);
}

bool IsGffSettingKey(std::string_view key) {
  return platform::StartsWithAsciiNoCase(key, kReplaceFileKey) ||
         platform::StartsWithAsciiNoCase(key, kDestinationKey);
}

bool IsStrRefToken(std::string_view key) { return StartsWith(key, kStrRefTokenPrefix); }

bool Is2daMemoryToken(std::string_view key) { return StartsWith(key, k2daMemoryTokenPrefix); }

}  // namespace quennet
