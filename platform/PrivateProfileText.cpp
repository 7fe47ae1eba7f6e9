// ProfileText: the parse of one INI file, its index, and the edits of the text rules.
#include <algorithm>
#include <stdexcept>

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

ProfileText::ProfileText(std::string content) : FBase(std::move(content)) {
  // A UTF-8 byte-order mark that an editor put in front is kept, but is no part of the
  // first line: "[Settings]" behind it is still a section line.
  if (std::string_view(FBase).substr(0, kByteOrderMark.size()) == kByteOrderMark)
    FByteOrderMarkSize = kByteOrderMark.size();
  ParseState state;
  for (size_t position = FByteOrderMarkSize; position < FBase.size();)
    position = ParseLine(position, state);
  FContentSize = FBase.size();
}

// Parses the line at `position` into a record and the index; returns where the next
// line begins.
size_t ProfileText::ParseLine(size_t position, ParseState& state) {
  const std::string_view bytes(FBase);
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
  if (kind == Kind::Other && FTail != kNone && FLines[FTail].kind() == Kind::Other) {
    // Meaningless lines in a row are one record: a file of blank lines stays small.
    FLines[FTail].SetLength(textEnd - FLines[FTail].Offset());
    FLines[FTail].SetEnding(ending);
  } else {
    const uint32_t id = AddRecord(Line(position, textEnd - position, kind, ending));
    LinkAfter(FTail, id);
    if (kind == Kind::Section) {
      ParseSectionLine(id, SectionName(trimmed), state);
    } else if (kind == Kind::Key && state.section != kNone && state.inFirstBlock) {
      IndexKey(state.section, id);
      FSections[state.section].lastKey = id;
    }
  }
  return end == std::string_view::npos ? bytes.size() : end + 1;
}

void ProfileText::ParseSectionLine(uint32_t line, std::string_view name, ParseState& state) {
  if (std::optional<uint32_t> section = FindSection(name)) {
    FLaterBlocks[*section].push_back(line);
    state.section = *section;
    state.inFirstBlock = false;
    return;
  }
  state.section = AddSection(line, NameHash(name));
  state.inFirstBlock = true;
}

// ---------------------------------------------------------------------------------------
// Lines

std::string_view ProfileText::Text(uint32_t line) const {
  return Bytes(FLines[line].Offset(), FLines[line].length);
}

std::string_view ProfileText::NameOf(uint32_t line) const {
  std::string_view trimmed = Trim(Text(line));
  if (FLines[line].kind() == Kind::Section) return SectionName(trimmed);
  return Trim(trimmed.substr(0, trimmed.find('=')));
}

std::string_view ProfileText::ValueOf(uint32_t line) const {
  std::string_view text = Text(line);
  return Unquote(Trim(text.substr(text.find('=') + 1)));
}

std::string_view ProfileText::SectionNameAt(LineId line) const {
  const std::string_view inside = Trim(Text(line)).substr(1);
  return inside.substr(0, inside.find(']'));
}

std::string_view ProfileText::KeyNameAt(LineId line) const { return NameOf(line); }

std::string_view ProfileText::StoredValueAt(LineId line) const {
  const std::string_view text = Text(line);
  return text.substr(text.find('=') + 1);
}

std::string_view ProfileText::Bytes(size_t offset, size_t length) const {
  if (offset < FBase.size()) return std::string_view(FBase).substr(offset, length);
  return FAdded.View(offset - FBase.size(), length);
}

// Adds a line's text and its ending after every other; gives its offset.
size_t ProfileText::AddText(std::string_view text, uint8_t ending) {
  return FBase.size() + FAdded.Add(text, EndingText(ending));
}

// True when the bytes at `offset` do not lie right after those before it in memory.
bool ProfileText::BeginsAPiece(size_t offset) const {
  return offset == FBase.size() ||
         (offset > FBase.size() && ChunkedText::BeginsAChunk(offset - FBase.size()));
}

// Records are not reused: a kept edit may still refer to a freed one. Their numbers stay
// below the top bit, which the key index uses as a mark.
uint32_t ProfileText::AddRecord(const Line& line) {
  if (FLines.size() >= kNone) throw std::length_error("too many INI lines");
  FLines.push_back(line);
  return static_cast<uint32_t>(FLines.size() - 1);
}

uint32_t ProfileText::NewLine(std::string_view text, Kind kind, Ending ending) {
  // The ending follows the text, so that lines added in a row are one run of bytes.
  return AddRecord(Line(AddText(text, static_cast<uint8_t>(ending)), text.size(), kind, ending));
}

