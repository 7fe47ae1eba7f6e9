#include "talktable/USearchCriteria.h"

#include <algorithm>

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
  const bool contains = !exact && t.find(FText) != std::string::npos;
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
  const TEntryMatcher matcher(criteria);
  std::vector<const TTLKString*> matches;
  for (const TStringData* node = table.EntryList().FirstNode(); node; node = node->GetNextNode()) {
    const TTLKString& entry = *node->GetEntry();
    if (entry.GetStrRef() > stop) break;
    if (entry.GetStrRef() >= start && matcher.Matches(entry)) matches.push_back(&entry);
  }
  return matches;
}

}  // namespace sorlith
