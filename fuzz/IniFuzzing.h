// What the fuzz targets that write INI files share: the failure report, the scratch
// file, plain reads and writes of it, and which names and values the INI rules carry
// so that they read back as written.
//
// A fuzzable section name is one that is not refused (RefusedSectionName) and has no
// leading or trailing blank; a fuzzable key name likewise. A fuzzable value holds no NUL
// and no escape text, and its stored (escaped) form has no leading or trailing blank, is
// not enclosed in a matching pair of quotes and has at most 2047 characters.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "formats/UKV_Common.h"
#include "formats/UKV_IniFile.h"

namespace ini_fuzzing {

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "fuzz: %s\n", what);
  std::abort();
}

inline void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// A file of this process, named after `name`.
inline std::string FilePath(const std::string& name) {
  // A RAM-backed folder keeps the fsync of every write cheap.
  const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(folder) + "/fuzz-" + std::to_string(::getpid()) + "-" + name;
}

inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

inline bool HasEdgeBlank(std::string_view text) {
  return !text.empty() &&
         (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' || text.back() == '\t');
}

inline bool IsFuzzableSection(const std::string& name) {
  return !RefusedSectionName(name) && !HasEdgeBlank(name);
}

inline bool IsFuzzableKey(const std::string& name) {
  return !RefusedKeyName(name) && !HasEdgeBlank(name);
}

inline std::string Encoded(std::string_view value) {
  return ReplaceAll(ReplaceAll(value, "\n", "<#LF#>"), "\r", "<#CR#>");
}

inline bool IsFuzzableValue(std::string_view value) {
  if (value.find('\0') != std::string_view::npos) return false;
  if (value.find("<#LF#>") != std::string_view::npos ||
      value.find("<#CR#>") != std::string_view::npos)
    return false;
  std::string stored = Encoded(value);
  bool quoted = stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
                stored.back() == stored.front();
  return !HasEdgeBlank(stored) && !quoted && stored.size() <= 2047;
}

}  // namespace ini_fuzzing
