#include "configeditor/rules/UValueTokens.h"

#include <algorithm>
#include <string_view>

#include "configeditor/rules/UChangesIniNames.h"

namespace quennet {

namespace {

void AppendOnce(std::vector<std::string>& tokens, const std::string& token) {
  const bool listed = std::any_of(tokens.begin(), tokens.end(), [&token](const std::string& each) {
    return platform::SameTextAscii(each, token);
  });
  if (!listed) tokens.push_back(token);
}

// The keys of `section` whose value is not empty, in file order.
std::vector<std::string> FilledValues(TCustomIniFile& ini, const std::string& section) {
  std::vector<std::string> values;
  for (const std::string& key : ini.ReadSection(section)) {
    std::string value = ini.ReadString(section, key, "");
    if (!value.empty()) values.push_back(std::move(value));
  }
  return values;
}

void AppendStrRefTokens(TCustomIniFile& ini, std::vector<std::string>& tokens) {
  for (const std::string& key : ini.ReadSection(kTlkListSection)) {
    if (IsStrRefToken(key) && !ini.ReadString(kTlkListSection, key, "").empty())
      tokens.push_back(key);
  }
}

// A 2DA modifier's memory keys count also without a value.
void Append2daMemoryTokens(TCustomIniFile& ini, std::vector<std::string>& tokens) {
  for (const std::string& fileSection : FilledValues(ini, k2daListSection)) {
    for (const std::string& modifier : FilledValues(ini, fileSection)) {
      for (const std::string& key : ini.ReadSection(modifier)) {
        if (Is2daMemoryToken(key)) AppendOnce(tokens, key);
      }
    }
  }
}

}  // namespace

std::vector<std::string> GffValueTokens(TCustomIniFile& ini) {
  TIniReadScope scope(ini);
  std::vector<std::string> tokens;
  AppendStrRefTokens(ini, tokens);
  Append2daMemoryTokens(ini, tokens);
  return tokens;
}

std::vector<std::string> SsfValueTokens(TCustomIniFile& ini) {
  TIniReadScope scope(ini);
  std::vector<std::string> tokens = GffValueTokens(ini);
  TSectionSet scanned;
  for (const std::string& fileSection : FilledValues(ini, kGffListSection)) {
    if (ini.SectionExists(fileSection)) CollectGffTokens(ini, fileSection, scanned, tokens);
  }
  return tokens;
}

void CollectGffTokens(TCustomIniFile& ini, const std::string& section, TSectionSet& scanned,
                      std::vector<std::string>& tokens) {
  if (!scanned.insert(section).second) return;
  for (const std::string& key : ini.ReadSection(section)) {
    const std::string value = ini.ReadString(section, key, "");
    if (value.empty()) continue;
    if (Is2daMemoryToken(key)) {
      AppendOnce(tokens, key);
    } else if (IsAddFieldKey(key) && ini.SectionExists(value)) {
      CollectGffTokens(ini, value, scanned, tokens);
    }
  }
}

}  // namespace quennet
