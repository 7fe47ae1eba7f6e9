#include "configeditor/rules/UNewFieldSections.h"

#include <set>

#include "configeditor/rules/UChangesIniNames.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "formats/UKV_Common.h"
#include "formats/UStrTok.h"
#include "platform/Text.h"

namespace quennet {

namespace {

constexpr char kFieldTypeKey[] = "FieldType";
constexpr char kPathKey[] = "Path";
constexpr char kLabelKey[] = "Label";
constexpr char kValueKey[] = "Value";
constexpr char kStrRefKey[] = "StrRef";
constexpr char kTypeIdKey[] = "TypeId";
constexpr char kListIndexMarker[] = "ListIndex";
constexpr char kFieldPathMarker[] = "!FieldPath";
constexpr size_t kMaxLabelLength = 16;

bool IsToken(std::string_view text) {
  return platform::StartsWithAsciiNoCase(text, "2damemory") ||
         platform::StartsWithAsciiNoCase(text, "strref");
}

// Whether a whole number given as text lies in [min, max], however many digits it has.
bool InRange(std::string_view text, int64_t min, int64_t max) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  // Every bound here has at most 10 digits.
  if (text.empty() || text.size() > 12) return false;
  int64_t value = 0;
  for (char digit : text) value = value * 10 + (digit - '0');
  if (negative) value = -value;
  return value >= min && value <= max;
}

// A number of `digitsOnly` form (all digits, else a signed integer text) within range.
std::string CheckNumber(const std::string& text, bool digitsOnly, int64_t min, int64_t max,
                        const std::string& notANumber, const std::string& outOfRange) {
  const bool number = digitsOnly ? IsAllDigits(text) : IsIntegerText(text);
  if (!number) return " " + notANumber;
  if (!InRange(text, min, max)) return " " + outOfRange;
  return "";
}

bool HasDecimalParts(const std::string& text, int32_t parts) {
  TStringTokenizer tokens(text, '|');
  if (tokens.TokenCount() < parts) return false;
  for (int32_t i = 0; i < tokens.TokenCount(); ++i) {
    if (!IsDecimalText(tokens.GetToken(i))) return false;
  }
  return true;
}

std::string NumberRange(int64_t min, const char* max) {
  return "It must be a number between " + std::to_string(min) + " and " + max + "!";
}

// The first key after the section's first one that has the token shape and, in lower
// case, the value `marker`; empty when there is none.
std::string FindTokenKey(TCustomIniFile& ini, const std::string& section, std::string_view marker) {
  const std::vector<std::string> keys = ini.ReadSection(section);
  for (size_t i = 1; i < keys.size(); ++i) {
    if (IsTokenShape(keys[i]) &&
        platform::SameTextAscii(ini.ReadString(section, keys[i], ""), marker))
      return keys[i];
  }
  return "";
}

// Replaces every token key of `section` that marks `marker` by `token` := `marker`.
void WriteToken(TCustomIniFile& ini, const std::string& section, const std::string& token,
                const char* marker) {
  for (const std::string& key : ini.ReadSection(section)) {
    if (IsTokenShape(key) && platform::SameTextAscii(ini.ReadString(section, key, ""), marker))
      ini.DeleteKey(section, key);
  }
  ini.WriteString(section, token, marker);
}

bool IsLangKey(std::string_view key) {
  return platform::StartsWithAsciiNoCase(key, "lang") && key.size() > 4 && key[4] >= '0' &&
         key[4] <= '9';
}

std::optional<TNewFieldProblem> CheckFieldLabel(TCustomIniFile& ini, const TNewFieldPlace& place,
                                                const TNewField& field) {
  auto refusal = [](const char* warning) {
    return TNewFieldProblem{warning, TNewFieldInput::Label};
  };
  if (field.label.size() > kMaxLabelLength)
    return refusal("The field label can be at most 16 characters long!");
  if (field.label.empty()) return refusal("You must specify a field label!");
  for (const std::string& key : ini.ReadSection(place.parentSection)) {
    if (!IsAddFieldKey(key)) continue;
    const std::string sibling = ini.ReadString(place.parentSection, key, "");
    if (sibling == place.modifierSection || !ini.SectionExists(sibling)) continue;
    // Below one new Struct or List every sibling shares the parent field.
    if (ini.ReadString(sibling, kLabelKey, "") == field.label &&
        (place.isSubField || ini.ReadString(sibling, kPathKey, "") == field.path))
      return refusal(
          "Another field at the same tree-level has already been added with this label!");
  }
  return std::nullopt;
}

std::optional<TNewFieldProblem> CheckStruct(const TNewFieldPlace& place, const TNewField& field) {
  const bool listIndex = platform::SameTextAscii(field.typeId, kListIndexMarker);
  if (!listIndex) {
    const std::string reason = CheckValue("Struct", field.typeId);
    if (!reason.empty())
      return TNewFieldProblem{"Invalid Type ID specified!" + reason, TNewFieldInput::TypeId};
  } else if (place.isSubField && !place.parentIsList) {
    return TNewFieldProblem{
        "Invalid Type ID specified! Only STRUCTs added to a LIST have a List Index.",
        TNewFieldInput::TypeId};
  }
  // A Struct's label may be empty and may equal a sibling's.
  if (field.label.size() > kMaxLabelLength)
    return TNewFieldProblem{"The Field Label can be at most 16 characters long!",
                            TNewFieldInput::Label};
  return std::nullopt;
}

void WriteHead(TCustomIniFile& ini, const TNewFieldPlace& place, const TNewField& field) {
  if (!SectionListsValue(ini, place.modifierSection, place.parentSection)) {
    ini.WriteString(place.parentSection, NextAddFieldKey(ini, place.parentSection),
                    place.modifierSection);
  }
  ini.WriteString(place.modifierSection, kFieldTypeKey, field.type);
  if (!place.isSubField) ini.WriteString(place.modifierSection, kPathKey, field.path);
  ini.WriteString(place.modifierSection, kLabelKey, field.label);
}

void WriteLocalized(TCustomIniFile& ini, const std::string& section, const TNewField& field) {
  ini.WriteString(section, kStrRefKey, field.strRef);
  for (const std::string& key : ini.ReadSection(section)) {
    if (IsLangKey(key)) ini.DeleteKey(section, key);
  }
  // Rows without a numeric language id are dropped.
  for (const auto& [id, text] : field.localized) {
    if (IsAllDigits(id)) ini.WriteString(section, "lang" + id, text);
  }
}

}  // namespace

