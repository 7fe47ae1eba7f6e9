#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <utility>

#include "platform/Exceptions.h"

namespace platform {

namespace {

std::string Reason(int error) { return std::strerror(error); }

// A file descriptor closed when it goes out of scope (errors of that close are ignored:
// a close whose result matters is made by hand).
class FileHandle {
 public:
  explicit FileHandle(int fd = -1) : FFd(fd) {}
  FileHandle(FileHandle&& other) noexcept : FFd(other.Release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  ~FileHandle() { Reset(); }
  int Get() const { return FFd; }
  bool Valid() const { return FFd >= 0; }
  int Release() { return std::exchange(FFd, -1); }
  void Reset(int fd = -1) {
    if (FFd >= 0) ::close(FFd);
    FFd = fd;
  }

 private:
  int FFd;
};

// What stands at a path that is not a regular file, in the words of the system's reasons.
std::string NotAFileReason(mode_t mode) {
  if (S_ISDIR(mode)) return Reason(EISDIR);
  if (S_ISFIFO(mode)) return "Is a named pipe";
  if (S_ISCHR(mode)) return "Is a character device";
  if (S_ISBLK(mode)) return "Is a block device";
  if (S_ISSOCK(mode)) return "Is a socket";
  return "Is not a regular file";
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    // A write that makes no progress would be retried for ever.
    if (written == 0) errno = EIO;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// ---- Temporary files ------------------------------------------------------------------
//
// A replace writes a temporary file in the target's folder and renames it over the
// target. Where the file system allows, the temporary file has no name until its content
// is complete and synced (O_TMPFILE, then linkat), so a killed save leaves nothing
// behind; elsewhere it is created under its name. Its writer holds an exclusive lock on
// it until the rename, so a temporary file of ours that nobody holds is abandoned and a
// later save of the same target removes it. The name is short and does not grow with the
// target's name, so every name the file system accepts can be saved.

constexpr std::string_view kTemporaryPrefix = ".~";
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string Hex8(uint32_t value) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 15];
  return text;
}

// FNV-1a: ties a temporary file to the name of its target.
uint32_t NameHash(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
  return hash;
}

// ".~<target hash>.<random>.tmp": 23 bytes whatever the target's name.
std::string TemporaryPrefixFor(std::string_view targetName) {
  return std::string(kTemporaryPrefix) + Hex8(NameHash(targetName)) + ".";
}

std::string NewTemporaryName(std::string_view targetName) {
  static std::mt19937 generator{std::random_device{}()};
  return TemporaryPrefixFor(targetName) + Hex8(generator()) + std::string(kTemporarySuffix);
}

bool IsTemporaryOf(std::string_view entry, std::string_view targetName) {
  const std::string prefix = TemporaryPrefixFor(targetName);
  return entry.size() == prefix.size() + 8 + kTemporarySuffix.size() && entry.starts_with(prefix) &&
         entry.ends_with(kTemporarySuffix);
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when `name` in the folder is still the file open as `fd`.
bool NameStillNames(int folder, const std::string& name, int fd) {
  struct stat byName {};
  struct stat byHandle {};
  return ::fstatat(folder, name.c_str(), &byName, AT_SYMLINK_NOFOLLOW) == 0 &&
         ::fstat(fd, &byHandle) == 0 && SameFile(byName, byHandle);
}

// Removes the temporary files of `targetName` whose writers are gone. A writer holds its
// lock from before the file has a name (or, named at creation, checks after locking that
// its name is still its own), so a file we can lock is abandoned.
void RemoveAbandonedTemporaries(int folder, const std::string& targetName) {
  FileHandle listing(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!listing.Valid()) return;
  DIR* dir = ::fdopendir(listing.Get());
  if (!dir) return;
  listing.Release();
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTemporaryOf(name, targetName)) continue;
    FileHandle file(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file.Valid() || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) continue;  // its writer is alive
    if (NameStillNames(folder, name, file.Get())) ::unlinkat(folder, name.c_str(), 0);
  }
  ::closedir(dir);
}

// ---- The replace ----------------------------------------------------------------------

enum class Failure { None, Create, Folder, Write };

struct Outcome {
  Failure failure = Failure::None;
  std::string reason;
  std::string folder;  // for Failure::Folder: the folder that refused the temporary file