void ProfileText::EndLastLine(uint32_t line) {
  // The line before a new one may have been the file's last line, without an ending.
  if (line != kNone && FLines[line].ending() == Ending::None) {
    FLines[line].SetEnding(Ending::CarriageReturnLineFeed);
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
  FContentSize += FLines[line].length + static_cast<uint8_t>(FLines[line].ending());
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
  FContentSize -= FLines[line].length + static_cast<uint8_t>(FLines[line].ending());
}

void ProfileText::Free(uint32_t line) {
  Unlink(line);
  ++FFreedLines;
}

// ---------------------------------------------------------------------------------------
// Index

uint32_t ProfileText::NameHash(std::string_view name) {
  uint64_t hash = 14695981039346656037ull;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
  return MixedHash(hash);
}

std::optional<uint32_t> ProfileText::FindSection(std::string_view name) const {
  name = Trim(name);
  const uint32_t hash = NameHash(name);
  const SectionSlot* slot = FSectionIndex.Find(hash, [&](const SectionSlot& candidate) {
    return candidate.hash == hash &&
           SameTextAscii(NameOf(FSections[candidate.Section()].firstBlock), name);
  });
  if (slot == nullptr) return std::nullopt;
  return slot->Section();
}

uint32_t ProfileText::AddSection(uint32_t sectionLine, uint32_t hash) {
  uint32_t section = static_cast<uint32_t>(FSections.size());
  if (FFreeSections.empty()) {
    FSections.emplace_back();
  } else {
    section = FFreeSections.back();
    FFreeSections.pop_back();
  }
  FSections[section] = Section{sectionLine, kNone};
  FSectionIndex.Insert(SectionSlot{hash, section}, hash, SectionSlot::HashOf);
  return section;
}

// The section has no line left: its name goes from the index and its id may serve again.
void ProfileText::DropSection(uint32_t section) {
  const std::string_view name = NameOf(FSections[section].firstBlock);
  FSectionIndex.Erase(
      FSectionIndex.Find(NameHash(name),
                         [section](const SectionSlot& slot) { return slot.Section() == section; }),
      SectionSlot::HashOf);
  FLaterBlocks.erase(section);
  FSections[section] = Section{};
  FFreeSections.push_back(section);
}

std::vector<uint32_t> ProfileText::BlocksOf(uint32_t section) const {
  std::vector<uint32_t> blocks{FSections[section].firstBlock};
  auto later = FLaterBlocks.find(section);
  if (later != FLaterBlocks.end())
    blocks.insert(blocks.end(), later->second.begin(), later->second.end());
  return blocks;
}

// The name's hash and the section's number: an odd multiple of the number, taken
// without carry into it, so that one name never gives two sections the same hash.
uint32_t ProfileText::KeyHash(uint32_t section, std::string_view name) {
  return NameHash(name) ^ (section * 0x9E3779B1u);
}

const ProfileText::KeySlot* ProfileText::FindKey(uint32_t section, std::string_view name) const {
  const uint32_t hash = KeyHash(section, name);
  return FKeys.Find(hash, [&](const KeySlot& slot) {
    return slot.hash == hash && SameTextAscii(NameOf(slot.Line()), name);
  });
}

ProfileText::KeySlot* ProfileText::FindKey(uint32_t section, std::string_view name) {
  return const_cast<KeySlot*>(std::as_const(*this).FindKey(section, name));
}

void ProfileText::IndexKey(uint32_t section, uint32_t line) {
  const std::string_view name = NameOf(line);
  if (KeySlot* slot = FindKey(section, name)) {
    slot->SetLine(slot->Line(), true);
    return;
  }
  const uint32_t hash = KeyHash(section, name);
  FKeys.Insert(KeySlot{hash, line}, hash, KeySlot::HashOf);
}

void ProfileText::UnindexBlock(uint32_t section) {
  Section& entry = FSections[section];
  for (uint32_t line = FLines[entry.firstBlock].next;
       line != kNone && FLines[line].kind() != Kind::Section; line = FLines[line].next) {
    if (FLines[line].kind() != Kind::Key) continue;
    // Of several lines of a name only the first is in the index.
    if (const KeySlot* slot = FindKey(section, NameOf(line)); slot && slot->Line() == line)
      FKeys.Erase(slot, KeySlot::HashOf);
  }
  entry.lastKey = kNone;
}

// The next key line of the same block with the name of `line`; kNone when there is none.
uint32_t ProfileText::LaterLineOfTheName(uint32_t line) const {
  const std::string_view name = NameOf(line);
  for (uint32_t later = FLines[line].next; later != kNone && FLines[later].kind() != Kind::Section;
       later = FLines[later].next) {
    if (FLines[later].kind() == Kind::Key && SameTextAscii(NameOf(later), name)) return later;
  }
  return kNone;
}

// Links a key line after the last key of the section's first block.
void ProfileText::AppendKeyToSection(uint32_t section, uint32_t line) {
  Section& entry = FSections[section];
  LinkAfter(entry.lastKey != kNone ? entry.lastKey : entry.firstBlock, line);
  entry.lastKey = line;
  IndexKey(section, line);
}

// ---------------------------------------------------------------------------------------
// Reads

std::optional<std::string_view> ProfileText::Value(std::string_view section,
                                                   std::string_view key) const {
  std::optional<uint32_t> id = FindSection(section);
  if (!id) return std::nullopt;
  const KeySlot* slot = FindKey(*id, Trim(key));
  if (slot == nullptr) return std::nullopt;
  return ValueOf(slot->Line());
}

std::vector<std::string> ProfileText::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  std::optional<uint32_t> id = FindSection(section);
  if (!id) return names;
  for (uint32_t line = FLines[FSections[*id].firstBlock].next;
       line != kNone && FLines[line].kind() != Kind::Section; line = FLines[line].next) {
    if (FLines[line].kind() != Kind::Key) continue;
    const std::string_view name = NameOf(line);
    if (FindKey(*id, name)->Line() == line) names.emplace_back(name);
  }
  return names;
}

