#include "platform/PrivateProfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/Files.h"

namespace platform {

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

// Each write tries this often when writers that take no lock keep changing the file.
constexpr int kStoreAttempts = 5;
// How long a write waits for another writer's lock: 1,000 times 10 ms.
constexpr int kLockWaitSteps = 1000;

// True when the regular file at `path` holds exactly `bytes`; read in pieces, so that a
// check costs no copy of the file.
bool FileHoldsExactly(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  bool same = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<uint64_t>(info.st_size) == bytes.size();
  char piece[65536];
  while (same) {
    const ssize_t got = ::read(fd, piece, sizeof piece);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      same = got == 0 && bytes.empty();
      break;
    }
    const size_t size = static_cast<size_t>(got);
    same = size <= bytes.size() && std::memcmp(piece, bytes.data(), size) == 0;
    bytes.remove_prefix(std::min(size, bytes.size()));
  }
  ::close(fd);
  return same;
}

// Applies one edit; gives the lines it changed.
ProfileText::EditedLines Apply(ProfileText& text, const ProfileEdit& edit) {
  switch (edit.kind) {
    case ProfileEdit::Kind::SetValue:
      return text.SetValue(edit.section, edit.key, edit.value);
    case ProfileEdit::Kind::RemoveKey:
      return text.RemoveKey(edit.section, edit.key);
    case ProfileEdit::Kind::RemoveSection:
      return text.RemoveSection(edit.section);
    case ProfileEdit::Kind::PutKeysFirst:
      return text.PutKeysFirst(edit.section, *edit.identifyingNames, *edit.keys);
  }
  return {};
}

}  // namespace

// ---------------------------------------------------------------------------------------
// FolderLock

namespace {

LockWaitListener* gLockWaitListener = nullptr;

// The folder whose lock guards the file at `path`: the one the file stands in once every
// link is followed, as the replace writes there. A link and the direct path, or two
// links, so share one lock. Split at "/" only: a backslash is part of a name here.
std::string LockedFolderOf(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                       &std::free);
  const std::string file = resolved ? std::string(resolved.get()) : path;
  const size_t slash = file.rfind('/');
  return slash == std::string::npos ? "." : file.substr(0, slash + 1);
}

}  // namespace

