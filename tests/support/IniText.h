// Texts of changes.ini as the editor writes them: lines ended by CR LF. Qt-free.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace testing_support {

// The lines, each ended by CR LF.
inline std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}
inline std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace testing_support
