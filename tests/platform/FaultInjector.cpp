#include "tests/platform/FaultInjector.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <optional>

extern "C" {
int __real_openat(int folder, const char* path, int flags, ...);
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_fsync(int fd);
int __real_linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags);
int __real_renameat(int fromFolder, const char* from, int toFolder, const char* to);
}

namespace fault_injection {
namespace {

constexpr int kCalls = static_cast<int>(Call::Rename) + 1;

struct Armed {
  std::optional<Fault> fault;
  int hits = 0;
};

Armed& Slot(Call call) {
  static Armed slots[kCalls];
  return slots[static_cast<int>(call)];
}

// The action's own calls pass through.
bool inAction = false;

// The value the call returns instead of doing its work, or nothing: the call goes on.
std::optional<long> Intercept(Call call) {
  Armed& slot = Slot(call);
  if (inAction || !slot.fault || slot.fault->times == slot.hits) return std::nullopt;
  ++slot.hits;
  if (slot.fault->action) {
    inAction = true;
    slot.fault->action();
    inAction = false;
    return std::nullopt;
  }
  if (slot.fault->error == 0) return 0;
  errno = slot.fault->error;
  return -1;
}

}  // namespace

ScopedFault::ScopedFault(Fault fault) : FCall(fault.call) {
  Slot(FCall) = Armed{std::move(fault), 0};
}

ScopedFault::~ScopedFault() { Slot(FCall) = Armed{}; }

int ScopedFault::Hits() const { return Slot(FCall).hits; }

}  // namespace fault_injection

using fault_injection::Call;
using fault_injection::Intercept;

extern "C" {

int __wrap_openat(int folder, const char* path, int flags, ...) {
  const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
  int mode = 0;
  if (unnamed || (flags & O_CREAT)) {
    va_list arguments;
    va_start(arguments, flags);
    mode = va_arg(arguments, int);
    va_end(arguments);
    if (auto result = Intercept(unnamed ? Call::OpenUnnamed : Call::CreateNamed))
      return static_cast<int>(*result);
  }
  return __real_openat(folder, path, flags, mode);
}

ssize_t __wrap_write(int fd, const void* data, size_t size) {
  if (auto result = Intercept(Call::Write)) return *result;
  return __real_write(fd, data, size);
}

int __wrap_fsync(int fd) {
  if (auto result = Intercept(Call::Fsync)) return static_cast<int>(*result);
  return __real_fsync(fd);
}

int __wrap_linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
  if (auto result = Intercept(Call::Link)) return static_cast<int>(*result);
  return __real_linkat(fromFolder, from, toFolder, to, flags);
}

int __wrap_renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  if (auto result = Intercept(Call::Rename)) return static_cast<int>(*result);
  return __real_renameat(fromFolder, from, toFolder, to);
}

}  // extern "C"
