#include "configeditor/rules/UGffSections.h"

#include <set>
#include <utility>

#include "formats/UGFFFile.h"
#include "platform/Text.h"

namespace quennet {

namespace {

using NameSet = std::set<std::string, platform::AsciiNoCaseLess>;

void CollectNewFieldSections(TCustomIniFile& ini, const std::string& section, NameSet& met,
                             std::vector<std::string>& sections) {
  for (const std::string& key : ini.ReadSection(section)) {
    if (!IsAddFieldKey(key)) continue;
    const std::string child = ini.ReadString(section, key, "");
    if (child.empty() || !met.insert(child).second) continue;
    sections.push_back(child);
    CollectNewFieldSections(ini, child, met, sections);
  }
}

}  // namespace

TKeyValues GffModifierRows(TCustomIniFile& ini, const std::string& section) {
  TIniReadScope scope(ini);
  TKeyValues rows;
  for (const std::string& key : ini.ReadSection(section)) {
    if (IsGffSettingKey(key)) continue;
    std::string value = ini.ReadString(section, key, "");
    if (!value.empty()) rows.emplace_back(key, std::move(value));
  }
  return rows;
}

std::string ReadGffDestination(TCustomIniFile& ini, const std::string& section) {
  if (!ini.SectionExists(section)) return kDefaultDestination;
  return ini.ReadString(section, kDestinationKey, kDefaultDestination);
}

void StoreGffDestination(TCustomIniFile& ini, const std::string& section,
                         const std::string& destination) {
  if (destination.empty() || platform::SameTextAscii(destination, kDefaultDestination)) {
    ini.DeleteKey(section, kDestinationKey);
  } else {
    ini.WriteString(section, kDestinationKey, destination);
  }
}

int MoveGffModifier(TCustomIniFile& ini, const std::string& section, const TKeyValues& rows,
                    int index, bool up) {
  const int count = static_cast<int>(rows.size());
  const int target = up ? index - 1 : index + 1;
  if (index < 0 || index >= count || target < 0 || target >= count) return index;
  TKeyValues moved = rows;
  std::swap(moved[static_cast<size_t>(index)], moved[static_cast<size_t>(target)]);
  // Keys are re-ordered by writing them again, which appends each to its section; the
  // file is written once, so a failure cannot leave keys deleted and not yet written.
  TIniBatch batch(ini);
  for (const auto& row : rows) ini.DeleteKey(section, row.first);
  for (const auto& [key, value] : moved) ini.WriteString(section, key, value);
  batch.UpdateFile();
  return target;
}

std::vector<std::string> NewFieldSections(TCustomIniFile& ini) {
  TIniReadScope scope(ini);
  NameSet met;
  std::vector<std::string> sections;
  for (const std::string& listKey : ini.ReadSection(kGffListSection)) {
    const std::string fileSection = ini.ReadString(kGffListSection, listKey, "");
    if (!fileSection.empty()) CollectNewFieldSections(ini, fileSection, met, sections);
  }
  return sections;
}

void ListFieldPaths(const TGFFField* field, const std::string& parentPath,
                    std::vector<std::string>& paths) {
  if (field == nullptr) return;
  const std::string label = field->GetLabel();
  std::string path = parentPath;
  if (!label.empty()) {
    path = parentPath.empty() ? label : parentPath + "\\" + label;
    if (field->FieldType() != kGffExoLocString) paths.push_back(path);
  }
  if (const auto* gffStruct = FieldAs<TGFFStruct>(field)) {
    for (const auto& child : gffStruct->Fields()) ListFieldPaths(child.get(), path, paths);
  } else if (const auto* list = FieldAs<TGFFList>(field)) {
    for (size_t i = 0; i < list->Structs().size(); ++i)
      ListFieldPaths(list->Structs()[i].get(), path + "\\" + std::to_string(i), paths);
  } else if (const auto* text = FieldAs<TGFF_CExoLocString>(field)) {
    paths.push_back(path + "(strref)");
    for (const auto& subString : text->SubStrings())
      paths.push_back(path + "(lang" + std::to_string(subString->StringId()) + ")");
  }
}

std::vector<std::string> FieldPathsOf(TGFFFile& file) {
  std::vector<std::string> paths;
  for (TGFFField* field = file.FirstField(); field != nullptr; field = file.NextField())
    ListFieldPaths(field, "", paths);
  return paths;
}

std::optional<std::string> FindGffBesideIni(const std::string& iniPath,
                                            const std::string& fileName) {
  return Find2daBesideIni(iniPath, fileName);
}

void StoreFieldChange(TCustomIniFile& ini, const std::string& section, const std::string& path,
                      const std::string& value) {
  ini.WriteString(section, path, value);
}

void DeleteFieldChange(TCustomIniFile& ini, const std::string& section, const std::string& path) {
  ini.DeleteKey(section, path);
}

void StoreGffReplaceFile(TCustomIniFile& ini, const std::string& section, bool replace) {
  ini.WriteString(section, kReplaceFileKey, replace ? "1" : "0");
}

}  // namespace quennet
