// ProfileText: the parse of one INI file, its index, and the edits of the text rules.
#include <algorithm>

#include "platform/PrivateProfile.h"
#include "platform/Text.h"

namespace platform {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// The name of a section line: after the "[", up to the first "]" or the line's end.
std::string_view SectionName(std::string_view trimmed) {
  std::string_view inside = trimmed.substr(1);
  return Trim(inside.substr(0, inside.find(']')));
}

ProfileTextKind KindOfLine(std::string_view trimmed) {
  if (!trimmed.empty() && trimmed.front() == '[') return ProfileTextKind::Section;
  if (!trimmed.empty() && trimmed.front() == ';') return ProfileTextKind::Comment;
  if (trimmed.find('=') != std::string_view::npos) return ProfileTextKind::Key;
  return ProfileTextKind::Other;
}

std::string_view EndingText(uint8_t ending) {
  static constexpr std::string_view kTexts[] = {"", "\n", "\r\n"};
  return kTexts[ending];
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) { return Trim(text); }

ProfileText::ProfileText(std::string content) : FBytes(std::move(content)) {
  FBaseSize = FBytes.size();
  // A UTF-8 byte-order mark that an editor put in front is kept, but is no part of the
  // first line: "[Settings]" behind it is still a section line.
  if (std::string_view(FBytes).substr(0, kByteOrderMark.size()) == kByteOrderMark)
    FByteOrderMarkSize = kByteOrderMark.size();
  ParseState state;
  for (size_t position = FByteOrderMarkSize; position < FBytes.size();)
    position = ParseLine(position, state);
  FContentSize = FBytes.size();
}

// Parses the line at `position` into a record and the index; returns where the next
// line begins.
size_t ProfileText::ParseLine(size_t position, ParseState& state) {
  const std::string_view bytes(FBytes);
  const size_t end = bytes.find('\n', position);
  Ending ending = Ending::None;
  size_t textEnd = bytes.size();
  if (end != std::string_view::npos) {
    const bool crlf = end > position && bytes[end - 1] == '\r';
    ending = crlf ? Ending::CarriageReturnLineFeed : Ending::LineFeed;
    textEnd = end - (crlf ? 1 : 0);
  }
  const std::string_view trimmed = Trim(bytes.substr(position, textEnd - position));
  const Kind kind = KindOfLine(trimmed);
  if (kind == Kind::Other && FTail != kNone && FLines[FTail].kind == Kind::Other) {
    // Meaningless lines in a row are one record: a file of blank lines stays small.
    FLines[FTail].length = static_cast<uint32_t>(textEnd - FLines[FTail].offset);
    FLines[FTail].ending = ending;
  } else {
    FLines.push_back(
        Line{position, static_cast<uint32_t>(textEnd - position), kNone, kNone, kind, ending});
    const uint32_t id = static_cast<uint32_t>(FLines.size() - 1);
    LinkAfter(FTail, id);
    if (kind == Kind::Section) {
      state.section = SectionId(AsciiLowerCase(SectionName(trimmed)));
      FSections[state.section].blocks.push_back(id);
      state.inFirstBlock = FSections[state.section].blocks.size() == 1;
    } else if (kind == Kind::Key && state.section != kNone && state.inFirstBlock) {
      IndexKey(state.section, id);
      FSections[state.section].lastKey = id;
    }
  }
  return end == std::string_view::npos ? bytes.size() : end + 1;
}

// ---------------------------------------------------------------------------------------
// Lines

std::string_view ProfileText::Text(uint32_t line) const {
  return std::string_view(FBytes).substr(FLines[line].offset, FLines[line].length);
}

std::string_view ProfileText::NameOf(uint32_t line) const {
  std::string_view trimmed = Trim(Text(line));
  if (FLines[line].kind == Kind::Section) return SectionName(trimmed);
  return Trim(trimmed.substr(0, trimmed.find('=')));
}

std::string_view ProfileText::ValueOf(uint32_t line) const {
  std::string_view text = Text(line);
  return Unquote(Trim(text.substr(text.find('=') + 1)));
}

uint32_t ProfileText::NewLine(std::string_view text, Kind kind, Ending ending) {
  Line line{FBytes.size(), static_cast<uint32_t>(text.size()), kNone, kNone, kind, ending};
  // The ending follows the text, so that lines added in a row are one run of bytes.
  FBytes.append(text).append(EndingText(static_cast<uint8_t>(ending)));
  if (!FFreeLines.empty()) {
    const uint32_t id = FFreeLines.back();
    FFreeLines.pop_back();
    FLines[id] = line;
    return id;
  }
  FLines.push_back(line);
  return static_cast<uint32_t>(FLines.size() - 1);
}

void ProfileText::EndLastLine(uint32_t line) {
  // The line before a new one may have been the file's last line, without an ending.
  if (line != kNone && FLines[line].ending == Ending::None) {
    FLines[line].ending = Ending::CarriageReturnLineFeed;
    FLines[line].endingFollows = false;
    FContentSize += static_cast<uint8_t>(Ending::CarriageReturnLineFeed);
  }
}

void ProfileText::LinkAfter(uint32_t after, uint32_t line) {
  EndLastLine(after);
  const uint32_t next = after == kNone ? FHead : FLines[after].next;
  FLines[line].prev = after;
  FLines[line].next = next;
  if (after == kNone)
    FHead = line;
  else
    FLines[after].next = line;
  if (next == kNone)
    FTail = line;
  else
    FLines[next].prev = line;
  FContentSize += FLines[line].length + static_cast<uint8_t>(FLines[line].ending);
}

void ProfileText::Unlink(uint32_t line) {
  const uint32_t prev = FLines[line].prev;
  const uint32_t next = FLines[line].next;
  if (prev == kNone)
    FHead = next;
  else
    FLines[prev].next = next;
  if (next == kNone)
    FTail = prev;
  else
    FLines[next].prev = prev;
  FLines[line].prev = FLines[line].next = kNone;
  FContentSize -= FLines[line].length + static_cast<uint8_t>(FLines[line].ending);
}

void ProfileText::Free(uint32_t line) {
  Unlink(line);
  FFreeLines.push_back(line);
}

// ---------------------------------------------------------------------------------------
// Index

uint32_t ProfileText::SectionId(std::string_view foldedName) {
  auto [where, added] =
      FSectionIds.try_emplace(std::string(foldedName), static_cast<uint32_t>(FSections.size()));
  if (added) FSections.emplace_back();
  return where->second;
}

std::optional<uint32_t> ProfileText::FindSection(std::string_view name) const {
  auto where = FSectionIds.find(AsciiLowerCase(Trim(name)));
  if (where == FSectionIds.end()) return std::nullopt;
  return where->second;
}

std::optional<uint32_t> ProfileText::FirstBlockOf(std::string_view name) const {
  std::optional<uint32_t> section = FindSection(name);
  if (!section || FSections[*section].blocks.empty()) return std::nullopt;
  return FSections[*section].blocks.front();
}

uint64_t ProfileText::KeyHash(uint32_t section, std::string_view name) {
  uint64_t hash = 14695981039346656037ull ^ section;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
  return hash;
}

const ProfileText::KeyEntry* ProfileText::FindKey(uint32_t section, std::string_view name) const {
  auto [first, last] = FKeys.equal_range(KeyHash(section, name));
  for (auto it = first; it != last; ++it) {
    if (it->second.section == section && SameTextAscii(NameOf(it->second.line), name))
      return &it->second;
  }
  return nullptr;
}

ProfileText::KeyEntry* ProfileText::FindKey(uint32_t section, std::string_view name) {
  return const_cast<KeyEntry*>(std::as_const(*this).FindKey(section, name));
}

void ProfileText::IndexKey(uint32_t section, uint32_t line) {
  const std::string_view name = NameOf(line);
  if (KeyEntry* entry = FindKey(section, name)) {
    ++entry->count;
    return;
  }
  FKeys.emplace(KeyHash(section, name), KeyEntry{section, line, 1});
}

void ProfileText::UnindexBlock(uint32_t section) {
  Section& entry = FSections[section];
  if (entry.blocks.empty()) return;
  for (uint32_t line = FLines[entry.blocks.front()].next;
       line != kNone && FLines[line].kind != Kind::Section; line = FLines[line].next) {
    if (FLines[line].kind != Kind::Key) continue;
    const std::string_view name = NameOf(line);
    auto [first, last] = FKeys.equal_range(KeyHash(section, name));
    for (auto it = first; it != last; ++it) {
      if (it->second.section == section && SameTextAscii(NameOf(it->second.line), name)) {
        FKeys.erase(it);
        break;
      }
    }
  }
  entry.lastKey = kNone;
}

// Links a key line after the last key of the section's first block.
void ProfileText::AppendKeyToSection(uint32_t section, uint32_t line) {
  Section& entry = FSections[section];
  LinkAfter(entry.lastKey != kNone ? entry.lastKey : entry.blocks.front(), line);
  entry.lastKey = line;
  IndexKey(section, line);
}

// ---------------------------------------------------------------------------------------
// Reads

std::optional<std::string_view> ProfileText::Value(std::string_view section,
                                                   std::string_view key) const {
  std::optional<uint32_t> id = FindSection(section);
  if (!id) return std::nullopt;
  const KeyEntry* entry = FindKey(*id, Trim(key));
  if (entry == nullptr) return std::nullopt;
  return ValueOf(entry->line);
}

std::vector<std::string> ProfileText::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  std::optional<uint32_t> id = FindSection(section);
  if (!id || FSections[*id].blocks.empty()) return names;
  for (uint32_t line = FLines[FSections[*id].blocks.front()].next;
       line != kNone && FLines[line].kind != Kind::Section; line = FLines[line].next) {
    if (FLines[line].kind != Kind::Key) continue;
    const std::string_view name = NameOf(line);
    if (FindKey(*id, name)->line == line) names.emplace_back(name);
  }
  return names;
}

