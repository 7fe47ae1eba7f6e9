#include "platform/Sentence.h"

namespace platform {

Sentence Sentence::Path(std::string_view path) {
  Sentence sentence;
  sentence.FBytes = std::string(path);
  if (!path.empty()) sentence.FPathSpans.push_back({0, path.size()});
  return sentence;
}

Sentence& Sentence::operator+=(const Sentence& other) {
  for (const TextSpan& span : other.FPathSpans)
    FPathSpans.push_back({FBytes.size() + span.offset, span.length});
  FBytes += other.FBytes;
  return *this;
}

Sentence operator+(Sentence left, const Sentence& right) {
  left += right;
  return left;
}

}  // namespace platform
