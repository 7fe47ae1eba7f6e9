// A fault injector for the system calls of platform/Files, linked into a test program
// with the linker's --wrap (link the `fault_injector` library): while a ScopedFault
// lives, the calls it names fail, make no progress or run an action first. Calls that
// no fault names pass through. For single-threaded tests (and their forked children).
#pragma once

#include <functional>
#include <optional>

namespace fault_injection {

enum class Call {
  OpenUnnamed,  // openat() of an unnamed temporary file (O_TMPFILE)
  CreateNamed,  // openat() with O_CREAT
  Write,
  Fsync,
  Link,    // linkat()
  Rename,  // renameat()
};

struct Fault {
  Call call;
  // The errno of a failing call; 0 makes a write return 0 (no progress, no error).
  int error = 5;  // EIO
  // How many calls the fault takes; the later ones pass. Negative: every call.
  int times = -1;
  // When given, runs at the start of the call, which then goes on as usual. The calls
  // the action makes itself pass through.
  std::function<void()> action = {};
};

// Arms a fault for its lifetime. Faults of different calls may be armed together.
class ScopedFault {
 public:
  explicit ScopedFault(Fault fault);
  ~ScopedFault();
  ScopedFault(const ScopedFault&) = delete;
  ScopedFault& operator=(const ScopedFault&) = delete;
  // How many calls the fault took.
  int Hits() const;

 private:
  Call FCall;
};

// Lets the first file replacement through and makes every later one fail (at its
// fsync): a command that writes its changes in one piece loses nothing under it.
class OnlyTheFirstReplaceSucceeds {
 public:
  OnlyTheFirstReplaceSucceeds()
      : FAfterTheFirst({.call = Call::Rename, .action = [this] {
                          if (!FLaterOnesFail) FLaterOnesFail.emplace(Fault{.call = Call::Fsync});
                        }}) {}

 private:
  std::optional<ScopedFault> FLaterOnesFail;  // destroyed after the fault that arms it
  ScopedFault FAfterTheFirst;
};

}  // namespace fault_injection
