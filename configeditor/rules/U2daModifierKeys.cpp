#include "configeditor/rules/U2daModifierKeys.h"

#include "configeditor/rules/UModifierSections.h"
#include "platform/Text.h"

namespace quennet {

namespace {

constexpr char kColumnLabel[] = "ColumnLabel";
constexpr char kDefaultValue[] = "DefaultValue";
constexpr char kNewColumn[] = "NewColumn";
constexpr char kBlankCell[] = "****";

bool HasKeyNoCase(const std::vector<std::string>& keys, std::string_view name) {
  for (const std::string& key : keys) {
    if (platform::SameTextAscii(key, name)) return true;
  }
  return false;
}

std::vector<std::string> IdentifierNames() {
  return {kRowIdentifierNames.begin(), kRowIdentifierNames.end()};
}

}  // namespace

const char* KindWord(T2daModifierKind kind) {
  switch (kind) {
    case T2daModifierKind::AddRow:
      return "AddRow";
    case T2daModifierKind::ChangeRow:
      return "ChangeRow";
    case T2daModifierKind::CopyRow:
      return "CopyRow";
    case T2daModifierKind::AddColumn:
      return "AddColumn";
  }
  return "";
}

std::optional<T2daModifierKind> KindOfModifierKey(std::string_view key, bool ignoreCase) {
  for (T2daModifierKind kind : kAll2daModifierKinds) {
    const std::string_view word = KindWord(kind);
    const bool match = ignoreCase ? platform::StartsWithAsciiNoCase(key, word)
                                  : key.substr(0, word.size()) == word;
    if (match) return kind;
  }
  return std::nullopt;
}

std::optional<std::string> RowIdentifierName(std::string_view key) {
  for (const char* name : kRowIdentifierNames) {
    if (platform::SameTextAscii(key, name)) return std::string(name);
  }
  return std::nullopt;
}

TRowIdentifier LoadRowIdentifier(TCustomIniFile& ini, const std::string& section) {
  const std::vector<std::string> keys = ini.ReadSection(section);
  if (keys.empty()) {
    ini.WriteString(section, "RowIndex", "0");
    return {"RowIndex", ""};
  }
  if (std::optional<std::string> name = RowIdentifierName(keys.front())) {
    return {*name, ini.ReadString(section, keys.front(), "")};
  }
  SetRowIdentifier(ini, section, "RowIndex", "0");
  return {"RowIndex", ""};
}

void SetRowIdentifier(TCustomIniFile& ini, const std::string& section, const std::string& name,
                      const std::string& value) {
  const std::vector<std::string> keys = ini.ReadSection(section);
  // The stored spelling stays: "rowindex" is the identifier "RowIndex".
  if (!keys.empty() && platform::SameTextAscii(keys.front(), name)) {
    ini.WriteString(section, keys.front(), value);
    return;
  }
  RewriteKeysFirst(ini, section, IdentifierNames(), {{name, value}});
}

TColumnSettings LoadColumnSettings(TCustomIniFile& ini, const std::string& section) {
  const std::vector<std::string> keys = ini.ReadSection(section);
  if (keys.empty()) {
    SetColumnSettings(ini, section, kBlankCell, kNewColumn);
    return {kNewColumn, kBlankCell};
  }
  const std::string defaultValue =
      HasKeyNoCase(keys, kDefaultValue) ? ini.ReadString(section, kDefaultValue, "") : kBlankCell;
  std::string label = ini.ReadString(section, kColumnLabel, "");
  if (keys.front() == kColumnLabel) return {label, defaultValue};
  // The author's label is kept wherever it stood and however it was spelled.
  if (label.empty()) label = kNewColumn;
  SetColumnSettings(ini, section, defaultValue, label);
  return {label, defaultValue};
}

void SetColumnSettings(TCustomIniFile& ini, const std::string& section,
                       const std::string& defaultValue, const std::string& label) {
  RewriteKeysFirst(ini, section, {kColumnLabel, kDefaultValue},
                   {{kColumnLabel, label}, {kDefaultValue, defaultValue}});
}

std::string ReadExclusiveColumn(TCustomIniFile& ini, const std::string& section) {
  return ini.ReadString(section, kExclusiveColumnKey, "");
}

void StoreExclusiveColumn(TCustomIniFile& ini, const std::string& section,
                          const std::string& column) {
  if (column.empty()) {
    ini.DeleteKey(section, kExclusiveColumnKey);
  } else {
    ini.WriteString(section, kExclusiveColumnKey, column);
  }
}

}  // namespace quennet
