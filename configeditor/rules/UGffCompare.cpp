#include "configeditor/rules/UGffCompare.h"

#include <cstring>
#include <optional>

#include "configeditor/rules/UChangesIniNames.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace quennet {

namespace {

constexpr char kUnknownType[] = "UNKNOWN";

// The path of a field below `parentPath`: its label, or its index in a List.
std::string FieldPath(const std::string& parentPath, const std::string& label, int32_t index) {
  if (index == -1 && label.empty()) return parentPath;
  std::string tail = index == -1 ? label : std::to_string(index);
  if (parentPath.empty()) return tail;
  return parentPath + "\\" + tail;
}

std::string StrRefText(uint32_t strRef) {
  return strRef == TGFF_CExoLocString::kNoStrRef ? "-1" : std::to_string(strRef);
}

// The text two value fields are compared by and a change is written as: a DWORD64 as
// its unsigned 64-bit number (its value text joins the bytes, which is ambiguous).
std::string ComparedText(const TGFFField& field) {
  if (const auto* dword64 = FieldAs<TGFF_CDWORD64>(&field)) {
    uint64_t value = 0;
    for (size_t i = dword64->Value().size(); i-- > 0;) value = (value << 8) | dword64->Value()[i];
    return std::to_string(value);
  }
  return FieldValueAsText(field);
}

template <typename Field>
bool SameBytes(const TGFFField& a, const TGFFField& b) {
  const auto& x = static_cast<const Field&>(a).Value();
  const auto& y = static_cast<const Field&>(b).Value();
  return std::memcmp(&x, &y, sizeof x) == 0;
}
template <typename Field>
bool SameData(const TGFFField& a, const TGFFField& b) {
  return static_cast<const Field&>(a).Data() == static_cast<const Field&>(b).Data();
}

// True when both value fields store the same bytes in the same type, so that their value
// texts are equal; false decides nothing. Spares formatting numbers that did not change.
bool SameStoredValue(const TGFFField& a, const TGFFField& b) {
  if (a.FieldType() != b.FieldType()) return false;
  switch (a.FieldType()) {
    case kGffByte:
      return SameBytes<TGFF_SByte>(a, b);
    case kGffChar:
      return SameBytes<TGFF_SChar>(a, b);
    case kGffWord:
      return SameBytes<TGFF_SWord>(a, b);
    case kGffShort:
      return SameBytes<TGFF_SShort>(a, b);
    case kGffDword:
      return SameBytes<TGFF_SDWORD>(a, b);
    case kGffInt:
      return SameBytes<TGFF_SInt>(a, b);
    case kGffDword64:
      return SameBytes<TGFF_CDWORD64>(a, b);
    case kGffInt64:
      return SameBytes<TGFF_CInt64>(a, b);
    case kGffFloat:
      return SameBytes<TGFF_SFloat>(a, b);
    case kGffDouble:
      return SameBytes<TGFF_CDouble>(a, b);
    case kGffOrientation:
      return SameBytes<TGFF_COrientation>(a, b);
    case kGffPosition:
      return SameBytes<TGFF_CPosition>(a, b);
    case kGffExoString:
      return SameData<TGFF_CExoString>(a, b);
    case kGffResRef:
      return SameData<TGFF_CResRef>(a, b);
    default:
      return false;
  }
}

// One run of the compare: the unaltered copy, the file's section and the counts.
class TGffCompare {
 public:
  TGffCompare(TCustomIniFile& ini, const std::string& fileSection, TGFFFile& unaltered,
              const std::function<void()>& processPendingMessages)
      : FIni(ini),
        FUnaltered(unaltered),
        FFileSection(ini, fileSection),
        FSectionNames(ini),
        FStem(GffSectionStem(fileSection)),
        FProcessPendingMessages(processPendingMessages) {}

  TGffCompareResult Run(TGFFFile& modified) {
    const TUnalteredPlace root{FUnaltered.Root(), true};
    for (const TGFFField* field = modified.FirstField(); field; field = modified.NextField()) {
      CompareGffField(*field, *modified.Root(), "", -1, false, FFileSection, root);
    }
    return std::move(FResult);
  }

 private:
  // Where a new field's section is listed and what its head keys hold.
  struct TFieldPlace {
    TGffTargetSection& target;
    const std::string& parentPath;
    const std::string& label;
    bool belowNew;
    const std::string& path;  // the field's own, to name it in the warning
  };

  // The field that a path names in the unaltered copy (null for none). `stepwise` when
  // the path's tokens are exactly the labels and list indices that led to it (no label
  // holds a backslash): a child's path then names what one step from this field reaches.
  struct TUnalteredPlace {
    const TGFFField* field;
    bool stepwise;
  };