TFieldKind KindOfType(std::string_view type) {
  if (type == "ExoLocString") return TFieldKind::LocString;
  if (type == "Struct") return TFieldKind::Struct;
  if (type == "List") return TFieldKind::List;
  for (const char* word : kFieldTypeWords) {
    if (type == word) return TFieldKind::Value;
  }
  return TFieldKind::None;
}

bool IsTokenShape(std::string_view text) {
  return text.size() >= 10 && Is2daMemoryToken(text) && text[9] >= '0' && text[9] <= '9';
}

std::string CheckValue(std::string_view type, const std::string& text) {
  if (IsToken(text)) return "";
  const std::string notANumber = "It must be a number!";
  if (type == "Byte") return CheckNumber(text, true, 0, 255, notANumber, NumberRange(0, "255"));
  if (type == "Char") return text.size() <= 1 ? "" : " It must be a single character!";
  if (type == "Word") return CheckNumber(text, true, 0, 65535, notANumber, NumberRange(0, "65535"));
  if (type == "Short")
    return CheckNumber(text, false, -32768, 32767, notANumber, NumberRange(-32768, "32767"));
  if (type == "DWORD")
    return CheckNumber(text, true, 0, 4294967295, notANumber, NumberRange(0, "4294967296"));
  if (type == "Int")
    return CheckNumber(text, false, -2147483647, 2147483647, notANumber,
                       NumberRange(-2147483647, "2147483647"));
  if (type == "Int64") return IsIntegerText(text) ? "" : " " + notANumber;
  if (type == "Float" || type == "Double")
    return IsDecimalText(text) ? "" : " It must be a decimal number (\".\" is decimal separator)!";
  if (type == "ResRef")
    return text.size() <= 16 ? "" : " A ResRef can be at most 16 characters long!";
  if (type == "Orientation")
    return HasDecimalParts(text, 4) ? ""
                                    : " An Orientation field must contain four decimal values "
                                      "separated by a \"|\" character!";
  if (type == "Position")
    return HasDecimalParts(text, 3) ? ""
                                    : " A Position field must contain three decimal values "
                                      "separated by a \"|\" character!";
  if (type == "ExoLocString") {
    if (text == "-1") return "";
    return CheckNumber(text, false, 0, 4294967295, "A StrRef must be a number!",
                       "A StrRef must be a number between -1 and 4294967295!");
  }
  if (type == "Struct")
    return CheckNumber(text, true, 0, 4294967295, "The Type ID must be a number!",
                       "The Type ID must be a number between 0 and 4294967296!");
  return "";
}

bool SectionListsValue(TCustomIniFile& ini, const std::string& value, const std::string& section) {
  TIniReadScope scope(ini);
  for (const std::string& key : ini.ReadSection(section)) {
    if (ini.ReadString(section, key, "") == value) return true;
  }
  return false;
}

std::string NextAddFieldKey(TCustomIniFile& ini, const std::string& section) {
  return NextFreeKey(ini, section, kAddFieldKeyPrefix);
}

namespace {

void DeleteTree(TCustomIniFile& ini, const std::string& section,
                std::set<std::string, platform::AsciiNoCaseLess>& met,
                std::vector<std::string>& deleted) {
  if (section.empty() || !met.insert(section).second) return;
  deleted.push_back(section);
  if (!ini.SectionExists(section)) return;
  for (const std::string& key : ini.ReadSection(section)) {
    // Exactly "AddField" here, with case, as the installer's own delete does.
    if (key.compare(0, 8, kAddFieldKeyPrefix) != 0) continue;
    DeleteTree(ini, ini.ReadString(section, key, ""), met, deleted);
    ini.DeleteKey(section, key);
  }
  ini.EraseSection(section);
}

}  // namespace

