#include "platform/PrivateProfile.h"

#include <sys/stat.h>

#include <algorithm>
#include <unordered_set>

#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace platform {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kNewLine = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

bool HoldsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

bool IsWritableProfileName(std::string_view name) {
  return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// ---------------------------------------------------------------------------------------
// ProfileText

ProfileText::ProfileText(std::string_view content) {
  // A UTF-8 byte-order mark that an editor put in front is kept, but is no part of the
  // first line: "[Settings]" behind it is still a section line.
  if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    FByteOrderMark = kByteOrderMark;
    content.remove_prefix(kByteOrderMark.size());
  }
  while (!content.empty()) {
    size_t end = content.find('\n');
    std::string_view piece = content.substr(0, end);
    std::string_view ending;
    if (end == std::string_view::npos) {
      content = {};
    } else {
      bool crlf = !piece.empty() && piece.back() == '\r';
      ending = content.substr(end - (crlf ? 1 : 0), crlf ? 2 : 1);
      piece.remove_suffix(crlf ? 1 : 0);
      content.remove_prefix(end + 1);
    }
    FLines.push_back(ParseLine(std::string(piece), std::string(ending)));
  }
}

ProfileText::Line ProfileText::ParseLine(std::string text, std::string ending) {
  Line line;
  std::string_view rest = Trim(text);
  size_t close = rest.rfind(']');
  size_t equals = rest.find('=');
  if (!rest.empty() && rest.front() == '[' && close != std::string_view::npos) {
    line.kind = Kind::Section;
    line.foldedName = AsciiLowerCase(Trim(rest.substr(1, close - 1)));
  } else if (!rest.empty() && rest.front() != ';' && equals != std::string_view::npos) {
    line.kind = Kind::Key;
    line.name = std::string(Trim(rest.substr(0, equals)));
    line.foldedName = AsciiLowerCase(line.name);
    line.value = std::string(Unquote(Trim(rest.substr(equals + 1))));
  }
  line.text = std::move(text);
  line.ending = std::move(ending);
  return line;
}

ProfileText::Line ProfileText::KeyLine(std::string_view key, std::string_view value,
                                       std::string ending) {
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key).append("=").append(value);
  return ParseLine(std::move(text), std::move(ending));
}

template <typename Visit>
void ProfileText::ForEachLineOf(std::string_view foldedSection, Visit visit) const {
  bool inSection = false;
  for (size_t i = 0; i < FLines.size(); ++i) {
    if (FLines[i].kind == Kind::Section) inSection = FLines[i].foldedName == foldedSection;
    if (inSection && visit(i)) return;
  }
}

std::optional<size_t> ProfileText::FindKeyLine(std::string_view section,
                                               std::string_view key) const {
  const std::string foldedKey = AsciiLowerCase(key);
  std::optional<size_t> found;
  ForEachLineOf(AsciiLowerCase(Trim(section)), [&](size_t i) {
    if (FLines[i].kind == Kind::Key && FLines[i].foldedName == foldedKey) found = i;
    return found.has_value();
  });
  return found;
}

std::optional<std::string> ProfileText::Value(std::string_view section,
                                              std::string_view key) const {
  std::optional<size_t> line = FindKeyLine(section, Trim(key));
  if (!line) return std::nullopt;
  return FLines[*line].value;
}

std::vector<std::string> ProfileText::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  ForEachLineOf(AsciiLowerCase(Trim(section)), [&](size_t i) {
    const Line& line = FLines[i];
    if (line.kind == Kind::Key && seen.insert(line.foldedName).second) names.push_back(line.name);
    return false;
  });
  return names;
}

void ProfileText::InsertLine(size_t index, Line line) {
  // The line before a new one may have been the file's last line, without an ending.
  if (index > 0 && FLines[index - 1].ending.empty()) FLines[index - 1].ending = kNewLine;
  FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

void ProfileText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  if (std::optional<size_t> existing = FindKeyLine(section, Trim(key))) {
    Line& line = FLines[*existing];
    // The key keeps its place and its name as it stands in the file.
    line = KeyLine(line.name, value, line.ending);
    return;
  }
  std::optional<size_t> after;
  ForEachLineOf(AsciiLowerCase(Trim(section)), [&](size_t i) {
    if (FLines[i].kind == Kind::Key || !after) after = i;
    return false;
  });
  if (after) {
    InsertLine(*after + 1, KeyLine(key, value, std::string(kNewLine)));
    return;
  }
  std::string sectionLine;
  sectionLine.reserve(section.size() + 2);
  sectionLine.append("[").append(section).append("]");
  InsertLine(FLines.size(), ParseLine(std::move(sectionLine), std::string(kNewLine)));
  InsertLine(FLines.size(), KeyLine(key, value, std::string(kNewLine)));
}