  // The counterpart of a field, found as GetFieldByPath(path) finds it: one step from
  // its parent's where that gives the same field, else by the whole path.
  TUnalteredPlace Counterpart(const std::string& label, int32_t index, const std::string& path,
                              const TUnalteredPlace& parent) {
    if (parent.stepwise) {
      if (index == -1 && label.empty() && !path.empty()) return parent;  // the parent's path
      const bool simple = index != -1 || (!label.empty() && label.find('\\') == std::string::npos);
      if (simple && !parent.field) return {nullptr, true};
      if (simple && parent.field->FieldType() == kGffStruct) {
        const auto& gffStruct = static_cast<const TGFFStruct&>(*parent.field);
        return {gffStruct.FindField(index == -1 ? label : std::to_string(index)), true};
      }
      if (index != -1 && parent.field->FieldType() == kGffList) {
        const auto& list = static_cast<const TGFFList&>(*parent.field);
        return {index < list.Count() ? &list.GetStruct(index) : nullptr, true};
      }
    }
    return {FUnaltered.GetFieldByPath(path), false};
  }

  void CompareGffField(const TGFFField& field, const TGFFField& parent,
                       const std::string& parentPath, int32_t index, bool belowNew,
                       TGffTargetSection& target, const TUnalteredPlace& parentPlace) {
    const std::string label = field.GetLabel();
    const std::string path = FieldPath(parentPath, label, index);
    const TUnalteredPlace here = Counterpart(label, index, path, parentPlace);
    const TGFFField* counterpart = here.field;
    const TFieldPlace place{target, parentPath, label, belowNew, path};
    switch (field.FieldType()) {
      case kGffStruct:
        CompareStruct(static_cast<const TGFFStruct&>(field), parent, index, path, here, place);
        break;
      case kGffList:
        CompareList(static_cast<const TGFFList&>(field), path, here, place);
        break;
      case kGffExoLocString:
        CompareLocString(static_cast<const TGFF_CExoLocString&>(field), path, counterpart, place);
        break;
      default:
        CompareValue(field, path, counterpart, place);
        break;
    }
  }

  void CompareStruct(const TGFFStruct& gffStruct, const TGFFField& parent, int32_t index,
                     const std::string& path, const TUnalteredPlace& here,
                     const TFieldPlace& place) {
    if (FProcessPendingMessages) FProcessPendingMessages();
    std::optional<TGffTargetSection> section;
    if (!here.field) {
      const auto* list = FieldAs<TGFFList>(&parent);
      // An element of a List is named by the List's label and its index.
      const std::string name = list ? list->GetLabel() + "_" + std::to_string(index) : place.label;
      section.emplace(StartNewField(place, name, "Struct"));
      WriteNew(*section, place, "TypeId", std::to_string(gffStruct.StructId()));
    }
    TGffTargetSection& childTarget = section ? *section : place.target;
    for (const auto& child : gffStruct.Fields()) {
      CompareGffField(*child, gffStruct, path, -1, section || place.belowNew, childTarget, here);
    }
  }

  void CompareList(const TGFFList& list, const std::string& path, const TUnalteredPlace& here,
                   const TFieldPlace& place) {
    if (FProcessPendingMessages) FProcessPendingMessages();
    std::optional<TGffTargetSection> section;
    if (!here.field) section.emplace(StartNewField(place, place.label, "List"));
    TGffTargetSection& childTarget = section ? *section : place.target;
    for (int32_t i = 0; i < list.Count(); ++i) {
      CompareGffField(list.GetStruct(i), list, path, i, section || place.belowNew, childTarget,
                      here);
    }
  }

  void CompareLocString(const TGFF_CExoLocString& locString, const std::string& path,
                        const TGFFField* counterpart, const TFieldPlace& place) {
    if (const auto* original = FieldAs<TGFF_CExoLocString>(counterpart)) {
      bool changed = false;
      if (locString.StrRef() != original->StrRef())
        changed |= WriteChange(path + "(strref)", StrRefText(locString.StrRef()));
      // Substrings that only the unaltered copy has are not looked at.
      for (const auto& subString : locString.SubStrings()) {
        if (subString->GetText() == original->GetTextForId(subString->StringId())) continue;
        changed |= WriteChange(path + "(lang" + std::to_string(subString->StringId()) + ")",
                               subString->GetText());
      }
      if (changed) ++FResult.counts.modified;
      return;
    }
    std::vector<std::pair<std::string, std::string>> values = {
        {"StrRef", StrRefText(locString.StrRef())}};
    for (const auto& subString : locString.SubStrings()) {
      if (!subString->GetText().empty())
        values.emplace_back("lang" + std::to_string(subString->StringId()), subString->GetText());
    }
    if (!CanHoldNewField(place, values)) return;
    TGffTargetSection section = StartNewField(place, place.label, "ExoLocString");
    for (const auto& [key, value] : values) WriteNew(section, place, key, value);
  }

