#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace testing_support {

namespace {

// "Suite.Name" of the running test with every character but letters, digits, '-' and
// '_' replaced, so parameterised names ("Cases/3") make one folder name.
std::string RunningTestName() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name =
      info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("scratch");
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') c = '.';
  return name.substr(0, 120);
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / ("mt-" + RunningTestName() + "-XXXXXX")).string();
  if (!::mkdtemp(pattern.data()))
    throw std::runtime_error("cannot create a scratch folder like " + pattern);
  FPath = pattern;
}

// A test may have taken the write permission from a folder inside: it is given back
// before the removal.
ScratchFolder::~ScratchFolder() {
  namespace fs = std::filesystem;
  std::error_code ignored;
  if (fs::remove_all(FPath, ignored) != static_cast<std::uintmax_t>(-1)) return;
  for (auto it = fs::recursive_directory_iterator(FPath, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored))
    if (it->is_directory(ignored))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(FPath, ignored);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = PathOf(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  if (!out) throw std::runtime_error("cannot write the test file " + path);
  return path;
}

std::string ScratchFolder::Read(const std::string& name) const {
  const std::string path = PathOf(name);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read the test file " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace testing_support