  static Outcome Failed(Failure failure, std::string reason) {
    return {failure, std::move(reason), {}};
  }
};

struct Target {
  std::string folder;  // "." or ends without a separator
  std::string name;
  bool exists = false;
  mode_t mode = 0666;
};

// A link is followed, so that the file it points to is replaced and the link stays; a
// link that leads nowhere (dangling, or a loop) is refused rather than replaced.
Outcome ResolveTarget(const std::string& path, Target& target) {
  std::string resolved = path;
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return Outcome::Failed(Failure::Create, Reason(errno));
    resolved = real;
    std::free(real);
  }
  if (::stat(resolved.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode))
      return Outcome::Failed(Failure::Create, NotAFileReason(info.st_mode));
    // The rules of the callers need a target that could be opened for writing.
    if (::access(resolved.c_str(), W_OK) != 0)
      return Outcome::Failed(Failure::Create, Reason(errno));
    target.exists = true;
    target.mode = info.st_mode & 07777;
  } else if (errno != ENOENT) {
    return Outcome::Failed(Failure::Create, Reason(errno));
  }
  const size_t slash = resolved.find_last_of('/');
  target.folder = slash == std::string::npos ? "." : resolved.substr(0, slash == 0 ? 1 : slash);
  target.name = resolved.substr(slash == std::string::npos ? 0 : slash + 1);
  if (target.name.empty()) return Outcome::Failed(Failure::Create, Reason(ENOENT));
  return {};
}

// An open temporary file, locked by us; `name` stays empty while it has none. A name
// left at the end (a failed save) is removed.
struct Temporary {
  int folder = -1;
  FileHandle file;
  std::string name;

  ~Temporary() {
    if (!name.empty()) ::unlinkat(folder, name.c_str(), 0);
  }
};

bool OpenUnnamedTemporary(const Target& target, Temporary& temporary) {
  temporary.file.Reset(
      ::openat(temporary.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, target.mode));
  return temporary.file.Valid() && ::flock(temporary.file.Get(), LOCK_EX) == 0;
}

Outcome OpenNamedTemporary(const Target& target, Temporary& temporary) {
  for (;;) {
    std::string name = NewTemporaryName(target.name);
    FileHandle file(::openat(temporary.folder, name.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, target.mode));
    if (!file.Valid()) {
      if (errno == EEXIST) continue;
      return Outcome::Failed(Failure::Folder, Reason(errno));
    }
    // A save beside us may have taken the still unlocked file for abandoned and removed
    // it. Where there are no locks, there is no removal either.
    ::flock(file.Get(), LOCK_EX);
    if (NameStillNames(temporary.folder, name, file.Get())) {
      temporary.file = std::move(file);
      temporary.name = std::move(name);
      return {};
    }
  }
}