  void CompareValue(const TGFFField& field, const std::string& path, const TGFFField* counterpart,
                    const TFieldPlace& place) {
    if (counterpart) {
      // A Void's value text holds no value the installer could set.
      if (field.FieldType() == kGffVoid || SameStoredValue(field, *counterpart)) return;
      const std::string text = ComparedText(field);
      if (text != ComparedText(*counterpart) && WriteChange(path, text)) ++FResult.counts.modified;
      return;
    }
    const std::string type = GffTypeName(field.FieldType());
    if (type == kUnknownType) return;
    const std::string value = FieldValueAsText(field);
    if (!CanHoldNewField(place, {{"Value", value}})) return;
    TGffTargetSection section = StartNewField(place, place.label, type);
    WriteNew(section, place, "Value", value);
  }

  // False when changes.ini cannot hold one of a new field's values at all, naming each
  // such value: the field is then not written.
  bool CanHoldNewField(const TFieldPlace& place,
                       const std::vector<std::pair<std::string, std::string>>& values) {
    bool holdable = true;
    for (const auto& [key, value] : values) {
      if (TUnheldChanges::CanHold(value)) continue;
      FResult.unheld.Admit(NewFieldKeyPlace(place, key), key, value);
      holdable = false;
    }
    return holdable;
  }

  static std::string NewFieldKeyPlace(const TFieldPlace& place, const std::string& key) {
    return place.path + " (" + key + ")";
  }

  // A key of a new field's section, named in the warning when changes.ini cannot hold it
  // as it stands.
  void WriteNew(TGffTargetSection& section, const TFieldPlace& place, const std::string& key,
                const std::string& value) {
    if (FResult.unheld.Admit(NewFieldKeyPlace(place, key), key, value)) section.Write(key, value);
  }

  // Creates the section of a new field, listed in its target, with its head keys.
  TGffTargetSection StartNewField(const TFieldPlace& place, const std::string& name,
                                  const std::string& type) {
    const std::string section = FSectionNames.Unique(place.target, "gff_" + FStem + "_" + name);
    place.target.List(section);
    TGffTargetSection added(FIni, section);
    added.Write("FieldType", type);
    if (!place.belowNew) WriteNew(added, place, "Path", place.parentPath);
    WriteNew(added, place, "Label", place.label);
    ++FResult.counts.added;
    return added;
  }

  // False when the key is left unwritten (see TGffCompareResult).
  bool WriteChange(const std::string& key, const std::string& value) {
    if (IsGffSettingKey(key) || IsAddFieldKey(key)) {
      FResult.skippedKeys.push_back(key);
      return false;
    }
    if (!FResult.unheld.Admit(key, key, value)) return false;
    FFileSection.Write(key, value);
    return true;
  }

  TCustomIniFile& FIni;
  TGFFFile& FUnaltered;
  TGffTargetSection FFileSection;
  TGffSectionNames FSectionNames;
  const std::string FStem;
  const std::function<void()>& FProcessPendingMessages;
  TGffCompareResult FResult;
};

}  // namespace

std::function<void()> Paced(std::function<void()> call,
                            std::chrono::steady_clock::duration interval) {
  return [call = std::move(call), interval,
          last = std::optional<std::chrono::steady_clock::time_point>()]() mutable {
    const auto now = std::chrono::steady_clock::now();
    if (last && now - *last < interval) return;
    last = now;
    call();
  };
}

std::string GffTypeName(int32_t typeCode) {
  switch (typeCode) {
    case kGffByte:
      return "Byte";
    case kGffChar:
      return "Char";
    case kGffWord:
      return "Word";
    case kGffShort:
      return "Short";
    case kGffDword:
      return "DWORD";
    case kGffInt:
      return "Int";
    case kGffInt64:
      return "Int64";
    case kGffFloat:
      return "Float";
    case kGffDouble:
      return "Double";
    case kGffExoString:
      return "ExoString";
    case kGffResRef:
      return "ResRef";
    case kGffExoLocString:
      return "ExoLocString";
    case kGffStruct:
      return "Struct";
    case kGffList:
      return "List";
    case kGffOrientation:
      return "Orientation";
    case kGffPosition:
      return "Position";
    default:
      return kUnknownType;
  }
}

