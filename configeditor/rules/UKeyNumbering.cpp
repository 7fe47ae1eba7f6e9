#include "configeditor/rules/UKeyNumbering.h"

#include <optional>

#include "platform/Files.h"
#include "platform/Text.h"

namespace quennet {

namespace {

// The number n when `name` is `prefix` (without regard to case) followed by n as decimal
// digits without leading zeros; nothing otherwise.
std::optional<int64_t> NumberAfter(std::string_view name, std::string_view prefix) {
  if (!platform::StartsWithAsciiNoCase(name, prefix)) return std::nullopt;
  const std::string_view digits = name.substr(prefix.size());
  if (digits.empty() || digits.size() > 18 || (digits.size() > 1 && digits.front() == '0'))
    return std::nullopt;
  int64_t number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace

TKeyNumbering::TKeyNumbering(const std::vector<std::string>& taken, std::string prefix, int first)
    : FPrefix(std::move(prefix)), FFirst(first), FTakenNear(taken.size() + 1), FNext(first) {
  for (const std::string& name : taken) {
    std::optional<int64_t> number = NumberAfter(name, FPrefix);
    if (!number || *number < FFirst) continue;
    const uint64_t offset = static_cast<uint64_t>(*number - FFirst);
    if (offset < FTakenNear.size())
      FTakenNear[offset] = true;
    else
      FTakenBeyond.insert(*number);
  }
}

bool TKeyNumbering::IsTaken(int64_t number) const {
  const uint64_t offset = static_cast<uint64_t>(number - FFirst);
  return offset < FTakenNear.size() ? FTakenNear[offset] : FTakenBeyond.count(number) > 0;
}

std::string TKeyNumbering::Next() {
  while (IsTaken(FNext)) ++FNext;
  return FPrefix + std::to_string(FNext++);
}

std::string LeastFreeName(const std::vector<std::string>& taken, const std::string& prefix,
                          int first) {
  return TKeyNumbering(taken, prefix, first).Next();
}

std::string NextFreeKey(TCustomIniFile& ini, const std::string& section, const std::string& prefix,
                        int first) {
  return LeastFreeName(ini.ReadSection(section), prefix, first);
}

std::string NextFreeFilledKey(TCustomIniFile& ini, const std::string& section,
                              const std::string& prefix) {
  TIniReadScope scope(ini);
  std::vector<std::string> filled;
  for (const std::string& key : ini.ReadSection(section)) {
    if (!ini.ReadString(section, key, "").empty()) filled.push_back(key);
  }
  return LeastFreeName(filled, prefix);
}

std::string BareFileName(std::string_view path) { return platform::ExtractFileName(path); }

std::string LastPathPart(std::string_view folder) { return platform::ExtractFileName(folder); }

}  // namespace quennet
