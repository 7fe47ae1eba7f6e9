#include "talktable/USearchCriteria.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "formats/UStrTok.h"
#include "platform/Text.h"

namespace sorlith {

namespace {

bool HasBlank(std::string_view text) { return text.find(' ') != std::string_view::npos; }

std::string CutTrailingPunctuation(std::string word) {
  if (!word.empty() && std::string_view("!,.?").find(word.back()) != std::string_view::npos)
    word.pop_back();
  return word;
}

std::vector<std::string> Words(std::string_view text) {
  TStringTokenizer tokenizer{std::string(text), ' '};
  std::vector<std::string> words;
  words.reserve(static_cast<size_t>(tokenizer.TokenCount()));
  for (int32_t i = 0; i < tokenizer.TokenCount(); ++i)
    words.push_back(CutTrailingPunctuation(tokenizer.GetToken(i)));
  return words;
}

// 16 text bytes, compared at once.
using Block = unsigned char __attribute__((vector_size(16)));
constexpr size_t kBlockSize = sizeof(Block);

Block LoadBlock(const char* bytes) {
  Block block;
  std::memcpy(&block, bytes, kBlockSize);
  return block;
}

Block Splat(unsigned char byte) {
  Block block;
  std::memset(&block, byte, kBlockSize);
  return block;
}

bool AnyByteSet(Block block) {
  uint64_t halves[2];
  std::memcpy(halves, &block, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

// A byte of a folded needle compared with 16 text bytes at once: a small letter also
// matches its capital (setting bit 5 makes the capital small), any other byte only
// itself.
class TFoldedByte {
 public:
  explicit TFoldedByte(char folded)
      : FValue(Splat(static_cast<unsigned char>(folded))),
        FCaseBit(Splat(folded >= 'a' && folded <= 'z' ? 0x20 : 0)) {}
  Block Matches(Block text) const { return reinterpret_cast<Block>((text | FCaseBit) == FValue); }

 private:
  Block FValue;
  Block FCaseBit;
};

bool FoldedEqualAt(std::string_view text, size_t at, std::string_view needle) {
  for (size_t i = 0; i < needle.size(); ++i)
    if (platform::AsciiLower(text[at + i]) != needle[i]) return false;
  return true;
}

// Whether `needle` (folded, not empty) stands in `text` without regard to ASCII case,
// without a folded copy of the text: 16 places are tried at once by comparing the
// needle's first and last bytes with the text there; only where both match are the
// bytes between compared.
bool ContainsFolded(std::string_view text, std::string_view needle) {
  if (needle.size() > text.size()) return false;
  const size_t lastOffset = needle.size() - 1;
  const size_t places = text.size() - lastOffset;
  if (places < kBlockSize) {
    for (size_t at = 0; at < places; ++at)
      if (FoldedEqualAt(text, at, needle)) return true;
    return false;
  }
  const TFoldedByte first(needle.front());
  const TFoldedByte last(needle.back());
  auto foundInBlock = [&](size_t at) {
    const Block hits = first.Matches(LoadBlock(text.data() + at)) &
                       last.Matches(LoadBlock(text.data() + at + lastOffset));
    if (!AnyByteSet(hits)) return false;
    for (size_t i = 0; i < kBlockSize; ++i)
      if (hits[i] != 0 && FoldedEqualAt(text, at + i, needle)) return true;
    return false;
  };
  size_t at = 0;
  for (; at + kBlockSize <= places; at += kBlockSize)
    if (foundInBlock(at)) return true;
  // The last places in a block that overlaps the one before.
  return at < places && foundInBlock(places - kBlockSize);
}

// The ResRef bytes up to the first NUL byte (all 16 when there is none).
std::string_view ResRefUpToNul(const TTLKString::ResRef& resRef) {
  std::string_view bytes(resRef.data(), resRef.size());
  return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

bool WordsMatch(std::string_view s, std::string_view t) {
  if (s.size() < 3 || t.size() < 3 || !HasBlank(s) || !HasBlank(t)) return s == t;
  const std::vector<std::string> entryWords = Words(t);
  if (entryWords.empty()) return false;
  for (const std::string& word : Words(s))
    if (std::find(entryWords.begin(), entryWords.end(), word) == entryWords.end()) return false;
  return true;
}

TEntryMatcher::TEntryMatcher(const TSearchCriteria& criteria)
    : FCriteria(criteria),
      FText(criteria.MatchCase ? criteria.Text : platform::AsciiLowerCase(criteria.Text)),
      FSoundResRef(platform::AsciiLowerCase(criteria.SoundResRef)) {}

bool TEntryMatcher::Matches(const TTLKString& entry) const {
  if (FCriteria.FilterBlank && entry.GetText().empty()) return false;
  if (FCriteria.FlagNew && !entry.GetIsNew()) return false;
  if (FCriteria.SoundSearch && entry.GetSoundResRefText().empty()) return false;
  if (!TextMatches(entry.GetText())) return false;
  return SoundResRefMatches(entry);
}

bool TEntryMatcher::TextMatches(std::string_view entryText) const {
  if (FText.empty()) return true;
  // The common search needs no folded copy of the text.
  if (!FCriteria.MatchCase && !FCriteria.WordSearch && !FCriteria.ExactMatch)
    return ContainsFolded(entryText, FText) != FCriteria.Negate;
  if (!FCriteria.MatchCase) {
    FFolded.resize(entryText.size());
    std::transform(entryText.begin(), entryText.end(), FFolded.begin(), platform::AsciiLower);
  }
  const std::string_view t = FCriteria.MatchCase ? entryText : std::string_view(FFolded);
  const bool words = FCriteria.WordSearch;
  const bool exact = FCriteria.ExactMatch;
  // A word search also lists entries that contain the whole search text (and, negated,
  // entries that fail either test): the dialog unchecks "exact" while words are on.
  const bool wordsMatch = words && WordsMatch(FText, t);
  const bool contains = !exact && t.find(FText) != std::string_view::npos;
  const bool equal = exact && t == FText;
  if (!FCriteria.Negate) return wordsMatch || contains || equal;
  return (words && !wordsMatch) || (!exact && !contains) || (exact && !equal);
}

bool TEntryMatcher::SoundResRefMatches(const TTLKString& entry) const {
  if (FSoundResRef.empty()) return true;
  const std::string resRef = platform::AsciiLowerCase(ResRefUpToNul(entry.GetSoundResRef()));
  return resRef.find(FSoundResRef) != std::string::npos;
}

void CheckSearchInterval(int32_t start, int32_t stop, uint32_t entryCount) {
  const auto first = static_cast<uint32_t>(start);
  const auto last = static_cast<uint32_t>(stop);
  if (last < first) throw EHell("Invalid start value of interval to search!");
  if (last > entryCount - 1 || last < first)
    throw EHell("Oi! Invalid end value of interval to search!");
}

std::vector<const TTLKString*> FindMatchingEntries(const TTLKFileHandler& table,
                                                   const TSearchCriteria& criteria, uint32_t start,
                                                   uint32_t stop) {
  std::vector<const TTLKString*> matches;
  ForEachMatchingEntry(table, criteria, start, stop,
                       [&](const TTLKString& entry) { matches.push_back(&entry); });
  return matches;
}

}  // namespace sorlith