// Lines whose bytes, ending included, follow each other in the buffer are copied in one
// piece: a parsed file and lines added in a row are mostly such runs.
std::string ProfileText::Content() const {
  std::string content;
  // Every text is in the buffer with its ending, but for a last line that was given one.
  content.reserve(FBytes.size() + 2);
  content.append(FBytes, 0, FByteOrderMarkSize);
  const std::string_view bytes(FBytes);
  size_t runStart = 0;  // the bytes [runStart, runEnd) are still to be copied
  size_t runEnd = 0;
  auto flush = [&] {
    content.append(bytes.substr(runStart, runEnd - runStart));
    runStart = runEnd = 0;
  };
  for (uint32_t line = FHead; line != kNone; line = FLines[line].next) {
    const Line& record = FLines[line];
    if (record.offset != runEnd) {
      flush();
      runStart = runEnd = record.offset;
    }
    runEnd = record.offset + record.length;
    if (record.endingFollows) {
      runEnd += static_cast<uint8_t>(record.ending);
    } else {
      flush();
      content.append(EndingText(static_cast<uint8_t>(record.ending)));
    }
  }
  flush();
  return content;
}

std::string_view ProfileText::Base() const {
  if (!FWritten.empty()) return FWritten;
  return std::string_view(FBytes).substr(0, FBaseSize);
}

