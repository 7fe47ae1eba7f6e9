// The INI accessor: the only way the programs read and write INI text (changes.ini,
// namespaces.ini). Every read looks at the file as it stands (a parse is kept only while
// the file is unchanged) and every write replaces the file before it returns. TKV_Inifile
// adds one thing to the generic class: line breaks inside values are stored as the
// escapes "<#LF#>" and "<#CR#>", so every value stays on one line.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class PrivateProfile;
}

class TCustomIniFile {
 public:
  explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
  virtual ~TCustomIniFile() = default;
  TCustomIniFile(const TCustomIniFile&) = delete;
  TCustomIniFile& operator=(const TCustomIniFile&) = delete;

  // The path exactly as the constructor received it.
  const std::string& FileName() const { return FFileName; }

  virtual std::string ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) = 0;
  // Raises EIniFileException "Unable to write to <path>" when the file cannot be written.
  virtual void WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) = 0;
  virtual int32_t ReadInteger(const std::string& section, const std::string& ident,
                              int32_t defaultValue);
  virtual void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  virtual bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue);
  virtual void WriteBool(const std::string& section, const std::string& ident, bool value);
  // The key names of the section, in file order.
  virtual std::vector<std::string> ReadSection(const std::string& section) = 0;
  // One "key=value" line per key of the section, in file order.
  virtual std::vector<std::string> ReadSectionValues(const std::string& section) = 0;
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
  virtual void UpdateFile() = 0;

  // True when the section holds at least one key.
  bool SectionExists(const std::string& section);

 private:
  std::string FFileName;
};

// The generic INI file with the rules of the platform's private-profile functions.
// Values come back cut to their first 2047 characters; names holding CR, LF or NUL,
// and values holding CR or LF, are refused as a failed write.
class TIniFile : public TCustomIniFile {
 public:
  explicit TIniFile(std::string fileName);
  ~TIniFile() override;

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) override;
  void WriteString(const std::string& section, const std::string& ident,
                   const std::string& value) override;
  std::vector<std::string> ReadSection(const std::string& section) override;
  std::vector<std::string> ReadSectionValues(const std::string& section) override;
  void EraseSection(const std::string& section) override;
  // Deleting a key that is not there does nothing; raises like WriteString otherwise.
  void DeleteKey(const std::string& section, const std::string& ident) override;
  void UpdateFile() override;

 private:
  std::unique_ptr<platform::PrivateProfile> FProfile;
};

class TKV_Inifile : public TIniFile {
 public:
  using TIniFile::TIniFile;
  // Calls UpdateFile.
  ~TKV_Inifile() override;

  // The stored value with "<#LF#>" and "<#CR#>" decoded (the default decoded too).
  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) override;
  // Encodes line feeds, then carriage returns, and writes key=value.
  void WriteString(const std::string& section, const std::string& ident,
                   const std::string& value) override;
  // The lines key=value, each value decoded, then every whole line decoded once more.
  std::vector<std::string> ReadSectionValues(const std::string& section) override;
};
