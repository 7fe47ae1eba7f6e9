// The setup list namespaces.ini: "[Namespaces]" names the setups of a mod
// ("Namespace" + n = label, counted from 1), and each setup's section, named by its
// label, holds its configuration file, information file, data folder, name and
// description.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/UKV_IniFile.h"

namespace quennet {

inline constexpr char kNamespaces[] = "Namespaces";

// The text of a new setup list, 13 lines each ended by CR LF.
std::string NewSetupListText(const std::string& date);
// True when the file's name without folder is "namespaces.ini" in any case.
bool IsSetupListFileName(std::string_view path);

// The non-empty labels of "[Namespaces]" in file order.
std::vector<std::string> ReadSetupLabels(TCustomIniFile& ini);
// True when a section of that name (in any case) holds a key, or the label names the
// list's own section, whose keys would show up as setups.
bool IsSetupLabelTaken(TCustomIniFile& ini, const std::string& label);
inline constexpr char kSetupLabelTakenWarning[] =
    "This label is already used by another Setup! Please pick another.";
// Why the label cannot name a new setup, checked before anything is written: the
// accessor's sentence for a section name the file cannot hold, or the warning for a
// taken label; nothing when it can.
std::optional<std::string> SetupLabelProblem(TCustomIniFile& ini, const std::string& label);
// Lists the label under the least free "Namespace" number and gives its section the
// five keys, empty, in one batch. False, writing nothing, when the label is taken as
// the batch reads the file.
bool AddSetup(TCustomIniFile& ini, const std::string& label);
// Erases the setup's section and the first key that lists exactly this label.
void DeleteSetup(TCustomIniFile& ini, const std::string& label);

struct TSetupFields {
  std::string iniName;
  std::string infoName;
  std::string dataPath;
  std::string name;
  // Line breaks as CR LF, as the installer shows them.
  std::string description;
};

TSetupFields ReadSetup(TCustomIniFile& ini, const std::string& label);
// The warning for the first field that cannot be saved; none when all can.
std::optional<std::string> SetupFieldsProblem(const TSetupFields& fields);
// Writes the five keys in their order, as they stand.
void SaveSetup(TCustomIniFile& ini, const std::string& label, const TSetupFields& fields);

}  // namespace quennet