void ProfileText::AdoptContent(std::string content) {
  // Moving every line into the written bytes costs a walk over all lines; it is done when
  // the buffer has grown well beyond the file.
  constexpr size_t kSlack = 4096;
  FContentSize = content.size();
  if (FBytes.size() <= 2 * content.size() + kSlack) {
    FWritten = std::move(content);
    FBaseSize = 0;
    return;
  }
  FWritten = std::string();
  size_t offset = FByteOrderMarkSize;
  for (uint32_t line = FHead; line != kNone; line = FLines[line].next) {
    FLines[line].offset = offset;
    FLines[line].endingFollows = true;
    offset += FLines[line].length + static_cast<uint8_t>(FLines[line].ending);
  }
  FBytes = std::move(content);
  FBaseSize = FBytes.size();
}

// ---------------------------------------------------------------------------------------
// Edits

void ProfileText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  key = Trim(key);
  std::optional<uint32_t> id = FindSection(section);
  if (id && !FSections[*id].blocks.empty()) {
    if (const KeyEntry* entry = FindKey(*id, key)) {
      // The key keeps its place and its name as it stands in the file.
      Line& line = FLines[entry->line];
      std::string text;
      text.reserve(NameOf(entry->line).size() + 1 + value.size());
      text.append(NameOf(entry->line)).append("=").append(value);
      FContentSize += text.size() - line.length;
      line.offset = FBytes.size();
      line.length = static_cast<uint32_t>(text.size());
      FBytes.append(text).append(EndingText(static_cast<uint8_t>(line.ending)));
      line.endingFollows = true;
      return;
    }
  } else {
    std::string text;
    text.reserve(section.size() + 2);
    text.append("[").append(section).append("]");
    const uint32_t sectionLine = NewLine(text, Kind::Section, Ending::CarriageReturnLineFeed);
    LinkAfter(FTail, sectionLine);
    id = SectionId(AsciiLowerCase(Trim(section)));
    FSections[*id].blocks.push_back(sectionLine);
  }
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key).append("=").append(value);
  AppendKeyToSection(*id, NewLine(text, Kind::Key, Ending::CarriageReturnLineFeed));
}

bool ProfileText::RemoveKey(std::string_view section, std::string_view key) {
  std::optional<uint32_t> id = FindSection(section);
  if (!id) return false;
  KeyEntry* entry = FindKey(*id, Trim(key));
  if (entry == nullptr) return false;
  const uint32_t line = entry->line;
  Section& owner = FSections[*id];
  if (owner.lastKey == line) {
    uint32_t before = FLines[line].prev;
    while (FLines[before].kind != Kind::Key && FLines[before].kind != Kind::Section)
      before = FLines[before].prev;
    owner.lastKey = FLines[before].kind == Kind::Key ? before : kNone;
  }
  if (entry->count > 1) {
    // A later line of the same name comes to light.
    uint32_t later = FLines[line].next;
    while (FLines[later].kind != Kind::Key || !SameTextAscii(NameOf(later), NameOf(line)))
      later = FLines[later].next;
    entry->line = later;
    --entry->count;
  } else {
    auto [first, last] = FKeys.equal_range(KeyHash(*id, NameOf(line)));
    for (auto it = first; it != last; ++it) {
      if (&it->second == entry) {
        FKeys.erase(it);
        break;
      }
    }
  }
  Free(line);
  return true;
}

