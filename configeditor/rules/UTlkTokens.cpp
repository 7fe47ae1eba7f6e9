#include "configeditor/rules/UTlkTokens.h"

#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "formats/UKV_Common.h"
#include "platform/Text.h"

namespace quennet {

std::string AddToken(TCustomIniFile& ini, int32_t& tokenCounter, const std::string& strRef) {
  // The number is picked on the state it is written on.
  TIniBatch batch(ini);
  const std::string key =
      LeastFreeName(ini.ReadSection(kTlkListSection), kStrRefTokenPrefix, tokenCounter);
  ini.WriteString(kTlkListSection, key, strRef);
  batch.UpdateFile();
  tokenCounter = std::stoi(key.substr(std::char_traits<char>::length(kStrRefTokenPrefix))) + 1;
  return key;
}

TTokenEdit EditToken(TCustomIniFile& ini, const std::string& oldKey, const std::string& number,
                     const std::string& strRef) {
  if (!IsAllDigits(number) || !IsAllDigits(strRef)) return TTokenEdit::Ignored;
  const std::string newKey = kStrRefTokenPrefix + number;
  const bool renamed = !platform::SameTextAscii(oldKey, newKey);
  TIniBatch batch(ini);
  if (renamed) {
    for (const std::string& key : ini.ReadSection(kTlkListSection)) {
      if (platform::SameTextAscii(key, newKey)) return TTokenEdit::Duplicate;
    }
  }
  ini.WriteString(kTlkListSection, newKey, strRef);
  if (renamed && !oldKey.empty()) ini.DeleteKey(kTlkListSection, oldKey);
  batch.UpdateFile();
  return TTokenEdit::Stored;
}

void DeleteToken(TCustomIniFile& ini, const std::string& key) {
  ini.DeleteKey(kTlkListSection, key);
}

}  // namespace quennet
