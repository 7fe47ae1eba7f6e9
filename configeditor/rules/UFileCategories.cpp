#include "configeditor/rules/UFileCategories.h"

#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "configeditor/rules/UModifierSections.h"

namespace quennet {

namespace {

// A 2DA file's section lists its modifiers, whose sections go with it. Another
// file's section naming the same label is not looked at.
void EraseModifierSections(TCustomIniFile& ini, const std::string& fileSection) {
  for (const std::string& key : ini.ReadSection(fileSection)) {
    const std::string label = ini.ReadString(fileSection, key, "");
    if (!label.empty() && ini.SectionExists(label)) ini.EraseSection(label);
  }
}

// A GFF file's new-field sections stay; a soundset file's section names nothing.
void EraseNothing(TCustomIniFile&, const std::string&) {}

}  // namespace

const std::array<TFileCategory, 3> kFileCategories = {{
    {TFileKind::TwoDa, k2daListSection, kTableKeyPrefix, "2DA", EraseModifierSections},
    {TFileKind::Gff, kGffListSection, kFileKeyPrefix, "GFF", EraseNothing},
    {TFileKind::Ssf, kSsfListSection, kFileKeyPrefix, "SSF", EraseNothing},
}};

const TFileCategory& FileCategory(TFileKind kind) {
  for (const TFileCategory& category : kFileCategories) {
    if (category.kind == kind) return category;
  }
  return kFileCategories.front();
}

bool IsNoFileName(std::string_view name) { return name.empty() || name == kNoName; }

bool IsFileNameInUse(TCustomIniFile& ini, const std::string& name) {
  // The labels' test sees every listed file, section and label; a file name needs the
  // same, since a section without keys does not exist for the INI accessor.
  return IsModifierLabelInUse(ini, name);
}

std::optional<std::string> RefusedFileName(TCustomIniFile& ini, const std::string& name) {
  if (std::optional<std::string> refusal = RefusedSectionName(name)) return refusal;
  if (IsFileNameInUse(ini, name)) return kFileNameInUseWarning;
  return std::nullopt;
}

std::optional<std::string> AddListedFile(TCustomIniFile& ini, const TFileCategory& category,
                                         const std::string& name) {
  // The name's check and the key's number see the state they are written on.
  TIniBatch batch(ini);
  if (std::optional<std::string> refusal = RefusedFileName(ini, name)) return refusal;
  ini.WriteString(category.listSection, NextFreeKey(ini, category.listSection, category.keyPrefix),
                  name);
  batch.UpdateFile();
  return std::nullopt;
}

void RemoveListedFile(TCustomIniFile& ini, const TFileCategory& category, const std::string& name) {
  RemoveEveryListing(ini, category.listSection, name);
  if (!ini.SectionExists(name)) return;
  category.eraseDependents(ini, name);
  ini.EraseSection(name);
}

}  // namespace quennet