bool ProfileText::RemoveSection(std::string_view section) {
  std::optional<uint32_t> id = FindSection(section);
  if (!id || FSections[*id].blocks.empty()) return false;
  UnindexBlock(*id);
  for (uint32_t sectionLine : FSections[*id].blocks) {
    uint32_t line = FLines[sectionLine].next;
    Free(sectionLine);
    while (line != kNone && FLines[line].kind != Kind::Section) {
      const uint32_t next = FLines[line].next;
      // Comments stay: they may well be about what follows.
      if (FLines[line].kind != Kind::Comment) Free(line);
      line = next;
    }
  }
  FSections[*id].blocks.clear();
  return true;
}

void ProfileText::PutKeysFirst(std::string_view section,
                               const std::vector<std::string>& identifyingNames,
                               const ProfileKeyValues& keys) {
  const std::vector<std::string> existing = KeyNames(section);
  const bool beginsWithKeys =
      existing.size() >= keys.size() &&
      std::equal(keys.begin(), keys.end(), existing.begin(),
                 [](const auto& key, const std::string& name) { return key.first == name; });
  if (existing.empty() || beginsWithKeys) {
    for (const auto& [key, value] : keys) SetValue(section, key, value);
    return;
  }
  const uint32_t id = *FindSection(section);
  auto isIdentifying = [&](std::string_view name) {
    auto same = [name](std::string_view other) { return SameTextAscii(Trim(other), name); };
    return std::any_of(identifyingNames.begin(), identifyingNames.end(), same) ||
           std::any_of(keys.begin(), keys.end(), [&](const auto& key) { return same(key.first); });
  };
  UnindexBlock(id);
  std::vector<uint32_t> others;
  uint32_t line = FLines[FSections[id].blocks.front()].next;
  while (line != kNone && FLines[line].kind != Kind::Section) {
    const uint32_t next = FLines[line].next;
    if (FLines[line].kind == Kind::Key) {
      if (isIdentifying(NameOf(line))) {
        Free(line);
      } else {
        Unlink(line);
        others.push_back(line);
      }
    }
    line = next;
  }
  for (const auto& [key, value] : keys) SetValue(section, key, value);
  for (uint32_t other : others) AppendKeyToSection(id, other);
}

// ---------------------------------------------------------------------------------------
// Names that can be written

namespace {

std::optional<std::string> CommonNameProblem(std::string_view name) {
  if (name.find_first_of("\r\n") != std::string_view::npos) return "it holds a line break";
  if (name.find('\0') != std::string_view::npos) return "it holds a zero byte";
  return std::nullopt;
}

std::string Refusal(std::string_view what, std::string_view name, std::string_view problem) {
  return "The " + std::string(what) + " \"" + std::string(name) +
         "\" cannot be stored in an INI file: " + std::string(problem) + ".";
}

std::optional<std::string> KeyNameProblem(std::string_view name) {
  if (std::optional<std::string> problem = CommonNameProblem(name)) return problem;
  if (name.find('=') != std::string_view::npos) return "it holds \"=\"";
  const std::string_view trimmed = Trim(name);
  if (!trimmed.empty() && trimmed.front() == ';') return "it begins with \";\"";
  if (!trimmed.empty() && trimmed.front() == '[') return "it begins with \"[\"";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> UnwritableKeyReason(std::string_view name) {
  std::optional<std::string> problem = KeyNameProblem(name);
  if (!problem) return std::nullopt;
  return Refusal("key name", name, *problem);
}

std::optional<std::string> UnwritableSectionReason(std::string_view name) {
  std::optional<std::string> problem = CommonNameProblem(name);
  if (!problem && name.find(']') != std::string_view::npos) problem = "it holds \"]\"";
  if (!problem) return std::nullopt;
  return Refusal("section name", name, *problem);
}

std::string HoldableSectionName(std::string_view name) {
  std::string holdable(name);
  for (char& c : holdable) {
    if (c == ']' || c == '\r' || c == '\n' || c == '\0') c = '_';
  }
  return std::string(Trim(holdable));
}

std::optional<std::string> StoredValueReadBackProblem(std::string_view stored) {
  const std::string_view trimmed = Trim(stored);
  if (trimmed.size() != stored.size()) return "blanks at either end are not read back";
  if (Unquote(trimmed).size() != trimmed.size()) return "its enclosing quotes are not read back";
  return std::nullopt;
}

}  // namespace platform
