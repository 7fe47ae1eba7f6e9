#include "formats/UKV_Common.h"

#include "platform/FolderPicker.h"

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

size_t FindNextFrom(std::string_view pattern, std::string_view text, size_t offset) {
  if (pattern.empty() || offset >= text.size()) return 0;
  size_t found = text.find(pattern, offset);
  return found == std::string_view::npos ? 0 : found + 1;
}

std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement) {
  if (pattern.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  size_t start = 0;
  for (size_t found; (found = text.find(pattern, start)) != std::string_view::npos;
       start = found + pattern.size()) {
    result.append(text, start, found - start);
    result.append(replacement);
  }
  result.append(text, start);
  return result;
}

bool IsAllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!IsDigit(c)) return false;
  return true;
}

bool IsIntegerText(std::string_view text) {
  if (text.empty()) return false;
  if (text[0] == '-') text.remove_prefix(1);
  return IsAllDigits(text);
}

bool IsDecimalText(std::string_view text) {
  if (text.empty() || !(text[0] == '-' || IsDigit(text[0])) || !IsDigit(text.back())) return false;
  for (size_t i = 1; i + 1 < text.size(); ++i)
    if (!IsDigit(text[i]) && text[i] != ',' && text[i] != '.') return false;
  return true;
}

std::string SelectFolderDialog(const std::string& title, uint32_t browseFlags) {
  platform::FolderPicker* picker = platform::CurrentFolderPicker();
  return picker ? picker->PickFolder(title, browseFlags) : std::string();
}