// Lines whose bytes, ending included, follow each other in the buffer are given as one
// piece: a parsed file and lines added in a row are mostly such runs.
bool ProfileText::ForEachPiece(const std::function<bool(std::string_view)>& put) const {
  if (FByteOrderMarkSize > 0 && !put(Bytes(0, FByteOrderMarkSize))) return false;
  size_t runStart = 0;  // the bytes [runStart, runEnd) are still to be given
  size_t runEnd = 0;
  auto flush = [&] {
    const bool taken = runEnd == runStart || put(Bytes(runStart, runEnd - runStart));
    runStart = runEnd = 0;
    return taken;
  };
  for (uint32_t line = FHead; line != kNone; line = FLines[line].next) {
    const Line& record = FLines[line];
    const size_t offset = record.Offset();
    if (offset != runEnd || BeginsAPiece(offset)) {
      if (!flush()) return false;
      runStart = runEnd = offset;
    }
    runEnd = offset + record.length;
    if (record.endingFollows) {
      runEnd += static_cast<uint8_t>(record.ending());
    } else if (!flush() || !put(EndingText(static_cast<uint8_t>(record.ending())))) {
      return false;
    }
  }
  return flush();
}

std::string ProfileText::Content() const {
  std::string content;
  content.reserve(FContentSize);
  ForEachPiece([&content](std::string_view piece) {
    content.append(piece);
    return true;
  });
  return content;
}

std::string_view ProfileText::Base() {
  SettleBase();
  return FBase;
}

void ProfileText::SettleBase() {
  if (!FBaseIsContent) return;
  FBaseIsContent = false;
  if (!FChangedSinceBase) return;
  // Parsing the content again drops the records of removed lines too; it is done when
  // they have grown well beyond the file's.
  constexpr size_t kSlack = 4096;
  if (FFreedLines > FLines.size() - FFreedLines + kSlack) {
    *this = ProfileText(Content());
    return;
  }
  std::string content = Content();
  size_t offset = FByteOrderMarkSize;
  for (uint32_t line = FHead; line != kNone; line = FLines[line].next) {
    FLines[line].SetOffset(offset);
    FLines[line].endingFollows = true;
    offset += FLines[line].length + static_cast<uint8_t>(FLines[line].ending());
  }
  FBase = std::move(content);
  FAdded = ChunkedText();
  FChangedSinceBase = false;
}

// ---------------------------------------------------------------------------------------
// Edits

