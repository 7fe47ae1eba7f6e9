// Byte-string helpers. "Without regard to case" always means ASCII case folding:
// only the letters A to Z and a to z are folded, every other byte compares as it is.
#pragma once

#include <string>
#include <string_view>

namespace platform {

inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
bool StartsWithAsciiNoCase(std::string_view text, std::string_view prefix);

// Orders texts without regard to case (for sets of names the INI accessor folds).
struct AsciiNoCaseLess {
  bool operator()(std::string_view a, std::string_view b) const;
};

}  // namespace platform