std::vector<std::string> DeleteModifierTree(TCustomIniFile& ini, const std::string& section) {
  std::set<std::string, platform::AsciiNoCaseLess> met;
  std::vector<std::string> deleted;
  DeleteTree(ini, section, met, deleted);
  return deleted;
}

bool HasIndexToken(const TNewFieldPlace& place) { return !place.isSubField || place.parentIsList; }

std::optional<TNewFieldProblem> CheckNewField(TCustomIniFile& ini, const TNewFieldPlace& place,
                                              const TNewField& field) {
  if (place.modifierSection.empty())
    return TNewFieldProblem{
        "Error! I seem to have lost track of which section is being edited! "
        "Oh oh..",
        TNewFieldInput::None};
  TIniReadScope scope(ini);
  switch (KindOfType(field.type)) {
    case TFieldKind::Value: {
      const std::string reason = CheckValue(field.type, field.value);
      if (!reason.empty())
        return TNewFieldProblem{"Invalid value specified!" + reason, TNewFieldInput::Value};
      return CheckFieldLabel(ini, place, field);
    }
    case TFieldKind::LocString: {
      const std::string reason = CheckValue("ExoLocString", field.strRef);
      if (!reason.empty())
        return TNewFieldProblem{"Invalid StrRef specified!" + reason, TNewFieldInput::StrRef};
      return CheckFieldLabel(ini, place, field);
    }
    case TFieldKind::List:
      return CheckFieldLabel(ini, place, field);
    case TFieldKind::Struct:
      return CheckStruct(place, field);
    case TFieldKind::None:
      break;
  }
  return TNewFieldProblem{"No valid Field Type has been set!", TNewFieldInput::Type};
}

std::vector<TNewFieldProblem> WriteNewField(TCustomIniFile& ini, const TNewFieldPlace& place,
                                            const TNewField& field) {
  std::vector<TNewFieldProblem> problems;
  const std::string& section = place.modifierSection;
  TIniBatch batch(ini);
  WriteHead(ini, place, field);
  switch (KindOfType(field.type)) {
    case TFieldKind::Value:
      ini.WriteString(section, kValueKey, field.value);
      break;
    case TFieldKind::LocString:
      WriteLocalized(ini, section, field);
      break;
    case TFieldKind::Struct:
      ini.WriteString(section, kTypeIdKey, field.typeId);
      if (field.indexToken.empty()) break;
      if (IsTokenShape(field.indexToken)) {
        WriteToken(ini, section, field.indexToken, kListIndexMarker);
      } else {
        problems.push_back(
            {"Index Token field must either be blank or contain a 2DAMEMORY# "
             "token! ListIndex token not saved!",
             TNewFieldInput::IndexToken});
      }
      break;
    case TFieldKind::List:
    case TFieldKind::None:
      break;
  }
  if (!field.pathToken.empty()) {
    if (IsTokenShape(field.pathToken)) {
      WriteToken(ini, section, field.pathToken, kFieldPathMarker);
    } else {
      problems.push_back(
          {"Path Token field must either be blank or contain a 2DAMEMORY# token! "
           "FieldPath token not saved!",
           TNewFieldInput::PathToken});
    }
  }
  batch.UpdateFile();
  return problems;
}

TNewField ReadNewField(TCustomIniFile& ini, const TNewFieldPlace& place) {
  TIniReadScope scope(ini);
  const std::string& section = place.modifierSection;
  TNewField field;
  field.type = ini.ReadString(section, kFieldTypeKey, "");
  const TFieldKind kind = KindOfType(field.type);
  if (kind == TFieldKind::None) return field;
  field.pathToken = FindTokenKey(ini, section, kFieldPathMarker);
  field.label = ini.ReadString(section, kLabelKey, "");
  if (!place.isSubField) field.path = ini.ReadString(section, kPathKey, "");
  if (kind == TFieldKind::Value) field.value = ini.ReadString(section, kValueKey, "");
  if (kind == TFieldKind::LocString) {
    field.strRef = ini.ReadString(section, kStrRefKey, "-1");
    const std::vector<std::string> keys = ini.ReadSection(section);
    for (size_t i = 1; i < keys.size(); ++i) {
      const std::string& key = keys[i];
      if (platform::StartsWithAsciiNoCase(key, "lang") && IsAllDigits(key.substr(4)))
        field.localized.emplace_back(key.substr(4), ini.ReadString(section, key, ""));
    }
  }
  if (kind == TFieldKind::Struct) {
    field.typeId = ini.ReadString(section, kTypeIdKey, "");
    if (HasIndexToken(place)) field.indexToken = FindTokenKey(ini, section, kListIndexMarker);
  }
  return field;
}

std::vector<std::string> DeleteNewFieldModifier(TCustomIniFile& ini,
                                                const std::string& parentSection,
                                                const std::string& key,
                                                const std::string& section) {
  TIniBatch batch(ini);
  std::vector<std::string> deleted = DeleteModifierTree(ini, section);
  ini.DeleteKey(parentSection, key);
  batch.UpdateFile();
  return deleted;
}

}  // namespace quennet