std::string GffSectionStem(std::string_view fileName) {
  const size_t dot = fileName.find('.');
  if (dot == std::string_view::npos || dot == 0) return "c_";
  return platform::AsciiLowerCase(fileName.substr(0, dot));
}

TGffTargetSection::TGffTargetSection(TCustomIniFile& ini, const std::string& section)
    : TGffTargetSection(ini, section, ini.ReadSection(section)) {}

TGffTargetSection::TGffTargetSection(TCustomIniFile& ini, const std::string& section,
                                     const std::vector<std::string>& keys)
    : FIni(ini), FName(section), FAddFieldKeys(keys, kAddFieldKeyPrefix) {
  for (const std::string& key : keys) Remember(key, ini.ReadString(FName, key, ""));
}

void TGffTargetSection::Remember(const std::string& key, const std::string& value) {
  auto [held, added] = FValueOfKey.try_emplace(platform::AsciiLowerCase(key));
  if (!added) --FKeysWithValue[held->second];
  held->second = platform::AsciiLowerCase(value);
  ++FKeysWithValue[held->second];
}

bool TGffTargetSection::HoldsValue(const std::string& value) const {
  const auto holders = FKeysWithValue.find(platform::AsciiLowerCase(value));
  return holders != FKeysWithValue.end() && holders->second > 0;
}

void TGffTargetSection::List(const std::string& newSection) {
  Write(FAddFieldKeys.Next(), newSection);
}

void TGffTargetSection::Write(const std::string& key, const std::string& value) {
  FIni.WriteString(FName, key, value);
  Remember(key, value);
}

std::string TGffSectionNames::Unique(const TGffTargetSection& target, const std::string& base) {
  // Labels may hold anything a section name cannot.
  const std::string holdable = HoldableSectionName(base);
  int32_t& sectionsBelow = FSectionsBelow[platform::AsciiLowerCase(holdable)];
  for (int32_t number = sectionsBelow;; ++number) {
    std::string name = holdable + "_" + std::to_string(number);
    if (FIni.SectionExists(name)) {
      if (number == sectionsBelow) ++sectionsBelow;
      continue;
    }
    if (!target.HoldsValue(name)) return name;
  }
}

std::string UniqueGffSectionName(TCustomIniFile& ini, const std::string& target,
                                 const std::string& base) {
  TIniReadScope scope(ini);
  return TGffSectionNames(ini).Unique(TGffTargetSection(ini, target), base);
}

TGffCompareResult CompareLoadedGffFiles(TCustomIniFile& ini, const std::string& fileSection,
                                        TGFFFile& unaltered, TGFFFile& modified,
                                        const std::function<void()>& processPendingMessages) {
  return TGffCompare(ini, fileSection, unaltered, processPendingMessages).Run(modified);
}

std::optional<TGffCompareResult> CompareGffFiles(TCustomIniFile& ini,
                                                 const std::string& fileSection,
                                                 const std::string& unalteredPath,
                                                 const std::string& modifiedPath,
                                                 const TGffCompareCalls& calls) {
  for (const std::string* path : {&unalteredPath, &modifiedPath}) {
    if (!platform::FileExists(*path)) {
      calls.warn("Unable to locate the file " + *path + ", cannot continue!");
      return std::nullopt;
    }
  }
  TGFFFile unaltered;
  unaltered.LoadFromFile(unalteredPath);
  TGFFFile modified;
  modified.LoadFromFile(modifiedPath);
  TIniBatch batch(ini);
  TGffCompareResult result =
      CompareLoadedGffFiles(ini, fileSection, unaltered, modified, calls.processPendingMessages);
  batch.UpdateFile();
  return result;
}

std::string GffCompareSummary(const std::string& fileSection, const TGffCompareCounts& counts) {
  return "Compare completed, " + std::to_string(counts.modified) + " fields were modified and " +
         std::to_string(counts.added) + " fields were new in the " + fileSection +
         " file. Building modifiers...";
}

std::string GffCompareWarning(const TGffCompareResult& result) {
  return JoinedParagraphs(
      {result.skippedKeys.empty() ? std::string() : SkippedFieldChangesWarning(result.skippedKeys),
       UnheldChangesWarning(result.unheld)});
}

std::string SkippedFieldChangesWarning(const std::vector<std::string>& skippedKeys) {
  std::string text =
      "These fields differ, but their changes were not written: changes.ini would read their "
      "paths as the file's settings (\"!ReplaceFile\", \"!Destination\") or as new-field keys "
      "(\"AddField\"):";
  for (const std::string& key : skippedKeys) text += "\n" + key;
  return text;
}

}  // namespace quennet
