#include "talktable/USearchCriteria.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/support/TlkBytes.h"

namespace {

using sorlith::TSearchCriteria;
using tlk_bytes::Entry;

// A small table loaded from bytes; StrRef 3 is then modified and StrRef 14 added, so
// both count as new.
std::unique_ptr<TTLKFileHandler> FixedTable() {
  auto table = std::make_unique<TTLKFileHandler>();
  table->LoadFromBuffer(tlk_bytes::File({
      {"Hello there.", "vo_hello"},                   // 0
      {"HELLO"},                                      // 1
      {"HeLLo world", "VO_Greet"},                    // 2
      {"Yes"},                                        // 3
      {"yes", "snd_yes"},                             // 4
      {""},                                           // 5
      {"Day, good sir!", std::string("ab\0VOx", 6)},  // 6: ResRef bytes after a NUL
      {"goodness daylight"},                          // 7
      {"a good day"},                                 // 8
      {"\xC9lan"},                                    // 9: capital E acute
      {"\xE9lan"},                                    // 10: small e acute
      {"Wait!?"},                                     // 11
      {"the end"},                                    // 12
      {"hello", "abcdefghijklmnop"},                  // 13: a ResRef of all 16 bytes
  }));
  TTLKString* entry = table->EntryList().First();
  for (int i = 0; i < 3; ++i) entry = table->EntryList().Next();
  table->ModifyEntry(*entry);
  auto added = std::make_unique<TTLKString>();
  added->SetText("Fresh hello");
  added->SetSoundResRef({'v', 'o', '_', 'f', 'r', 'e', 's', 'h'});
  table->AddEntry(std::move(added));
  return table;
}

std::vector<uint32_t> StrRefs(const std::vector<const TTLKString*>& entries) {
  std::vector<uint32_t> strRefs;
  for (const TTLKString* entry : entries) strRefs.push_back(entry->GetStrRef());
  return strRefs;
}

struct CriteriaCase {
  const char* name;
  TSearchCriteria criteria;
  std::vector<uint32_t> expected;
};

TSearchCriteria Text(std::string text) {
  TSearchCriteria criteria;
  criteria.Text = std::move(text);
  return criteria;
}

template <typename Change>
TSearchCriteria With(TSearchCriteria criteria, Change change) {
  change(criteria);
  return criteria;
}

TEST(SearchCriteriaTest, TruthTableOverFixedTable) {
  const auto table = FixedTable();
  const std::vector<CriteriaCase> cases = {
      {"empty text lists all", {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
      {"folded substring", Text("Hello"), {0, 1, 2, 13, 14}},
      {"case sensitive", With(Text("Hello"), [](auto& c) { c.MatchCase = true; }), {0}},
      {"case sensitive small", With(Text("hello"), [](auto& c) { c.MatchCase = true; }), {13, 14}},
      {"accented letters are not folded", Text("\xE9"), {10}},
      {"accented capital", Text("\xC9LAN"), {9}},
      {"exact", With(Text("Yes"), [](auto& c) { c.ExactMatch = true; }), {3, 4}},
      {"exact with case",
       With(Text("Yes"), [](auto& c) { c.ExactMatch = c.MatchCase = true; }),
       {3}},
      {"negated substring keeps empty texts",
       With(Text("the"), [](auto& c) { c.Negate = true; }),
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14}},
      {"negated substring without blanks",
       With(Text("the"), [](auto& c) { c.Negate = c.FilterBlank = true; }),
       {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 13, 14}},
      {"negated exact",
       With(Text("yes"), [](auto& c) { c.Negate = c.ExactMatch = true; }),
       {0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
      {"words in any order", With(Text("good day"), [](auto& c) { c.WordSearch = true; }), {6, 8}},
      {"negated words fail either test",
       With(Text("good day"), [](auto& c) { c.WordSearch = c.Negate = true; }),
       {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14}},
      {"one search word compares whole texts, plus substring",
       With(Text("HELLO"), [](auto& c) { c.WordSearch = c.MatchCase = true; }),
       {1}},
      {"words with punctuation kept in a whole-text compare",
       With(Text("wait!?"), [](auto& c) { c.WordSearch = true; }),
       {11}},
      {"blank filter",
       With(TSearchCriteria{}, [](auto& c) { c.FilterBlank = true; }),
       {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
      {"sound ResRef in any case",
       With(TSearchCriteria{}, [](auto& c) { c.SoundResRef = "VO_"; }),
       {0, 2, 14}},
      {"sound ResRef ignores case sensitivity",
       With(TSearchCriteria{},
            [](auto& c) {
              c.SoundResRef = "Vo_";
              c.MatchCase = true;
            }),
       {0, 2, 14}},
      {"sound ResRef of 16 bytes",
       With(TSearchCriteria{}, [](auto& c) { c.SoundResRef = "IJKLMNOP"; }),
       {13}},
      {"any sound",
       With(TSearchCriteria{}, [](auto& c) { c.SoundSearch = true; }),
       {0, 2, 4, 6, 13, 14}},
      {"new only after an add and a modify",
       With(TSearchCriteria{}, [](auto& c) { c.FlagNew = true; }),
       {3, 14}},
      {"new only with text", With(Text("YES"), [](auto& c) { c.FlagNew = true; }), {3}},
      {"text and ResRef together",
       With(Text("hello"), [](auto& c) { c.SoundResRef = "vo"; }),
       {0, 2, 14}},
  };
  for (const CriteriaCase& row : cases)
    EXPECT_EQ(row.expected, StrRefs(sorlith::FindMatchingEntries(*table, row.criteria, 0, 14)))
        << row.name;
}

// A text search without case compares 16 places of the text at once; the needle is put
// at every place of texts of every length around those blocks (near misses too) and
// the answer compared with folding both texts and searching.
TEST(SearchCriteriaTest, ContainsWithoutCaseFindsTheTextAtEveryPlace) {
  // Bytes next to the capitals and small letters, and accented letters, are not folded.
  const std::string filler = "x@[`{\xC9\xE9Tt hE.";
  const std::vector<std::string> needles = {
      "t",  "th",  "the", "ThE EnD", "q\xE9",
      "@[", "t@e", "{`}", "\xC9LAN", "a needle longer than sixteen bytes"};
  for (const std::string& needle : needles) {
    std::string nearMiss = needle;
    nearMiss.back() = nearMiss.back() == 'z' ? 'y' : 'z';
    for (const std::string& inserted : {needle, platform::AsciiUpperCase(needle), nearMiss}) {
      for (size_t length = inserted.size(); length <= 50; ++length) {
        for (size_t at = 0; at + inserted.size() <= length; ++at) {
          std::string text;
          for (size_t i = 0; i < length; ++i) text += filler[(i * 7 + length) % filler.size()];
          text.replace(at, inserted.size(), inserted);
          TTLKString entry;
          entry.SetText(text);
          const bool expected = platform::AsciiLowerCase(text).find(
                                    platform::AsciiLowerCase(needle)) != std::string::npos;
          ASSERT_EQ(expected, sorlith::TEntryMatcher(Text(needle)).Matches(entry))
              << "\"" << needle << "\" in \"" << text << "\"";
          ASSERT_EQ(!expected,
                    sorlith::TEntryMatcher(With(Text(needle), [](auto& c) { c.Negate = true; }))
                        .Matches(entry))
              << "negated \"" << needle << "\" in \"" << text << "\"";
        }
      }
    }
  }
}

TEST(SearchCriteriaTest, WalksOnlyTheInterval) {
  const auto table = FixedTable();
  EXPECT_EQ((std::vector<uint32_t>{1, 2, 13}),
            StrRefs(sorlith::FindMatchingEntries(*table, Text("hello"), 1, 13)));
  EXPECT_EQ((std::vector<uint32_t>{14}),
            StrRefs(sorlith::FindMatchingEntries(*table, Text("hello"), 14, 14)));
}

TEST(SearchCriteriaTest, WordsMatchTable) {
  struct Case {
    const char* s;
    const char* t;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"good day", "day, good sir!", true},
      {"good day", "goodness daylight", false},
      {"good day", "a good day", true},
      {"day day", "day x", true},  // repetition does not matter
      {"a b", "b a", true},        // three characters each
      {"ab", "ab cd", false},      // a short search text compares whole
      {"ab cd", "abcd", false},    // an entry text without a blank compares whole
      {"hello", "hello", true},
      {"hello", "hello there", false},
      {"why wait!?", "wait! why", false},  // only the "?" is cut from "wait!?"
      {"why wait!?", "wait!! why", true},
      {"day.", "day.", true},
      {"   ", "x y", true},   // a search text without words
      {"x y", "   ", false},  // an entry text without words
      {"good, day.", "day good", true},
      {"good day", "Good day", false},  // no folding of its own
  };
  for (const Case& row : cases)
    EXPECT_EQ(row.expected, sorlith::WordsMatch(row.s, row.t)) << row.s << " / " << row.t;
}

TEST(SearchCriteriaTest, IntervalChecksCompareUnsigned) {
  struct Case {
    int32_t start, stop;
    uint32_t count;
    const char* message;
  };
  const std::vector<Case> cases = {
      {0, 14, 15, nullptr},
      {5, 5, 15, nullptr},
      {0, 0, 0, nullptr},  // a table without entries
      {10, 5, 15, "Invalid start value of interval to search!"},
      {-1, 5, 15, "Invalid start value of interval to search!"},
      {0, 15, 15, "Oi! Invalid end value of interval to search!"},
      {0, -1, 15, "Oi! Invalid end value of interval to search!"},
  };
  for (const Case& row : cases) {
    std::string message;
    try {
      sorlith::CheckSearchInterval(row.start, row.stop, row.count);
    } catch (const EHell& error) {
      message = error.Message();
    }
    EXPECT_EQ(row.message ? row.message : "", message) << row.start << ".." << row.stop;
  }
}

}  // namespace
