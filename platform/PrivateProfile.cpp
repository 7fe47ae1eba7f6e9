#include "platform/PrivateProfile.h"

#include <sys/stat.h>

#include <new>

#include "platform/Exceptions.h"
#include "platform/Files.h"

namespace platform {

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

// Applies one edit; false when it changed nothing.
bool Apply(ProfileText& text, const ProfileEdit& edit) {
  switch (edit.kind) {
    case ProfileEdit::Kind::SetValue:
      text.SetValue(edit.section, edit.key, edit.value);
      return true;
    case ProfileEdit::Kind::RemoveKey:
      return text.RemoveKey(edit.section, edit.key);
    case ProfileEdit::Kind::RemoveSection:
      return text.RemoveSection(edit.section);
    case ProfileEdit::Kind::PutKeysFirst:
      text.PutKeysFirst(edit.section, edit.identifyingNames, edit.keys);
      return true;
  }
  return false;
}

}  // namespace

bool PrivateProfile::Identity::operator==(const Identity& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         SameTime(modified, other.modified) && SameTime(changed, other.changed);
}

PrivateProfile::PrivateProfile(std::string path) : FPath(std::move(path)) {}

PrivateProfile::~PrivateProfile() = default;

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

void PrivateProfile::RefreshOutsideScopes() {
  if (FBatchDepth == 0 && FReadDepth == 0) Refresh();
}

void PrivateProfile::Refresh() {
  if (!CacheMatchesFile()) Reload();
}

// True when the parse is that of the file as it stands: same identity, and, while the
// time stamps are too recent to be trusted, the same bytes.
bool PrivateProfile::CacheMatchesFile() {
  if (!FCached) return false;
  std::optional<Identity> identity = IdentityOf(FPath);
  if (!identity || !(*identity == FIdentity)) return false;
  if (CacheIsSettled(*identity)) return true;
  timespec checkedAt = Now();
  try {
    if (ReadWholeFile(FPath) != FText.Base()) return false;
  } catch (const std::exception&) {
    return false;
  }
  FCheckedAt = checkedAt;
  return true;
}

void PrivateProfile::Reload() {
  timespec checkedAt = Now();
  std::optional<Identity> identity = IdentityOf(FPath);
  std::string content;
  FUnreadable = false;
  FNotAFile = false;
  if (identity) {
    try {
      if (identity->size > kMaxFileSize) throw std::bad_alloc();
      content = ReadWholeFile(FPath);
    } catch (const std::exception&) {
      identity.reset();
      FUnreadable = true;
    }
  } else {
    // Anything but a regular file that stands at the path reads as empty.
    struct stat info {};
    FNotAFile = ::stat(FPath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }
  FCached = false;
  FText = ProfileText();
  try {
    FText = ProfileText(std::move(content));
  } catch (const std::exception&) {
    identity.reset();
    FUnreadable = true;
  }
  FCached = identity.has_value();
  if (identity) FIdentity = *identity;
  FCheckedAt = checkedAt;
}

bool PrivateProfile::Store() {
  if (FPath.empty() || FUnreadable || FNotAFile) return false;
  if (!CacheMatchesFile()) {
    // Someone else wrote the file since it was read: the edits go onto what is there now.
    Reload();
    if (FUnreadable || FNotAFile) return false;
    for (const ProfileEdit& edit : FPending) Apply(FText, edit);
  }
  std::string content = FText.Content();
  timespec checkedAt = Now();
  if (!TryReplaceFile(FPath, content)) return false;
  FText.AdoptContent(std::move(content));
  std::optional<Identity> identity = IdentityOf(FPath);
  FCached = identity.has_value();
  if (identity) FIdentity = *identity;
  FCheckedAt = checkedAt;
  return true;
}

// ---------------------------------------------------------------------------------------
// Scopes

void PrivateProfile::BeginBatch() {
  if (FBatchDepth == 0) {
    if (FReadDepth == 0) Refresh();
    FPending.clear();
  }
  ++FBatchDepth;
}

bool PrivateProfile::CommitBatch() {
  if (FBatchDepth != 1 || FPending.empty()) return true;
  const bool stored = Store();
  FPending.clear();
  // A failed write leaves the file as it was: so is the parse, at the next look.
  if (!stored) FCached = false;
  return stored;
}

void PrivateProfile::EndBatch() noexcept {
  if (FBatchDepth == 1) {
    try {
      CommitBatch();
    } catch (...) {
      // The file stays as it was; whatever ended the batch early is what gets reported.
      FCached = false;
    }
    FPending.clear();
  }
  --FBatchDepth;
}

void PrivateProfile::BeginReading() {
  if (FReadDepth == 0 && FBatchDepth == 0) Refresh();
  ++FReadDepth;
}

void PrivateProfile::EndReading() noexcept { --FReadDepth; }

// ---------------------------------------------------------------------------------------
// Reads and writes

std::optional<std::string> PrivateProfile::ReadValue(std::string_view section,
                                                     std::string_view key) {
  RefreshOutsideScopes();
  std::optional<std::string_view> value = FText.Value(section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

std::vector<std::string> PrivateProfile::ReadKeyNames(std::string_view section) {
  RefreshOutsideScopes();
  return FText.KeyNames(section);
}

bool PrivateProfile::Edit(ProfileEdit edit) {
  BeginBatch();
  bool done = true;
  if (FUnreadable) {
    // A file that stands but cannot be read is never overwritten with what little is
    // known, and a removal from it would report success and remove nothing.
    done = false;
  } else if (FNotAFile) {
    // Nothing can be removed from what is no file; nothing is written in its place.
    done =
        edit.kind == ProfileEdit::Kind::RemoveKey || edit.kind == ProfileEdit::Kind::RemoveSection;
  } else if (Apply(FText, edit)) {
    FPending.push_back(std::move(edit));
    done = CommitBatch();
  }
  EndBatch();
  return done;
}

bool PrivateProfile::WriteValue(std::string_view section, std::string_view key,
                                std::string_view value) {
  value = value.substr(0, value.find('\0'));
  if (UnwritableSectionReason(section) || UnwritableKeyReason(key) ||
      value.find_first_of("\r\n") != std::string_view::npos)
    return false;
  return Edit({ProfileEdit::Kind::SetValue,
               std::string(section),
               std::string(key),
               std::string(value),
               {},
               {}});
}

bool PrivateProfile::DeleteKey(std::string_view section, std::string_view key) {
  return Edit({ProfileEdit::Kind::RemoveKey, std::string(section), std::string(key), {}, {}, {}});
}

bool PrivateProfile::EraseSection(std::string_view section) {
  return Edit({ProfileEdit::Kind::RemoveSection, std::string(section), {}, {}, {}, {}});
}

bool PrivateProfile::PutKeysFirst(std::string_view section,
                                  const std::vector<std::string>& identifyingNames,
                                  const ProfileKeyValues& keys) {
  if (UnwritableSectionReason(section)) return false;
  for (const auto& [key, value] : keys) {
    if (UnwritableKeyReason(key) || value.find_first_of("\r\n") != std::string::npos ||
        value.find('\0') != std::string::npos)
      return false;
  }
  return Edit(
      {ProfileEdit::Kind::PutKeysFirst, std::string(section), {}, {}, identifyingNames, keys});
}

}  // namespace platform
