// An INI file (changes.ini unless named otherwise) in a scratch folder of its own for
// the Qt-free rules tests; the folder is removed when the test ends, also after a
// failed assertion.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "formats/UKV_IniFile.h"
#include "platform/Files.h"
#include "platform/PrivateProfile.h"
#include "tests/support/ScratchFolder.h"

namespace modifier_testing {

class ScratchIni {
 public:
  explicit ScratchIni(std::string fileName = "changes.ini") : FFileName(std::move(fileName)) {}

  // changes.ini holding `text`, opened afresh.
  TKV_Inifile& Ini(const std::string& text) {
    platform::ReplaceFile(Path(), text);
    FIni = std::make_unique<TKV_Inifile>(Path());
    return *FIni;
  }
  // changes.ini holding `text` and then zero bytes (one line that means nothing) up to
  // `room` bytes under the size limit of what the accessor reads back, opened afresh.
  TKV_Inifile& IniNearTheReadLimit(const std::string& text, std::uintmax_t room) {
    platform::ReplaceFile(Path(), text);
    std::filesystem::resize_file(Path(), platform::PrivateProfile::kMaxFileSize - room);
    FIni = std::make_unique<TKV_Inifile>(Path());
    return *FIni;
  }
  TKV_Inifile& Ini() { return *FIni; }
  std::string Path() const { return FFolder.PathOf(FFileName); }
  // Another file in the same folder.
  std::string PathOf(const std::string& name) const { return FFolder.PathOf(name); }
  std::string Text() const { return platform::ReadWholeFile(Path()); }

 private:
  testing_support::ScratchFolder FFolder;
  std::string FFileName;
  std::unique_ptr<TKV_Inifile> FIni;
};

}  // namespace modifier_testing
