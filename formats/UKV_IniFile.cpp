#include "formats/UKV_IniFile.h"

#include <sys/stat.h>

#include <limits>
#include <optional>

#include "formats/UKV_Common.h"
#include "platform/Conversions.h"
#include "platform/Exceptions.h"
#include "platform/PrivateProfile.h"

namespace {

constexpr std::string_view kLineFeedEscape = "<#LF#>";
constexpr std::string_view kCarriageReturnEscape = "<#CR#>";

std::string Encode(std::string_view value) {
  return ReplaceAll(ReplaceAll(value, "\n", kLineFeedEscape), "\r", kCarriageReturnEscape);
}

std::string Decode(std::string_view value) {
  return ReplaceAll(ReplaceAll(value, kLineFeedEscape, "\n"), kCarriageReturnEscape, "\r");
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<int32_t> ParseHexadecimal(std::string_view digits) {
  int64_t value = 0;
  for (char c : digits) {
    int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + digit;
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(value);
}

// "0x" or "0X" and at least one more character: hexadecimal; otherwise decimal.
std::optional<int32_t> ParseIniInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return ParseHexadecimal(text.substr(2));
  return ParseDecimal(text);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TCustomIniFile

int32_t TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                    int32_t defaultValue) {
  return ParseIniInteger(ReadString(section, ident, "")).value_or(defaultValue);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident,
                                  int32_t value) {
  WriteString(section, ident, platform::IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident,
                              bool defaultValue) {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

bool TCustomIniFile::SectionExists(const std::string& section) {
  return !ReadSection(section).empty();
}

// ---------------------------------------------------------------------------------------
// TIniFile

TIniFile::TIniFile(std::string fileName)
    : TCustomIniFile(std::move(fileName)),
      FProfile(std::make_unique<platform::PrivateProfile>(FileName())) {}

TIniFile::~TIniFile() = default;

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) {
  std::optional<std::string> value = FProfile->ReadValue(section, ident);
  if (!value) return defaultValue;
  if (value->size() > kMaxReadValueLength) value->resize(kMaxReadValueLength);
  return *value;
}

// Refuses, before anything is written, a name that the file would read back as
// something else.
void TIniFile::CheckNames(const std::string& section, const std::string* ident) const {
  std::optional<std::string> refusal = RefusedSectionName(section);
  if (!refusal && ident != nullptr) refusal = RefusedKeyName(*ident);
  if (refusal) {
    throw platform::EIniFileException(
        platform::EIniFileException::UnableToWrite(FileName()).Message() + "\n" + *refusal);
  }
}

platform::EIniFileException TIniFile::WriteError() const {
  platform::EIniFileException error = platform::EIniFileException::UnableToWrite(FileName());
  if (!FProfile->RefusedForSize()) return error;
  return platform::EIniFileException(error.Text() + "\n" + TooLargeResultSentence());
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
  CheckNames(section, &ident);
  if (!FProfile->WriteValue(section, ident, value)) throw WriteError();
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) {
  return FProfile->ReadKeyNames(section);
}

std::vector<std::string> TIniFile::ReadSectionValues(const std::string& section) {
  TIniReadScope scope(*this);
  std::vector<std::string> lines;
  for (const std::string& key : ReadSection(section))
    lines.push_back(key + "=" + ReadString(section, key, ""));
  return lines;
}

void TIniFile::EraseSection(const std::string& section) {
  if (!FProfile->EraseSection(section)) throw WriteError();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  if (!FProfile->DeleteKey(section, ident)) throw WriteError();
}

// Outside a batch every write has reached the file when it returns: nothing is left.
void TIniFile::UpdateFile() {
  if (!FProfile->CommitBatch()) throw WriteError();
}

void TIniFile::PutKeysFirst(const std::string& section,
                            const std::vector<std::string>& identifyingNames,
                            const std::vector<std::pair<std::string, std::string>>& keys) {
  CheckNames(section, nullptr);
  for (const auto& key : keys) CheckNames(section, &key.first);
  if (!FProfile->PutKeysFirst(section, identifyingNames, keys)) throw WriteError();
}

void TIniFile::BeginBatch() { FProfile->BeginBatch(); }
void TIniFile::EndBatch() noexcept { FProfile->EndBatch(); }
void TIniFile::BeginReading() { FProfile->BeginReading(); }
void TIniFile::EndReading() noexcept { FProfile->EndReading(); }

// ---------------------------------------------------------------------------------------
// TKV_Inifile

TKV_Inifile::~TKV_Inifile() { UpdateFile(); }

std::string TKV_Inifile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) {
  return Decode(TIniFile::ReadString(section, ident, defaultValue));
}

void TKV_Inifile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
  TIniFile::WriteString(section, ident, Encode(value));
}

std::vector<std::string> TKV_Inifile::ReadSectionValues(const std::string& section) {
  std::vector<std::string> lines = TIniFile::ReadSectionValues(section);
  for (std::string& line : lines) line = Decode(line);
  return lines;
}

void TKV_Inifile::PutKeysFirst(const std::string& section,
                               const std::vector<std::string>& identifyingNames,
                               const std::vector<std::pair<std::string, std::string>>& keys) {
  std::vector<std::pair<std::string, std::string>> encoded;
  encoded.reserve(keys.size());
  for (const auto& [key, value] : keys) encoded.emplace_back(key, Encode(value));
  TIniFile::PutKeysFirst(section, identifyingNames, encoded);
}

// ---------------------------------------------------------------------------------------
// Names

std::optional<std::string> RefusedKeyName(const std::string& name) {
  return platform::UnwritableKeyReason(name);
}

std::optional<std::string> RefusedSectionName(const std::string& name) {
  return platform::UnwritableSectionReason(name);
}

std::string HoldableSectionName(const std::string& name) {
  return platform::HoldableSectionName(name);
}

std::optional<TValueReadBack> ValueReadBackProblem(const std::string& value) {
  if (value.find('\0') != std::string::npos) return TValueReadBack{true, "it holds a zero byte"};
  // Most values hold no line break: they are stored as they are, without a copy.
  const bool escaped = value.find_first_of("\r\n") != std::string::npos;
  const std::string encoded = escaped ? Encode(value) : std::string();
  const std::string_view stored = escaped ? std::string_view(encoded) : std::string_view(value);
  if (std::optional<std::string> problem = platform::StoredValueReadBackProblem(stored))
    return TValueReadBack{false, *problem};
  if (stored.size() > kMaxReadValueLength)
    return TValueReadBack{false, "only its first 2,047 characters are read back"};
  return std::nullopt;
}

std::optional<std::string> TooLargeIniFileWarning(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size <= platform::PrivateProfile::kMaxFileSize)
    return std::nullopt;
  return "The file " + path + " holds " + std::to_string(info.st_size) + " bytes, more than the " +
         std::to_string(platform::PrivateProfile::kMaxFileSize) +
         " bytes (256 MiB) an INI file may have; it cannot be read, and nothing can be written "
         "to it.";
}

std::string TooLargeResultSentence() {
  return "The file would hold more than the " +
         std::to_string(platform::PrivateProfile::kMaxFileSize) +
         " bytes (256 MiB) an INI file may have to be read back; nothing was written.";
}
