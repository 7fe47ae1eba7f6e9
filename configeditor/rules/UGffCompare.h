// The GFF compare: an unaltered and a modified copy of one GFF file, written as
// modifiers of that file's section in changes.ini. The walk follows the modified copy
// and finds each field's counterpart in the unaltered copy by its field path: a value
// that differs becomes a field change of the file's section, a field the unaltered copy
// lacks a new-field modifier (the new-field editor's format), with the fields below it
// listed in its own section. Fields only the unaltered copy has are ignored.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "configeditor/rules/UKeyNumbering.h"
#include "configeditor/rules/UUnheldChanges.h"
#include "formats/UGFFFile.h"
#include "formats/UKV_IniFile.h"

namespace quennet {

struct TGffCompareCounts {
  int32_t modified = 0;
  int32_t added = 0;
};

struct TGffCompareResult {
  TGffCompareCounts counts;
  // Field changes left unwritten because the GFF pane would read their keys as the
  // file's settings or as new-field keys ("!ReplaceFile...", "!Destination...",
  // "AddField..."): written, such a key would be taken for a setting or replace the
  // file's own listing of new fields.
  std::vector<std::string> skippedKeys;
  // Values changes.ini cannot hold as they stand, by field path (a new field's by its
  // path and key): a change or new field holding one it cannot hold at all is neither
  // written nor counted.
  TUnheldChanges unheld;
};

// What the compare asks of its caller: the warning about a missing file, and a moment
// at each Struct and List in which pending window messages may run (may be empty).
struct TGffCompareCalls {
  std::function<void(const std::string&)> warn;
  std::function<void()> processPendingMessages;
};

// `call` at most once in `interval`, the first time at once: a compare meets some
// 100,000 Structs and Lists in a large file, and one pump of the window's pending
// messages costs several microseconds.
std::function<void()> Paced(std::function<void()> call,
                            std::chrono::steady_clock::duration interval);

// The changes.ini type word of a GFF type code; "UNKNOWN" for DWORD64, Void and any
// code without a word.
std::string GffTypeName(int32_t typeCode);

// The shown file's name in lower case up to its first "."; "c_" when that leaves nothing
// (a name without "." or beginning with one).
std::string GffSectionStem(std::string_view fileName);

// A section that new-field sections are listed in (a GFF file's section or a new
// Struct's or List's), read once: its values and its "AddField" numbering. Every write to
// it during a compare goes through here, so that both stay as the file holds them.
class TGffTargetSection {
 public:
  TGffTargetSection(TCustomIniFile& ini, const std::string& section);

  const std::string& Name() const { return FName; }
  // True when a key of the section holds `value`, compared without regard to case.
  bool HoldsValue(const std::string& value) const;
  // Lists `newSection` under the next free "AddField" key. (A name from
  // TGffSectionNames is never listed yet: no value of this section equals it.)
  void List(const std::string& newSection);
  void Write(const std::string& key, const std::string& value);

 private:
  TGffTargetSection(TCustomIniFile& ini, const std::string& section,
                    const std::vector<std::string>& keys);
  void Remember(const std::string& key, const std::string& value);

  TCustomIniFile& FIni;
  std::string FName;
  // Folded key name to folded value, and how many keys hold each folded value.
  std::unordered_map<std::string, std::string> FValueOfKey;
  std::unordered_map<std::string, int32_t> FKeysWithValue;
  TKeyNumbering FAddFieldKeys;
};

// The names of the new sections of one compare: `base`, made a name changes.ini can hold
// (HoldableSectionName), + "_" + the least number from 0 that names no existing section of
// changes.ini and no value of the target section (both without regard to case). Sections are only
// added while a compare runs, so the numbers of a base found taken by sections are not tried again.
class TGffSectionNames {
 public:
  explicit TGffSectionNames(TCustomIniFile& ini) : FIni(ini) {}
  std::string Unique(const TGffTargetSection& target, const std::string& base);

 private:
  TCustomIniFile& FIni;
  // Folded base to the least number whose name is not known to be a section.
  std::unordered_map<std::string, int32_t> FSectionsBelow;
};

// The name of a new section listed in `target` (see TGffSectionNames).
std::string UniqueGffSectionName(TCustomIniFile& ini, const std::string& target,
                                 const std::string& base);

// Compares two loaded files and writes the result into `fileSection`; the caller
// decides the batch. May raise: a field path the unaltered copy cannot follow
// (EGFFError), a write the accessor refuses.
TGffCompareResult CompareLoadedGffFiles(TCustomIniFile& ini, const std::string& fileSection,
                                        TGFFFile& unaltered, TGFFFile& modified,
                                        const std::function<void()>& processPendingMessages);

// The whole compare on two files: a missing file is warned about and nothing is read or
// written (no result). Otherwise the unaltered file is loaded, then the modified one,
// and the compare runs in one batch of the accessor, written before this returns: a
// failed write raises "Unable to write to ..." and leaves changes.ini as it was; a
// failure during the walk raises after what was written before it reached the file.
std::optional<TGffCompareResult> CompareGffFiles(TCustomIniFile& ini,
                                                 const std::string& fileSection,
                                                 const std::string& unalteredPath,
                                                 const std::string& modifiedPath,
                                                 const TGffCompareCalls& calls);

// The summary box's text.
std::string GffCompareSummary(const std::string& fileSection, const TGffCompareCounts& counts);
// The warning that names the field changes left unwritten.
std::string SkippedFieldChangesWarning(const std::vector<std::string>& skippedKeys);
// The one warning after the summary: the skipped keys, then the values changes.ini cannot
// hold as they stand; empty when there is nothing to name.
std::string GffCompareWarning(const TGffCompareResult& result);

}  // namespace quennet