// Gives the complete unnamed file a name to rename from.
bool LinkTemporary(const Target& target, Temporary& temporary) {
  const std::string self = "/proc/self/fd/" + std::to_string(temporary.file.Get());
  for (;;) {
    std::string name = NewTemporaryName(target.name);
    if (::linkat(AT_FDCWD, self.c_str(), temporary.folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporary.name = std::move(name);
      return true;
    }
    if (errno != EEXIST) return false;
  }
}

// Gathers small pieces into writes of a useful size.
class BufferedWriter {
 public:
  explicit BufferedWriter(int fd) : FFd(fd) {}

  bool Put(std::string_view piece) {
    if (FBuffered + piece.size() > sizeof FBuffer && !Flush()) return false;
    if (piece.size() >= sizeof FBuffer) return WriteAll(FFd, piece);
    std::copy(piece.begin(), piece.end(), FBuffer + FBuffered);
    FBuffered += piece.size();
    return true;
  }
  bool Flush() {
    const bool written = WriteAll(FFd, std::string_view(FBuffer, FBuffered));
    FBuffered = 0;
    return written;
  }

 private:
  int FFd;
  size_t FBuffered = 0;
  char FBuffer[65536];
};

Outcome WriteTemporary(const Target& target, const ContentPieces& content, Temporary& temporary) {
  const int fd = temporary.file.Get();
  // The new file keeps the permissions of the old one, whatever the umask.
  if (target.exists) ::fchmod(fd, target.mode);
  auto writer = std::make_unique<BufferedWriter>(fd);
  const bool written =
      content([&writer](std::string_view piece) { return writer->Put(piece); }) && writer->Flush();
  if (!written || ::fsync(fd) != 0) return Outcome::Failed(Failure::Write, Reason(errno));
  return {};
}

// Closes the complete, named temporary file (checked: some file systems report write
// errors only here) while a second handle keeps its lock, and renames it over the target.
// `beforeRename` (when given) may still call the replace off: the file is then left as it is.
Outcome CommitTemporary(const Target& target, Temporary& temporary,
                        const std::function<bool()>* beforeRename) {
  FileHandle lockKeeper(::dup(temporary.file.Get()));
  if (!lockKeeper.Valid() || ::close(temporary.file.Release()) != 0)
    return Outcome::Failed(Failure::Write, Reason(errno));
  if (beforeRename && !(*beforeRename)()) return Outcome::Failed(Failure::Write, Reason(EAGAIN));
  if (::renameat(temporary.folder, temporary.name.c_str(), temporary.folder, target.name.c_str()) !=
      0)
    return Outcome::Failed(Failure::Write, Reason(errno));
  temporary.name.clear();
  // Makes the rename itself durable; the file is replaced whatever this reports.
  ::fsync(temporary.folder);
  return {};
}

FileHandle OpenFolder(const std::string& folder) {
  FileHandle handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // A folder we may enter but not list still takes new files.
  if (!handle.Valid() && errno == EACCES)
    handle.Reset(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  return handle;
}

Outcome ReplaceFileImpl(const std::string& path, const ContentPieces& content,
                        const std::function<bool()>* beforeRename = nullptr) {
  Target target;
  Outcome outcome = ResolveTarget(path, target);
  if (outcome.failure != Failure::None) return outcome;
  FileHandle folder = OpenFolder(target.folder);
  if (!folder.Valid()) return Outcome::Failed(Failure::Create, Reason(errno));
  RemoveAbandonedTemporaries(folder.Get(), target.name);

  Temporary temporary;
  temporary.folder = folder.Get();
  if (OpenUnnamedTemporary(target, temporary)) {
    outcome = WriteTemporary(target, content, temporary);
    if (outcome.failure != Failure::None) return outcome;
    if (LinkTemporary(target, temporary)) return CommitTemporary(target, temporary, beforeRename);
    // Without a way to name it (no /proc), the unnamed file is of no use.
  }
  outcome = OpenNamedTemporary(target, temporary);
  if (outcome.failure == Failure::Folder) outcome.folder = target.folder;
  if (outcome.failure == Failure::None) outcome = WriteTemporary(target, content, temporary);
  if (outcome.failure == Failure::None) outcome = CommitTemporary(target, temporary, beforeRename);
  return outcome;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

FileHead ReadFileHead(const std::string& path, size_t maxBytes) {
  // Without blocking: opening a pipe would otherwise wait for a writer.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw EFOpenError(path, Reason(errno));
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    int error = errno;
    ::close(fd);
    throw EFOpenError(path, Reason(error));
  }
  // Only regular files are read: a pipe or a device may never end.
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    throw EFOpenError(path, S_ISDIR(info.st_mode) ? Reason(EISDIR) : "Not a regular file");
  }
  FileHead head{std::string(), static_cast<uint64_t>(info.st_size)};
  std::string& content = head.bytes;
  content.reserve(static_cast<size_t>(std::min<uint64_t>(head.size, maxBytes)));
  char buffer[65536];
  while (content.size() < maxBytes) {
    ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - content.size()));
    if (got < 0) {
      if (errno == EINTR) continue;
      int error = errno;
      ::close(fd);
      throw EInOutError(path, Reason(error));
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return head;
}

std::string ReadWholeFile(const std::string& path) {
  return std::move(ReadFileHead(path, SIZE_MAX).bytes);
}

bool TryReplaceFile(const std::string& path, std::string_view content, std::string* error) {
  Outcome outcome = ReplaceFileImpl(path, WholeContent(content));
  if (outcome.failure == Failure::None) return true;
  if (error) *error = outcome.reason;
  return false;
}

bool TryReplaceFileIf(const std::string& path, const ContentPieces& content,
                      const std::function<bool()>& beforeRename) {
  return ReplaceFileImpl(path, content, &beforeRename).failure == Failure::None;
}

bool TryReplaceFileIf(const std::string& path, std::string_view content,
                      const std::function<bool()>& beforeRename) {
  return TryReplaceFileIf(path, WholeContent(content), beforeRename);
}

void ReplaceFile(const std::string& path, std::string_view content) {
  Outcome outcome = ReplaceFileImpl(path, WholeContent(content));
  switch (outcome.failure) {
    case Failure::None:
      return;
    case Failure::Create:
      throw EFCreateError(path, outcome.reason);
    case Failure::Folder:
      throw EFCreateError::TemporaryRefused(path, outcome.folder, outcome.reason);
    case Failure::Write:
      throw EInOutError(path, outcome.reason);
  }
}

std::string ExtractFileName(std::string_view path) {
  size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractFilePath(std::string_view path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace platform
