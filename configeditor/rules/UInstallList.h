// The install list of changes.ini: "[InstallList]" names the destination folders
// ("install_folder" + n = folder), and each folder's section, named like its key,
// lists the files copied there ("File" + n or "Replace" + n = bare file name).
#pragma once

#include <string>
#include <vector>

#include "formats/UKV_IniFile.h"

namespace quennet {

struct TInstallEntry {
  std::string folder;
  std::string file;
  bool replace = false;

  bool operator==(const TInstallEntry&) const = default;
};

// Every entry in file order; keys with an empty value are left out.
std::vector<TInstallEntry> ReadInstallList(TCustomIniFile& ini);

// The "[InstallList]" key whose value is exactly `folder`; a new "install_folder" key
// is written for it when none is.
std::string FindOrAddInstallFolder(TCustomIniFile& ini, const std::string& folder);

// Lists `file` in the folder section `folderKey` under a new key of its kind, after
// deleting the first key there that names it already (so it moves to the end).
void AddInstallFile(TCustomIniFile& ini, const std::string& folderKey, const std::string& file,
                    bool replace);

// Adds one entry typed by the user; nothing is written when exactly this entry is
// listed. Answers whether it wrote.
bool AddInstallEntry(TCustomIniFile& ini, const TInstallEntry& entry);

// Adds every non-empty file name to `folder` as AddInstallFile does, in order. The
// writes reach the file together.
void AddInstallFiles(TCustomIniFile& ini, const std::string& folder,
                     const std::vector<std::string>& files, bool replace);

// Deletes the entry from the first folder section, among those whose folder equals
// entry.folder without regard to case, that lists entry.file (also without regard to
// case) with the same kind; a section left without keys goes with its folder key.
// Answers whether something was deleted.
bool DeleteInstallEntry(TCustomIniFile& ini, const TInstallEntry& entry);

}  // namespace quennet
