// Padding a talk table with blank entries and appending the entries of another one.
#include <gtest/gtest.h>

#include <functional>

#include "talktable/UTLKFile.h"
#include "tests/support/Raises.h"
#include "tests/support/TlkBytes.h"

namespace {

using tlk_bytes::Entry;

std::string Message(const std::function<void()>& action) {
  return testing_support::RaisedMessage<EHell>(action).value_or("(no EHell)");
}

// A loaded table of `count` entries with texts "t0", "t1", ...
std::unique_ptr<TTLKFileHandler> TableOf(uint32_t count, const std::string& prefix = "t") {
  std::vector<Entry> entries;
  for (uint32_t i = 0; i < count; ++i)
    entries.emplace_back(prefix + std::to_string(i), "snd" + std::to_string(i), 7, i, 2 * i, 1.5f);
  auto table = std::make_unique<TTLKFileHandler>();
  table->LoadFromBuffer(tlk_bytes::File(entries, 3));
  return table;
}

// Checks the list against EntryCount: StrRef = position, links in both directions.
void ExpectConsistent(TTLKFileHandler& table) {
  const TStringDataList& list = table.EntryList();
  ASSERT_EQ(int64_t{table.EntryCount()}, list.Count());
  uint32_t position = 0;
  const TStringData* previous = nullptr;
  for (const TStringData* node = list.FirstNode(); node; node = node->GetNextNode(), ++position) {
    EXPECT_EQ(position, node->GetEntry()->GetStrRef());
    EXPECT_EQ(previous, node->GetPrevNode());
    previous = node;
  }
  EXPECT_EQ(previous, list.LastNode());
  EXPECT_EQ(table.EntryCount(), position);
}

const char* const kTooLow =
    "Invalid StrRef specified! You must specify a number at least 2 bigger than the current last "
    "StrRef!";
const char* const kTooHigh =
    "Invalid StrRef specified! You must specify a number no bigger than 16777215!";

TEST(PadToStrRefTest, AddsBlankEntriesUpToTheTarget) {
  struct Case {
    uint32_t entries;
    int64_t target;
    const char* refusal;  // null: accepted
  };
  const Case cases[] = {
      {1000, 1001, nullptr}, {1000, 5000, nullptr},   {1, 2, nullptr},
      {1000, 1000, kTooLow}, {1000, 999, kTooLow},    {1000, 0, kTooLow},
      {1000, -5, kTooLow},   {5, 16777216, kTooHigh}, {5, int64_t{1} << 40, kTooHigh},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.entries) + " padded to " + std::to_string(c.target));
    auto table = TableOf(c.entries);
    if (c.refusal) {
      EXPECT_EQ(c.refusal, Message([&] { table->PadToStrRef(c.target); }));
      EXPECT_EQ(c.entries, table->EntryCount());
      EXPECT_FALSE(table->Modified());
      continue;
    }
    EXPECT_EQ(c.target - c.entries, table->PadToStrRef(c.target));
    EXPECT_EQ(c.target, table->EntryCount());
    EXPECT_TRUE(table->Modified());
    ExpectConsistent(*table);
  }
}

TEST(PadToStrRefTest, BlankEntriesAreNewAndEmptyAndSaveAsSuch) {
  auto table = TableOf(2);
  ASSERT_EQ(3u, table->PadToStrRef(5));
  TTLKString* entry = table->EntryList().First();
  EXPECT_FALSE(entry->GetIsNew());
  entry = table->EntryList().Next();
  for (uint32_t strRef = 2; strRef < 5; ++strRef) {
    entry = table->EntryList().Next();
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(strRef, entry->GetStrRef());
    EXPECT_TRUE(entry->GetIsNew());
    EXPECT_EQ(0u, entry->GetFlags());
    EXPECT_EQ("", entry->GetSoundResRefText());
    EXPECT_EQ(TTLKString::ResRef{}, entry->GetSoundResRef());
    EXPECT_EQ(0u, entry->GetVolumeVariance());
    EXPECT_EQ(0u, entry->GetPitchVariance());
    EXPECT_EQ(0u, entry->GetSize());
    EXPECT_EQ(0.0f, entry->GetSoundLength());
    EXPECT_EQ("", entry->GetText());
  }
  // The next entry added gets the target as its StrRef.
  table->AddEntry(std::make_unique<TTLKString>());
  EXPECT_EQ(5u, table->EntryList().Current()->GetStrRef());

  const std::string saved = table->SaveToBuffer();
  const std::string blank = tlk_bytes::Record(0, "", 0, 0, 0, 0, 0);
  for (size_t strRef = 2; strRef < 6; ++strRef)
    EXPECT_EQ(blank, saved.substr(20 + 40 * strRef, 40)) << strRef;
}

