#include "configeditor/rules/UTlkTokens.h"

#include "configeditor/rules/UKeyNumbering.h"
#include "formats/UKV_Common.h"
#include "platform/Text.h"

namespace quennet {

std::string AddToken(TCustomIniFile& ini, int32_t& tokenCounter, const std::string& strRef) {
  // The number is picked on the state it is written on.
  TIniBatch batch(ini);
  const std::string key = LeastFreeName(ini.ReadSection(kTlkList), kTokenPrefix, tokenCounter);
  ini.WriteString(kTlkList, key, strRef);
  batch.UpdateFile();
  tokenCounter = std::stoi(key.substr(std::char_traits<char>::length(kTokenPrefix))) + 1;
  return key;
}

TTokenEdit EditToken(TCustomIniFile& ini, const std::string& oldKey, const std::string& number,
                     const std::string& strRef) {
  if (!IsAllDigits(number) || !IsAllDigits(strRef)) return TTokenEdit::Ignored;
  const std::string newKey = kTokenPrefix + number;
  const bool renamed = !platform::SameTextAscii(oldKey, newKey);
  TIniBatch batch(ini);
  if (renamed) {
    for (const std::string& key : ini.ReadSection(kTlkList)) {
      if (platform::SameTextAscii(key, newKey)) return TTokenEdit::Duplicate;
    }
  }
  ini.WriteString(kTlkList, newKey, strRef);
  if (renamed && !oldKey.empty()) ini.DeleteKey(kTlkList, oldKey);
  batch.UpdateFile();
  return TTokenEdit::Stored;
}

}  // namespace quennet
