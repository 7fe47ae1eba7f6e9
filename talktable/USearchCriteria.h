// The rules of Sorlith's entry search, apart from the dialog that collects them: the
// criteria, the word-by-word comparison and the walk over a talk table. Qt-free, so
// the rules are tested without a display.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "talktable/UTLKFile.h"

namespace sorlith {

// What the search dialog asks for; the texts as typed.
struct TSearchCriteria {
  std::string Text;
  std::string SoundResRef;
  bool MatchCase = false;
  bool Negate = false;
  bool ExactMatch = false;
  bool FlagNew = false;
  bool FilterBlank = false;
  bool WordSearch = false;
  bool SoundSearch = false;
};

// Whether every word of the search text `s` stands among the words of the entry text
// `t` (one trailing "!", ",", "." or "?" cut from each word). Only when both texts
// have at least 3 characters and a blank; otherwise the texts must be identical.
bool WordsMatch(std::string_view s, std::string_view t);

// The criteria prepared once for a whole search (folded search texts).
class TEntryMatcher {
 public:
  explicit TEntryMatcher(const TSearchCriteria& criteria);
  bool Matches(const TTLKString& entry) const;

 private:
  bool TextMatches(std::string_view entryText) const;
  bool SoundResRefMatches(const TTLKString& entry) const;

  TSearchCriteria FCriteria;
  std::string FText;
  std::string FSoundResRef;
  // The entry text folded to lower case; one buffer for the whole walk.
  mutable std::string FFolded;
};

// Refuses an interval whose stop lies before its start or past the last StrRef,
// both compared as unsigned 32-bit numbers (a negative number counts as very large).
void CheckSearchInterval(int32_t start, int32_t stop, uint32_t entryCount);

// Calls `listed` with each entry with a StrRef from start to stop (unsigned) that meets
// the criteria, in StrRef order, while its text is still in the cache. The walk ends at
// the first entry past stop.
template <class Listed>
void ForEachMatchingEntry(const TTLKFileHandler& table, const TSearchCriteria& criteria,
                          uint32_t start, uint32_t stop, Listed&& listed) {
  const TEntryMatcher matcher(criteria);
  for (const TStringData* node = table.EntryList().FirstNode(); node; node = node->GetNextNode()) {
    // The walk waits on memory: the next entry's text and the one after's entry are
    // asked for while this entry is compared.
    if (const TStringData* next = node->GetNextNode()) {
      __builtin_prefetch(next->GetEntry()->GetText().data());
      if (const TStringData* after = next->GetNextNode()) __builtin_prefetch(after->GetEntry());
    }
    const TTLKString& entry = *node->GetEntry();
    if (entry.GetStrRef() > stop) break;
    if (entry.GetStrRef() >= start && matcher.Matches(entry)) listed(entry);
  }
}

// The entries ForEachMatchingEntry visits.
std::vector<const TTLKString*> FindMatchingEntries(const TTLKFileHandler& table,
                                                   const TSearchCriteria& criteria, uint32_t start,
                                                   uint32_t stop);

}  // namespace sorlith
