// The one boundary between the programs' single-byte texts and Qt's Unicode strings:
// Windows-1252, with the five bytes that code page leaves undefined mapped to the C1
// control characters of the same value, so that every byte survives a round trip.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/Sentence.h"

namespace platform {

QString ToQt(std::string_view bytes);
// Characters outside the code page become "?"; for texts that came from the code page.
// A text the user typed goes through ToCodePage (or StorableText, TypedText.h).
std::string FromQt(const QString& text);

// The code-page bytes of a text, or the first character (a code point) that the code
// page cannot store: nothing is replaced.
struct CodePageText {
  std::string bytes;
  char32_t unstorable = 0;
  bool Stored() const { return unstorable == 0; }
};
CodePageText ToCodePage(const QString& text);

// File paths are the file system's bytes, not code-page texts: a path chosen in a
// dialog must open the file it names, whatever characters its name holds.
QString PathToQt(std::string_view path);
std::string PathFromQt(const QString& path);
// A path as a single-byte text, for the messages and captions that name it.
std::string PathText(std::string_view path);
// A sentence as a box, caption or status text shows it: the code page outside its
// path spans, the file system's names inside them.
QString SentenceToQt(const Sentence& sentence);
QString SentenceToQt(std::string_view bytes, const std::vector<TextSpan>& pathSpans);

}  // namespace platform