bool ProfileText::RemoveKey(std::string_view section, std::string_view key) {
  const std::string foldedKey = AsciiLowerCase(Trim(key));
  std::vector<bool> doomed(FLines.size(), false);
  bool any = false;
  ForEachLineOf(AsciiLowerCase(Trim(section)), [&](size_t i) {
    if (FLines[i].kind == Kind::Key && FLines[i].foldedName == foldedKey) doomed[i] = any = true;
    return false;
  });
  if (!any) return false;
  size_t index = 0;
  std::erase_if(FLines, [&](const Line&) { return doomed[index++]; });
  return true;
}

bool ProfileText::RemoveSection(std::string_view section) {
  std::vector<bool> doomed(FLines.size(), false);
  bool any = false;
  ForEachLineOf(AsciiLowerCase(Trim(section)), [&](size_t i) {
    doomed[i] = any = true;
    return false;
  });
  if (!any) return false;
  size_t index = 0;
  std::erase_if(FLines, [&](const Line&) { return doomed[index++]; });
  return true;
}

std::string ProfileText::Content() const {
  size_t size = FByteOrderMark.size();
  for (const Line& line : FLines) size += line.text.size() + line.ending.size();
  std::string content;
  content.reserve(size);
  content.append(FByteOrderMark);
  for (const Line& line : FLines) content.append(line.text).append(line.ending);
  return content;
}

// ---------------------------------------------------------------------------------------
// PrivateProfile

namespace {

// A file whose time stamps lie within this distance of the moment its content was read
// may change again without any visible change of size and time stamps (file-system
// clocks tick coarsely, down to two seconds), so its cache is checked against the bytes.
constexpr time_t kTimeStampSlackSeconds = 2;

timespec Now() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return now;
}

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

bool PrivateProfile::Identity::operator==(const Identity& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         SameTime(modified, other.modified) && SameTime(changed, other.changed);
}

PrivateProfile::PrivateProfile(std::string path) : FPath(std::move(path)) {}

// The identity of a regular file at `path`; nothing when there is none.
std::optional<PrivateProfile::Identity> PrivateProfile::IdentityOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return Identity{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool PrivateProfile::CacheIsSettled(const Identity& now) const {
  timespec settledBefore = FCheckedAt;
  settledBefore.tv_sec -= kTimeStampSlackSeconds;
  return Before(now.modified, settledBefore) && Before(now.changed, settledBefore);
}

void PrivateProfile::Refresh() {
  std::optional<Identity> identity = IdentityOf(FPath);
  if (FCached && identity && *identity == FIdentity && CacheIsSettled(*identity)) return;
  Reload();
}

void PrivateProfile::Reload() {
  timespec checkedAt = Now();
  std::optional<Identity> identity = IdentityOf(FPath);
  std::string content;
  FUnreadable = false;
  if (identity) {
    try {
      content = ReadWholeFile(FPath);
    } catch (const Exception&) {
      identity.reset();
      FUnreadable = true;
    }
  } else {
    // Anything but a regular file that stands at the path reads as empty.
    struct stat info {};
    FUnreadable = ::stat(FPath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }
  if (!FCached || content != FContent) {
    FText = ProfileText(content);
    FContent = std::move(content);
  }
  FCached = identity.has_value();
  if (identity) FIdentity = *identity;
  FCheckedAt = checkedAt;
}

bool PrivateProfile::Store() {
  std::string content = FText.Content();
  timespec checkedAt = Now();
  if (FPath.empty() || !TryReplaceFile(FPath, content)) {
    // Back to the file as it stands.
    FText = ProfileText(FContent);
    return false;
  }
  std::optional<Identity> identity = IdentityOf(FPath);
  FContent = std::move(content);
  FCached = identity.has_value();
  if (identity) FIdentity = *identity;
  FCheckedAt = checkedAt;
  return true;
}

std::optional<std::string> PrivateProfile::ReadValue(std::string_view section,
                                                     std::string_view key) {
  Refresh();
  return FText.Value(section, key);
}

std::vector<std::string> PrivateProfile::ReadKeyNames(std::string_view section) {
  Refresh();
  return FText.KeyNames(section);
}

bool PrivateProfile::WriteValue(std::string_view section, std::string_view key,
                                std::string_view value) {
  value = value.substr(0, value.find('\0'));
  if (!IsWritableProfileName(section) || !IsWritableProfileName(key) || HoldsLineBreak(value))
    return false;
  Refresh();
  // A file that stands but cannot be read is never overwritten with what little is known.
  if (FUnreadable) return false;
  FText.SetValue(section, key, value);
  return Store();
}

bool PrivateProfile::DeleteKey(std::string_view section, std::string_view key) {
  Refresh();
  if (!FText.RemoveKey(section, key)) return true;
  return Store();
}

bool PrivateProfile::EraseSection(std::string_view section) {
  Refresh();
  if (!FText.RemoveSection(section)) return true;
  return Store();
}

}  // namespace platform
