// Common text routines shared by both programs: find and replace in single-byte
// texts, the tests of whether a text is a number of a given form, and the folder picker.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The 1-based position of the first occurrence of `pattern` in `text` that begins at
// position `offset` + 1 or later; 0 when there is none (also for an empty pattern).
size_t FindNextFrom(std::string_view pattern, std::string_view text, size_t offset);

// Every occurrence of `pattern` replaced by `replacement`, searching on after each
// inserted replacement. An empty pattern leaves the text as it is.
std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement);

// Not empty, and every character a digit "0" to "9".
bool IsAllDigits(std::string_view text);
// Not empty, first character "-" or a digit, the others digits, at least one digit.
bool IsIntegerText(std::string_view text);
// Not empty, first character "-" or a digit, then digits, "," or ".", last a digit.
bool IsDecimalText(std::string_view text);

// A modal folder chooser centred on the desktop: the chosen folder's full path, or an
// empty text when the user cancels.
std::string SelectFolderDialog(const std::string& title, uint32_t browseFlags);
