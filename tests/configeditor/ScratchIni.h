// A changes.ini in a scratch folder of its own for the Qt-free rules tests; the folder
// is removed when the test ends, also after a failed assertion.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "formats/UKV_IniFile.h"
#include "platform/Files.h"

namespace modifier_testing {

class ScratchIni {
 public:
  ScratchIni() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rules-XXXXXX").string();
    FFolder = mkdtemp(pattern.data());
  }
  ~ScratchIni() { std::filesystem::remove_all(FFolder); }
  ScratchIni(const ScratchIni&) = delete;
  ScratchIni& operator=(const ScratchIni&) = delete;

  // changes.ini holding `text`, opened afresh.
  TKV_Inifile& Ini(const std::string& text) {
    platform::ReplaceFile(Path(), text);
    FIni = std::make_unique<TKV_Inifile>(Path());
    return *FIni;
  }
  TKV_Inifile& Ini() { return *FIni; }
  std::string Path() const { return FFolder + "/changes.ini"; }
  std::string Text() const { return platform::ReadWholeFile(Path()); }

 private:
  std::string FFolder;
  std::unique_ptr<TKV_Inifile> FIni;
};

}  // namespace modifier_testing
