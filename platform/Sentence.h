// A text the programs show, kept as code-page (Windows-1252) bytes in which some spans
// are the file system's bytes instead: a path, or a character the code page lacks. A
// box, caption or status text decodes each part by its own rule, so that neither a
// path nor the sentence around it is garbled; Bytes() is the plain concatenation.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct TextSpan {
  size_t offset = 0;
  size_t length = 0;
  bool operator==(const TextSpan&) const = default;
};

class Sentence {
 public:
  Sentence() = default;
  Sentence(std::string text) : FBytes(std::move(text)) {}  // NOLINT: code-page text
  Sentence(const char* text) : FBytes(text) {}             // NOLINT: code-page text
  // A path as the file system names it (its bytes, UTF-8 here).
  static Sentence Path(std::string_view path);

  Sentence& operator+=(const Sentence& other);
  const std::string& Bytes() const { return FBytes; }
  const std::vector<TextSpan>& PathSpans() const { return FPathSpans; }

 private:
  std::string FBytes;
  std::vector<TextSpan> FPathSpans;
};

Sentence operator+(Sentence left, const Sentence& right);

}  // namespace platform
