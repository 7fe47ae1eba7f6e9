#include "configeditor/rules/UUnheldChanges.h"

#include <optional>

#include "configeditor/rules/UFileKinds.h"
#include "formats/UKV_IniFile.h"

namespace quennet {

namespace {

std::string Named(const std::string& where, const std::string& reason) {
  return where + ": " + reason;
}

std::string Listed(const char* head, const std::vector<std::string>& lines) {
  if (lines.empty()) return {};
  std::string text = head;
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

}  // namespace

bool TUnheldChanges::Admit(const std::string& where, const std::string& key,
                           const std::string& value) {
  if (std::optional<std::string> refusal = RefusedKeyName(key)) {
    FUnwritten.push_back(Named(where, *refusal));
    return false;
  }
  const std::optional<TValueReadBack> problem = ValueReadBackProblem(value);
  if (problem && problem->lost) {
    FUnwritten.push_back(Named(where, problem->reason));
    return false;
  }
  // The accessor writes a new key's name without the blanks around it.
  if (TrimmedName(key) != key) {
    FReadBackOtherwise.push_back(
        Named(where, "blanks at either end of its key name \"" + key + "\" are not written"));
  }
  if (problem) FReadBackOtherwise.push_back(Named(where, problem->reason));
  return true;
}

bool TUnheldChanges::CanHold(const std::string& value) {
  const std::optional<TValueReadBack> problem = ValueReadBackProblem(value);
  return !problem || !problem->lost;
}

std::string UnheldChangesWarning(const TUnheldChanges& changes) {
  return JoinedParagraphs(
      {Listed("These changes were not written, as changes.ini cannot hold them:",
              changes.Unwritten()),
       Listed("These changes were written, but changes.ini reads them back otherwise:",
              changes.ReadBackOtherwise())});
}

std::string JoinedParagraphs(const std::vector<std::string>& paragraphs) {
  std::string text;
  for (const std::string& paragraph : paragraphs) {
    if (paragraph.empty()) continue;
    if (!text.empty()) text += "\n\n";
    text += paragraph;
  }
  return text;
}

}  // namespace quennet
