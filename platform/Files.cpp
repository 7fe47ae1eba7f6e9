#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/Exceptions.h"

namespace platform {

namespace {

std::string Reason(int error) { return std::strerror(error); }

std::string TemporaryNameBeside(const std::string& path) {
  static std::mt19937_64 generator{std::random_device{}()};
  return path + ".tmp-" + std::to_string(::getpid()) + "-" +
         std::to_string(generator() % 1000000007);
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

enum class Failure { None, Create, Write };

// A link is followed, so that the file it points to is replaced and the link stays.
std::string ResolvedTarget(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

Failure ReplaceFileImpl(const std::string& linkOrPath, std::string_view content, int& error,
                        const std::function<bool()>* beforeRename = nullptr) {
  const std::string path = ResolvedTarget(linkOrPath);
  struct stat existing {};
  bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists) {
    // The rules of the callers need a target that could be opened for writing.
    if (!S_ISREG(existing.st_mode) || ::access(path.c_str(), W_OK) != 0) {
      error = S_ISREG(existing.st_mode) ? errno : EISDIR;
      return Failure::Create;
    }
  }
  const std::string temporary = TemporaryNameBeside(path);
  mode_t mode = exists ? (existing.st_mode & 07777) : 0666;
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) {
    error = errno;
    return Failure::Create;
  }
  if (exists) ::fchmod(fd, mode);
  bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
  if (!ok) error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && beforeRename != nullptr && !(*beforeRename)()) {
    ok = false;
    error = EAGAIN;
  }
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return Failure::Write;
  }
  return Failure::None;
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

std::string ReadWholeFile(const std::string& path) {
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
  std::string content;
  content.reserve(static_cast<size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
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
  return content;
}

bool TryReplaceFile(const std::string& path, std::string_view content, std::string* error) {
  int code = 0;
  if (ReplaceFileImpl(path, content, code) == Failure::None) return true;
  if (error) *error = Reason(code);
  return false;
}

bool TryReplaceFileIf(const std::string& path, std::string_view content,
                      const std::function<bool()>& beforeRename) {
  int code = 0;
  return ReplaceFileImpl(path, content, code, &beforeRename) == Failure::None;
}

void ReplaceFile(const std::string& path, std::string_view content) {
  int code = 0;
  switch (ReplaceFileImpl(path, content, code)) {
    case Failure::None:
      return;
    case Failure::Create:
      throw EFCreateError(path, Reason(code));
    case Failure::Write:
      throw EInOutError(path, Reason(code));
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
