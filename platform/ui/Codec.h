// The one boundary between the programs' single-byte texts and Qt's Unicode strings:
// Windows-1252, with the five bytes that code page leaves undefined mapped to the C1
// control characters of the same value, so that every byte survives a round trip.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

QString ToQt(std::string_view bytes);
// Characters outside the code page become "?".
std::string FromQt(const QString& text);

// File paths are the file system's bytes, not code-page texts: a path chosen in a
// dialog must open the file it names, whatever characters its name holds.
QString PathToQt(std::string_view path);
std::string PathFromQt(const QString& path);
// A path as a single-byte text, for the messages and captions that name it.
std::string PathText(std::string_view path);

}  // namespace platform