// An advisory lock on the folder of an INI file, held by a write from its read to its
// rename and by a batch for its commit, so that writers of ours (two windows, two
// processes) lose nothing. It is taken on the folder itself, which never ships with a
// mod: no lock file is left beside changes.ini. Where the file system has no such locks,
// writes go on without it.
FolderLock::FolderLock(const std::string& path) {
  FFd = ::open(LockedFolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (FFd < 0) return;  // the write fails on its own
  if (::flock(FFd, LOCK_EX | LOCK_NB) == 0) return;
  if (errno == EWOULDBLOCK || errno == EINTR) Wait();
  if (FFd >= 0 && !FRefused) return;
  if (FFd >= 0) ::close(FFd);
  FFd = -1;
}

// Another writer holds the lock: tries again every 10 ms, telling the listener.
void FolderLock::Wait() {
  LockWaitListener* listener = gLockWaitListener;
  if (listener != nullptr) listener->WaitBegins();
  for (int step = 1;; ++step) {
    ::usleep(10000);
    if (listener != nullptr) listener->StillWaiting();
    if (::flock(FFd, LOCK_EX | LOCK_NB) == 0) break;
    if (errno == EINTR) continue;
    FRefused = errno == EWOULDBLOCK && step >= kLockWaitSteps;
    if (errno != EWOULDBLOCK) {
      ::close(FFd);
      FFd = -1;
      break;
    }
    if (FRefused) break;
  }
  if (listener != nullptr) listener->WaitEnds();
}

LockWaitListener* SetLockWaitListener(LockWaitListener* listener) {
  return std::exchange(gLockWaitListener, listener);
}

FolderLock::~FolderLock() {
  if (FFd >= 0) ::close(FFd);  // closing releases the lock
}

// ---------------------------------------------------------------------------------------
// ProfileEditLog

void ProfileEditLog::Add(const ProfileEdit& edit, const ProfileText::EditedLines& lines) {
  if (edit.kind == ProfileEdit::Kind::PutKeysFirst) {
    FEntries.push_back({edit.kind, static_cast<uint32_t>(FKeysFirst.size()), 0, 1});
    FKeysFirst.push_back({std::string(edit.section), *edit.identifyingNames, *edit.keys});
    return;
  }
  if (!FEntries.empty()) {
    Entry& last = FEntries.back();
    if (last.kind == edit.kind && edit.kind != ProfileEdit::Kind::RemoveSection &&
        last.section == lines.section && last.firstLine + last.lines == lines.key) {
      ++last.lines;
      return;
    }
  }
  FEntries.push_back({edit.kind, lines.section, lines.key, 1});
}

void ProfileEditLog::Clear() {
  FEntries.clear();
  FKeysFirst.clear();
}

// Tells `visit` each kept edit, in order, its texts taken from `source`.
template <typename Visit>
void ProfileEditLog::ForEachEdit(const ProfileText& source, Visit visit) const {
  for (size_t i = 0; i < FEntries.size(); ++i) {
    const Entry& entry = FEntries[i];
    if (entry.kind == ProfileEdit::Kind::PutKeysFirst) {
      const KeysFirst& keysFirst = FKeysFirst[entry.section];
      if (!visit(ProfileEdit{
              entry.kind, keysFirst.section, {}, {}, &keysFirst.identifyingNames, &keysFirst.keys}))
        return;
      continue;
    }
    const std::string_view section = source.SectionNameAt(entry.section);
    if (entry.kind == ProfileEdit::Kind::RemoveSection) {
      if (!visit(ProfileEdit{entry.kind, section})) return;
      continue;
    }
    for (uint32_t line = entry.firstLine; line != entry.firstLine + entry.lines; ++line) {
      if (!visit(
              ProfileEdit{entry.kind, section, source.KeyNameAt(line), source.StoredValueAt(line)}))
        return;
    }
  }
}

ProfileEditLog ProfileEditLog::ApplyTo(const ProfileText& source, ProfileText& target) const {
  ProfileEditLog applied;
  ForEachEdit(source, [&](const ProfileEdit& edit) {
    const ProfileText::EditedLines lines = Apply(target, edit);
    if (lines.Changed()) applied.Add(edit, lines);
    return true;
  });
  return applied;
}

bool ProfileEditLog::TouchSameState(const ProfileText& source, const ProfileText& before,
                                    const ProfileText& now) const {
  auto sameKey = [&](std::string_view section, std::string_view key) {
    return before.Value(section, key) == now.Value(section, key);
  };
  auto sameSection = [&](std::string_view section) {
    const std::vector<std::string> keys = before.KeyNames(section);
    return keys == now.KeyNames(section) &&
           std::all_of(keys.begin(), keys.end(),
                       [&](const std::string& key) { return sameKey(section, key); });
  };
  bool same = true;
  ForEachEdit(source, [&](const ProfileEdit& edit) {
    switch (edit.kind) {
      case ProfileEdit::Kind::SetValue:
      case ProfileEdit::Kind::RemoveKey:
        same = sameKey(edit.section, edit.key);
        break;
      case ProfileEdit::Kind::RemoveSection:
      case ProfileEdit::Kind::PutKeysFirst:
        same = sameSection(edit.section);
        break;
    }
    return same;
  });
  return same;
}

// ---------------------------------------------------------------------------------------
// PrivateProfile

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
// time stamps are too recent to be trusted, the same bytes; or still no file at all.
bool PrivateProfile::CacheMatchesFile() {
  if (!FCached) return false;
  std::optional<Identity> identity = IdentityOf(FPath);
  if (!FExists) return !identity;
  if (!identity || !(*identity == FIdentity)) return false;
  if (CacheIsSettled(*identity)) return true;
  const timespec checkedAt = Now();
  if (!FileHoldsExactly(FPath, FText.Base())) return false;
  FCheckedAt = checkedAt;
  return true;
}

// The last check before a rename, against writers that take no lock: the identity only.
bool PrivateProfile::FileUnchangedSinceRead() const {
  std::optional<Identity> identity = IdentityOf(FPath);
  return FExists ? identity && *identity == FIdentity : !identity;
}

void PrivateProfile::Reload() {
  timespec checkedAt = Now();
  std::optional<Identity> identity = IdentityOf(FPath);
  std::string content;
  FUnreadable = false;
  FNotAFile = false;
  if (identity) {
    // A file too large to parse is unreadable, as is one that cannot be read.
    FUnreadable = identity->size > kMaxFileSize;
    try {
      if (!FUnreadable) content = ReadWholeFile(FPath);
    } catch (const std::exception&) {
      FUnreadable = true;
    }
  } else {
    // Anything but a regular file that stands at the path reads as empty.
    struct stat info {};
    FNotAFile = ::stat(FPath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }
  FText = ProfileText();
  try {
    if (!FUnreadable) FText = ProfileText(std::move(content));
  } catch (const std::exception&) {
    FUnreadable = true;
  }
  FCached = !FUnreadable && !FNotAFile;
  FExists = identity.has_value();
  if (identity) FIdentity = *identity;
  FCheckedAt = checkedAt;
}

// Someone else wrote the file since it was read: the pending edits go onto what is there
// now, unless that writer changed what they touch. The names a batch picked (the least
// free "Namespace2") and the values it read are then no longer what it decided on, and
// writing them again would overwrite the other writer's entry: nothing is written.
bool PrivateProfile::ReapplyToFile() {
  ProfileText batch = std::move(FText);
  const ProfileText before{std::string(batch.Base())};
  Reload();
  if (FUnreadable || FNotAFile || !FPending.TouchSameState(batch, before, FText)) return false;
  FPending = FPending.ApplyTo(batch, FText);
  return true;
}

bool PrivateProfile::Store(bool readUnderLock) {
  if (FPath.empty() || FUnreadable || FNotAFile) return false;
  if (!readUnderLock && !CacheMatchesFile() && !ReapplyToFile()) return false;
  for (int attempt = 1;; ++attempt) {
    // Edits applied again to a file that grew meanwhile may pass the limit only now.
    if (FText.ContentSize() > static_cast<size_t>(kMaxFileSize)) return RefuseForSize();
    const timespec checkedAt = Now();
    bool changedMeanwhile = false;
    const bool written = TryReplaceFileIf(
        FPath,
        [this](const std::function<bool(std::string_view)>& put) {
          return FText.ForEachPiece(put);
        },
        [this, &changedMeanwhile] {
          changedMeanwhile = !FileUnchangedSinceRead();
          return !changedMeanwhile;
        });
    if (written) {
      FText.ContentWritten();
      std::optional<Identity> identity = IdentityOf(FPath);
      FCached = FExists = identity.has_value();
      if (identity) FIdentity = *identity;
      FCheckedAt = checkedAt;
      return true;
    }
    if (!changedMeanwhile || attempt == kStoreAttempts || !ReapplyToFile()) return false;
  }
}

// ---------------------------------------------------------------------------------------
// Scopes

void PrivateProfile::BeginBatch() {
  if (FBatchDepth == 0) {
    if (FReadDepth == 0) Refresh();
    FPending.Clear();
    FRefusedForSize = FBatchRefused = false;
  }
  ++FBatchDepth;
}

bool PrivateProfile::CommitBatch() {
  if (FBatchDepth != 1) return true;
  if (FBatchRefused) return false;
  if (FPending.Empty()) return true;
  bool stored = false;
  {
    FolderLock lock(FPath);
    stored = !lock.Refused() && Store(false);
  }
  FPending.Clear();
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
    FPending.Clear();
    FBatchRefused = false;
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

// Applies an edit to the parse and keeps it for the commit; false when the file cannot
// take it.
bool PrivateProfile::Record(const ProfileEdit& edit) {
  // A file that stands but cannot be read is never overwritten with what little is
  // known, and a removal from it would report success and remove nothing.
  if (FUnreadable || FBatchRefused) return false;
  // Nothing can be removed from what is no file; nothing is written in its place.
  if (FNotAFile)
    return edit.kind == ProfileEdit::Kind::RemoveKey ||
           edit.kind == ProfileEdit::Kind::RemoveSection;
  const ProfileText::EditedLines lines = Apply(FText, edit);
  if (lines.Changed()) FPending.Add(edit, lines);
  // Checked at every edit, so that a long run of writes (a compare) stops as soon as its
  // result passes the limit, not when it is done.
  if (FText.ContentSize() > static_cast<size_t>(kMaxFileSize)) return RefuseForSize();
  return true;
}

// The edits so far would make a file too large to read back: none of them is written.
// The parse holds them, as after a failed commit: it is read again at the next look.
bool PrivateProfile::RefuseForSize() {
  FRefusedForSize = FBatchRefused = true;
  FPending.Clear();
  FCached = false;
  return false;
}

bool PrivateProfile::Edit(const ProfileEdit& edit) {
  if (FBatchDepth > 0) return Record(edit);
  // One edit on its own is a batch of one, with the lock held from the read to the rename.
  FRefusedForSize = FBatchRefused = false;
  FolderLock lock(FPath);
  if (lock.Refused()) return false;
  Refresh();
  ++FBatchDepth;
  bool done = false;
  try {
    done = Record(edit) && (FPending.Empty() || Store(true));
  } catch (...) {
    FCached = false;
    FPending.Clear();
    --FBatchDepth;
    throw;
  }
  // The parse holds an edit the file does not: it is read again at the next look.
  if (!done) FCached = false;
  FPending.Clear();
  --FBatchDepth;
  return done;
}

bool PrivateProfile::WriteValue(std::string_view section, std::string_view key,
                                std::string_view value) {
  value = value.substr(0, value.find('\0'));
  if (UnwritableSectionReason(section) || UnwritableKeyReason(key) ||
      value.find_first_of("\r\n") != std::string_view::npos)
    return false;
  return Edit({ProfileEdit::Kind::SetValue, section, key, value});
}

bool PrivateProfile::DeleteKey(std::string_view section, std::string_view key) {
  return Edit({ProfileEdit::Kind::RemoveKey, section, key});
}

bool PrivateProfile::EraseSection(std::string_view section) {
  return Edit({ProfileEdit::Kind::RemoveSection, section});
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
  return Edit({ProfileEdit::Kind::PutKeysFirst, section, {}, {}, &identifyingNames, &keys});
}

}  // namespace platform
