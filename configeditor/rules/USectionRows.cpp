#include "configeditor/rules/USectionRows.h"

namespace quennet {

TKeyValues SectionRows(TCustomIniFile& ini, const std::string& section, TEmptyValues empty) {
  TIniReadScope reading(ini);
  TKeyValues rows;
  for (const std::string& key : ini.ReadSection(section)) {
    std::string value = ini.ReadString(section, key, "");
    if (empty == TEmptyValues::Listed || !value.empty()) rows.emplace_back(key, std::move(value));
  }
  return rows;
}

}  // namespace quennet
