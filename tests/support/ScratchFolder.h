// A fresh folder for one test. Its name holds the test's name and a random part, so the
// same test run at once by two builds (`make test` and `make test-sanitize`) never shares
// it; it is removed with all it holds when the fixture ends, also after a failed
// assertion. Qt-free.
#pragma once

#include <string>

namespace testing_support {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return FPath; }
  std::string PathOf(const std::string& name) const { return FPath + "/" + name; }

  // Writes `bytes` to `name` (a plain write, not the program's own writer) and gives
  // its path; a failed write fails the test by an exception.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // The bytes of `name`; a missing file fails the test by an exception.
  std::string Read(const std::string& name) const;

 private:
  std::string FPath;
};

}  // namespace testing_support
