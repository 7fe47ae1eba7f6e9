// The INI accessor: the only way the programs read and write INI text (changes.ini,
// namespaces.ini). Every read looks at the file as it stands (a parse is kept only while
// the file is unchanged) and every write replaces the file before it returns, except
// inside the two scopes below: a TIniBatch, whose writes reach the file together at its
// commit, and a TIniReadScope, whose reads look at the file once. TKV_Inifile adds one
// thing to the generic class: line breaks inside values are stored as the escapes
// "<#LF#>" and "<#CR#>", so every value stays on one line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {
class EIniFileException;
class PrivateProfile;
}  // namespace platform

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
  // Inside a batch: writes the batch's changes to the file, once (see TIniBatch).
  virtual void UpdateFile() = 0;
  // Puts `keys` (name and value, in this order) at the head of the section, moving every
  // other key line after them as it stands; key lines named by `identifyingNames` or
  // `keys` (without regard to case) are replaced. When the section has no key, or its
  // key names already begin with those of `keys` (exact case), the keys are written in
  // place. One write.
  virtual void PutKeysFirst(const std::string& section,
                            const std::vector<std::string>& identifyingNames,
                            const std::vector<std::pair<std::string, std::string>>& keys) = 0;

  // True when the section holds at least one key.
  bool SectionExists(const std::string& section);

 protected:
  friend class TIniBatch;
  friend class TIniReadScope;
  virtual void BeginBatch() = 0;
  virtual void EndBatch() noexcept = 0;
  virtual void BeginReading() = 0;
  virtual void EndReading() noexcept = 0;

 private:
  std::string FFileName;
};

// Values are read through a buffer of 2048 bytes, as the INI files have always been read:
// a longer stored value comes back cut to this many characters.
inline constexpr size_t kMaxReadValueLength = 2047;

// The generic INI file with the rules of the platform's private-profile functions.
// Values come back cut to their first 2047 characters; values holding CR or LF are
// refused as a failed write, names that cannot be written (RefusedKeyName,
// RefusedSectionName) as a failed write whose message adds the reason.
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
  void PutKeysFirst(const std::string& section, const std::vector<std::string>& identifyingNames,
                    const std::vector<std::pair<std::string, std::string>>& keys) override;

 protected:
  void BeginBatch() override;
  void EndBatch() noexcept override;
  void BeginReading() override;
  void EndReading() noexcept override;

 private:
  void CheckNames(const std::string& section, const std::string* ident) const;
  // "Unable to write to <path>", with the reason when the write would pass the size limit.
  platform::EIniFileException WriteError() const;

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
  // The values encoded as WriteString encodes them.
  void PutKeysFirst(const std::string& section, const std::vector<std::string>& identifyingNames,
                    const std::vector<std::pair<std::string, std::string>>& keys) override;
};

// Many writes of one user action as one write of the file. Inside the scope reads and
// writes work on the parse in memory; UpdateFile writes the file once, atomically, and
// raises "Unable to write to <path>" when that fails (the file then stays as it was and
// the scope's changes are gone). A scope left without a commit, by an exception too,
// still writes what was done, but never throws: when that write fails the file stays as
// it was. A scope opened inside another joins it: only the outermost one writes. The
// bytes after a batch are those that the same calls made one by one would leave.
class TIniBatch {
 public:
  explicit TIniBatch(TCustomIniFile& ini) : FIni(ini) { FIni.BeginBatch(); }
  ~TIniBatch() { FIni.EndBatch(); }
  TIniBatch(const TIniBatch&) = delete;
  TIniBatch& operator=(const TIniBatch&) = delete;

  void UpdateFile() { FIni.UpdateFile(); }

 private:
  TCustomIniFile& FIni;
};

// The reads of one view: the file is looked at once, when the scope begins, and every
// read inside it uses that parse. Writes inside it still reach the file at once.
class TIniReadScope {
 public:
  explicit TIniReadScope(TCustomIniFile& ini) : FIni(ini) { FIni.BeginReading(); }
  ~TIniReadScope() { FIni.EndReading(); }
  TIniReadScope(const TIniReadScope&) = delete;
  TIniReadScope& operator=(const TIniReadScope&) = delete;

 private:
  TCustomIniFile& FIni;
};

// Why a name typed by the user cannot be a key or section name of an INI file, naming
// the name (a sentence for a warning); nothing when it can. The accessor refuses such
// names with its write error and this sentence.
std::optional<std::string> RefusedKeyName(const std::string& name);
std::optional<std::string> RefusedSectionName(const std::string& name);
// `name` made into a section name the file holds as it stands, for names the program
// makes from the content of game files: each character a section name cannot hold as
// "_", the blanks at either end removed (as the file's reader trims them).
std::string HoldableSectionName(const std::string& name);

// Why `value`, written with TKV_Inifile::WriteString, would not read back as written, as a
// phrase for a warning: blanks at either end or enclosing quotes (not read back), more than
// 2,047 stored characters (cut), and a zero byte, where the file cannot hold it at all
// (`lost`: the write keeps what precedes it). Nothing when it reads back as written.
struct TValueReadBack {
  bool lost = false;
  std::string reason;
};
std::optional<TValueReadBack> ValueReadBackProblem(const std::string& value);

// The warning for a file too large to be read as INI text (larger than 256 MiB), naming
// its size: such a file reads as empty and refuses every change. Nothing otherwise.
std::optional<std::string> TooLargeIniFileWarning(const std::string& path);

// Why a write was refused whose result would be larger than an INI file may be to be
// read back (256 MiB).
std::string TooLargeResultSentence();