ProfileText::EditedLines ProfileText::SetValue(std::string_view section, std::string_view key,
                                               std::string_view value) {
  // Checked before anything changes: no line is that long.
  if (key.size() + 1 + value.size() >= Line::kLengthLimit)
    throw std::length_error("INI line beyond 512 MiB");
  SettleBase();
  FChangedSinceBase = true;
  key = Trim(key);
  std::optional<uint32_t> id = FindSection(section);
  if (id) {
    if (const KeySlot* slot = FindKey(*id, key)) {
      // The key keeps its place and its name as it stands in the file.
      const uint32_t keyLine = slot->Line();
      Line& line = FLines[keyLine];
      std::string text;
      text.reserve(NameOf(keyLine).size() + 1 + value.size());
      text.append(NameOf(keyLine)).append("=").append(value);
      FContentSize += text.size() - line.length;
      line.SetOffset(AddText(text, static_cast<uint8_t>(line.ending())));
      line.SetLength(text.size());
      line.endingFollows = true;
      return {FSections[*id].firstBlock, keyLine};
    }
  } else {
    std::string text;
    text.reserve(section.size() + 2);
    text.append("[").append(section).append("]");
    const uint32_t sectionLine = NewLine(text, Kind::Section, Ending::CarriageReturnLineFeed);
    LinkAfter(FTail, sectionLine);
    id = AddSection(sectionLine, NameHash(Trim(section)));
  }
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key).append("=").append(value);
  const uint32_t keyLine = NewLine(text, Kind::Key, Ending::CarriageReturnLineFeed);
  AppendKeyToSection(*id, keyLine);
  return {FSections[*id].firstBlock, keyLine};
}

ProfileText::EditedLines ProfileText::RemoveKey(std::string_view section, std::string_view key) {
  SettleBase();
  std::optional<uint32_t> id = FindSection(section);
  if (!id) return {};
  KeySlot* slot = FindKey(*id, Trim(key));
  if (slot == nullptr) return {};
  FChangedSinceBase = true;
  const uint32_t line = slot->Line();
  Section& owner = FSections[*id];
  if (owner.lastKey == line) {
    uint32_t before = FLines[line].prev;
    while (FLines[before].kind() != Kind::Key && FLines[before].kind() != Kind::Section)
      before = FLines[before].prev;
    owner.lastKey = FLines[before].kind() == Kind::Key ? before : kNone;
  }
  if (slot->MoreOfTheName()) {
    // A later line of the same name comes to light.
    const uint32_t later = LaterLineOfTheName(line);
    slot->SetLine(later, LaterLineOfTheName(later) != kNone);
  } else {
    FKeys.Erase(slot, KeySlot::HashOf);
  }
  Free(line);
  return {owner.firstBlock, line};
}

ProfileText::EditedLines ProfileText::RemoveSection(std::string_view section) {
  SettleBase();
  std::optional<uint32_t> id = FindSection(section);
  if (!id) return {};
  FChangedSinceBase = true;
  const uint32_t firstBlock = FSections[*id].firstBlock;
  UnindexBlock(*id);
  for (uint32_t sectionLine : BlocksOf(*id)) {
    uint32_t line = FLines[sectionLine].next;
    Free(sectionLine);
    while (line != kNone && FLines[line].kind() != Kind::Section) {
      const uint32_t next = FLines[line].next;
      // Comments stay: they may well be about what follows.
      if (FLines[line].kind() != Kind::Comment) Free(line);
      line = next;
    }
  }
  DropSection(*id);
  return {firstBlock, kNone};
}

ProfileText::EditedLines ProfileText::PutKeysFirst(std::string_view section,
                                                   const std::vector<std::string>& identifyingNames,
                                                   const ProfileKeyValues& keys) {
  SettleBase();
  FChangedSinceBase = true;
  EditedLines edited;
  const std::vector<std::string> existing = KeyNames(section);
  const bool beginsWithKeys =
      existing.size() >= keys.size() &&
      std::equal(keys.begin(), keys.end(), existing.begin(),
                 [](const auto& key, const std::string& name) { return key.first == name; });
  if (existing.empty() || beginsWithKeys) {
    for (const auto& [key, value] : keys) edited = SetValue(section, key, value);
    return {edited.section, kNone};
  }
  const uint32_t id = *FindSection(section);
  auto isIdentifying = [&](std::string_view name) {
    auto same = [name](std::string_view other) { return SameTextAscii(Trim(other), name); };
    return std::any_of(identifyingNames.begin(), identifyingNames.end(), same) ||
           std::any_of(keys.begin(), keys.end(), [&](const auto& key) { return same(key.first); });
  };
  UnindexBlock(id);
  std::vector<uint32_t> others;
  uint32_t line = FLines[FSections[id].firstBlock].next;
  while (line != kNone && FLines[line].kind() != Kind::Section) {
    const uint32_t next = FLines[line].next;
    if (FLines[line].kind() == Kind::Key) {
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
  return {FSections[id].firstBlock, kNone};
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