TEST(PadToStrRefTest, PadsANewEmptyTable) {
  TTLKFileHandler table;
  table.NewFile();
  EXPECT_EQ(1u, table.PadToStrRef(1));
  ExpectConsistent(table);
  TTLKFileHandler closed;
  EXPECT_EQ("Unable to add new entry. No TLK file is open!",
            Message([&] { closed.PadToStrRef(4); }));
}

TEST(AppendEntriesOfTest, CopiesEveryEntryToTheEnd) {
  struct Case {
    uint32_t target;
    uint32_t appended;
  };
  for (const Case& c : {Case{10, 5}, Case{10000, 5}, Case{1, 1}, Case{0, 3}}) {
    SCOPED_TRACE(std::to_string(c.appended) + " onto " + std::to_string(c.target));
    auto table = c.target ? TableOf(c.target) : std::make_unique<TTLKFileHandler>();
    if (!c.target) table->NewFile();
    auto other = TableOf(c.appended, "other");
    EXPECT_EQ(c.appended, table->AppendEntriesOf(*other));
    EXPECT_EQ(c.target + c.appended, table->EntryCount());
    EXPECT_TRUE(table->Modified());
    ExpectConsistent(*table);
    // The copies keep every field but their number; the source stays as it was.
    const TStringData* copy = table->EntryList().LastNode();
    const TStringData* source = other->EntryList().LastNode();
    for (uint32_t i = c.appended; i-- > 0;
         copy = copy->GetPrevNode(), source = source->GetPrevNode()) {
      const TTLKString& a = *copy->GetEntry();
      const TTLKString& b = *source->GetEntry();
      EXPECT_NE(&a, &b);
      EXPECT_EQ(c.target + i, a.GetStrRef());
      EXPECT_EQ(i, b.GetStrRef());
      EXPECT_TRUE(a.GetIsNew());
      EXPECT_FALSE(b.GetIsNew());
      EXPECT_EQ(b.GetText(), a.GetText());
      EXPECT_EQ(b.GetFlags(), a.GetFlags());
      EXPECT_EQ(b.GetSoundResRef(), a.GetSoundResRef());
      EXPECT_EQ(b.GetVolumeVariance(), a.GetVolumeVariance());
      EXPECT_EQ(b.GetPitchVariance(), a.GetPitchVariance());
      EXPECT_EQ(b.GetSoundLength(), a.GetSoundLength());
      EXPECT_EQ(b.GetText().size(), a.GetSize());
    }
    EXPECT_EQ(c.appended, other->EntryCount());
    ExpectConsistent(*other);
  }
}

TEST(AppendEntriesOfTest, AppendingATableToItselfDoublesIt) {
  auto table = TableOf(3);
  EXPECT_EQ(3u, table->AppendEntriesOf(*table));
  ExpectConsistent(*table);
  std::vector<std::string> texts;
  for (TTLKString* e = table->EntryList().First(); e; e = table->EntryList().Next())
    texts.emplace_back(e->GetText());
  EXPECT_EQ((std::vector<std::string>{"t0", "t1", "t2", "t0", "t1", "t2"}), texts);
}

TEST(AppendEntriesOfTest, AClosedTableIsRefused) {
  TTLKFileHandler closed;
  auto other = TableOf(2);
  EXPECT_EQ("Unable to add new entry. No TLK file is open!",
            Message([&] { closed.AppendEntriesOf(*other); }));
  EXPECT_EQ(0u, closed.EntryCount());
  EXPECT_TRUE(closed.EntryList().IsEmpty());
}

TEST(AppendListTest, MovesAllNodesAndLeavesTheSourceEmpty) {
  TStringDataList list;
  TStringDataList other;
  list.AppendList(other);
  EXPECT_TRUE(list.IsEmpty());
  other.Add(std::make_unique<TTLKString>());
  other.Add(std::make_unique<TTLKString>());
  list.AppendList(other);
  EXPECT_EQ(2, list.Count());
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_EQ(0, other.Count());
  EXPECT_EQ(nullptr, other.First());
  EXPECT_EQ(list.LastNode(), list.CurrentNode());
  EXPECT_EQ(list.FirstNode(), list.LastNode()->GetPrevNode());
}

}  // namespace
