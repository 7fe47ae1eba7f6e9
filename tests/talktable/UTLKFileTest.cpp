#include "talktable/UTLKFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/Files.h"
#include "tests/support/Raises.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TlkBytes.h"

namespace {

namespace fs = std::filesystem;
using tlk_bytes::Entry;

class TlkFileTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return scratch.PathOf(name); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    return scratch.Write(name, bytes);
  }

  testing_support::ScratchFolder scratch;
  fs::path FFolder{scratch.Path()};
};

std::vector<std::string> Texts(TTLKFileHandler& table) {
  std::vector<std::string> texts;
  for (TTLKString* entry = table.EntryList().First(); entry; entry = table.EntryList().Next())
    texts.emplace_back(entry->GetText());
  return texts;
}

std::string Message(const std::function<void()>& action) {
  return testing_support::RaisedMessage<EHell>(action).value_or("(no EHell)");
}

TEST_F(TlkFileTest, LoadsEveryFieldOfEveryRecord) {
  Entry first{"Hello there.", "vo_hello", 7, 3, 4, 1.5f};
  Entry empty{"", "", 1};
  Entry third{"General Kenobi!", std::string("ab\0cd", 5), 2, 0, 9, 0.25f};
  TTLKFileHandler table(Write("a.tlk", tlk_bytes::File({first, empty, third}, 3)));

  EXPECT_TRUE(table.IsOpen());
  EXPECT_FALSE(table.Modified());
  EXPECT_EQ("TLK ", table.FileType());
  EXPECT_EQ("V3.0", table.FileVersion());
  EXPECT_EQ(3u, table.LanguageId());
  EXPECT_EQ(3u, table.EntryCount());
  EXPECT_EQ(3, table.EntryList().Count());
  EXPECT_EQ(140u, table.StringDataOffset());
  EXPECT_EQ(PathOf("a.tlk"), table.FileName());
  EXPECT_EQ((std::vector<std::string>{"Hello there.", "", "General Kenobi!"}), Texts(table));

  TTLKString* entry = table.EntryList().First();
  EXPECT_EQ(7u, entry->GetFlags());
  EXPECT_EQ("vo_hello", entry->GetSoundResRefText());
  EXPECT_EQ(3u, entry->GetVolumeVariance());
  EXPECT_EQ(4u, entry->GetPitchVariance());
  EXPECT_EQ(12u, entry->GetSize());
  EXPECT_EQ(1.5f, entry->GetSoundLength());
  EXPECT_FALSE(entry->GetIsNew());
  entry = table.EntryList().Next();
  EXPECT_EQ(1u, entry->GetStrRef());
  entry = table.EntryList().Next();
  EXPECT_EQ(2u, entry->GetStrRef());
  EXPECT_EQ(12u, entry->GetOffset());
  EXPECT_EQ("abcd", entry->GetSoundResRefText()) << "bytes after an inner NUL stay";
  EXPECT_EQ(0.25f, entry->GetSoundLength());
}

TEST_F(TlkFileTest, RefusesMalformedFiles) {
  using tlk_bytes::Header;
  using tlk_bytes::Record;
  const std::string record = Record(1, "", 0, 0, 0, 0, 0);
  struct Case {
    const char* name;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"type with NUL", Header(0, 1, 60, std::string("TLK\0", 4)) + record,
       "Type mismatch. Specified file is not a valid TLK file!"},
      {"lower-case type", Header(0, 1, 60, "tlk ") + record,
       "Type mismatch. Specified file is not a valid TLK file!"},
      {"empty file", "", "Type mismatch. Specified file is not a valid TLK file!"},
      {"other version", Header(0, 1, 60, "TLK ", "V4.0") + record,
       "Version mismatch. File is not a valid v3.0 TLK file!"},
      {"no entries", Header(0, 0, 20), "No entries found in the specified TLK file!"},
      {"header cut after the version", "TLK V3.0", "No entries found in the specified TLK file!"},
      {"data offset 20", Header(0, 1, 20) + record,
       "Error reading string data table. Overflow into entry data table!"},
      {"data offset at the second record", Header(0, 2, 60) + record + record,
       "Error reading string data table. Overflow into entry data table!"},
      {"count beyond the file", Header(0, 100000000, 0xFFFFFFFF) + record,
       "Error reading entry data table. The file ends before entry 1 of 100000000!"},
      {"no record at all", Header(0, 1, 60),
       "Error reading entry data table. The file ends before entry 0 of 1!"},
  };
  for (const Case& c : cases) {
    TTLKFileHandler table;
    EXPECT_EQ(c.message, Message([&] { table.LoadFromBuffer(c.bytes); })) << c.name;
    EXPECT_FALSE(table.IsOpen()) << c.name;
  }
}

TEST_F(TlkFileTest, MissingFileAndUnreadableFile) {
  TTLKFileHandler table;
  EXPECT_EQ("Unable to load specified TLK file since it could not be found!",
            Message([&] { table.LoadFromFile(PathOf("none.tlk")); }));
  fs::create_directory(PathOf("folder.tlk"));
  EXPECT_EQ("Unable to load specified TLK file since it could not be found!",
            Message([&] { table.LoadFromFile(PathOf("folder.tlk")); }));
  EXPECT_FALSE(table.IsOpen());
}

TEST_F(TlkFileTest, ShortAndOddRecords) {
  using tlk_bytes::Header;
  using tlk_bytes::Record;
  // The second record is cut after its ResRef: its missing fields read as zeros.
  std::string cut = Header(0, 2, 0xFFFF) + Record(1, "a", 0, 0, 0, 0, 0) +
                    Record(9, "snd", 5, 5, 5, 5, 5).substr(0, 20);
  TTLKFileHandler table;
  table.LoadFromBuffer(cut);
  ASSERT_EQ(2u, table.EntryCount());
  TTLKString* second = table.EntryList().First();
  second = table.EntryList().Next();
  EXPECT_EQ(9u, second->GetFlags());
  EXPECT_EQ("snd", second->GetSoundResRefText());
  EXPECT_EQ(0u, second->GetVolumeVariance());
  EXPECT_EQ(0u, second->GetSize());
  EXPECT_EQ("", second->GetText());

  struct TextCase {
    const char* name;
    uint32_t offset;
    uint32_t size;
    std::string expected;
  } texts[] = {
      {"whole text", 0, 10, "0123456789"},
      {"text past the end is shorter", 6, 100, "6789"},
      {"text starting past the end", 50, 4, ""},
      {"huge size counts as none", 0, 0x80000000u, ""},
      {"size just below counts", 0, 0x7FFFFFFFu, "0123456789"},
  };
  for (const TextCase& c : texts) {
    TTLKFileHandler one;
    one.LoadFromBuffer(Header(0, 1, 60) + Record(1, "", 0, 0, c.offset, c.size, 0) + "0123456789");
    EXPECT_EQ(c.expected, one.EntryList().First()->GetText()) << c.name;
  }

  // A data offset inside the last record still loads; the text is read from there.
  TTLKFileHandler inside;
  inside.LoadFromBuffer(Header(0, 1, 56) + Record(1, "", 0, 0, 0, 4, 0));
  EXPECT_EQ(1u, inside.EntryCount());
}

// `count` records that all point at the same text of `textSize` bytes.
std::string SharedTextTable(uint32_t count, uint32_t textSize) {
  using tlk_bytes::Header;
  using tlk_bytes::Record;
  std::string bytes = Header(0, count, 20 + 40 * count);
  for (uint32_t i = 0; i < count; ++i) bytes += Record(1, "", 0, 0, 0, textSize, 0);
  return bytes + std::string(textSize, 'x');
}

const char* const kTextsBeyondTheFile =
    "Error reading string data table. The texts add up to far more than the file holds!";

// 4100 records that all point at the same 1 MiB text would take over 4 GiB from a
// 1.2 MB file.
TEST_F(TlkFileTest, RefusesTextsThatShareBytesBeyondWhatATableCanHold) {
  const uint32_t count = 4100;
  std::string bytes = SharedTextTable(count, 1 << 20);
  TTLKFileHandler table;
  EXPECT_EQ(kTextsBeyondTheFile, Message([&] { table.LoadFromBuffer(bytes); }));
  EXPECT_EQ(kTextsBeyondTheFile, Message([&] { table.LoadFromFile(Write("big.tlk", bytes)); }));
  // With a NUL byte early in the shared text the same records are fine.
  bytes[20 + 40 * count + 10] = '\0';
  table.LoadFromBuffer(bytes);
  EXPECT_EQ(count, table.EntryCount());
}

// The texts of a table may add up to 64 MiB + 16 times the file size: with a shared
// 64 KiB text that is 1050 records, not 1051.
TEST_F(TlkFileTest, TextsMayAddUpToABoundSetByTheFileSize) {
  TTLKFileHandler table;
  table.LoadFromBuffer(SharedTextTable(1050, 1 << 16));
  EXPECT_EQ(1050u, table.EntryCount());
  EXPECT_EQ(kTextsBeyondTheFile,
            Message([&] { table.LoadFromBuffer(SharedTextTable(1051, 1 << 16)); }));
  EXPECT_FALSE(table.IsOpen());
  EXPECT_TRUE(table.EntryList().IsEmpty()) << "no entry of a refused file is kept";
}

// A file is refused by its header and size before it is read: a sparse file of 64 MiB
// that claims a billion entries ends before the first record past its end.
TEST_F(TlkFileTest, RefusesAnEntryTableLargerThanTheFileFromItsSize) {
  const std::string path = Write("sparse.tlk", tlk_bytes::Header(0, 1000000000u, 0xFFFFFFFFu));
  fs::resize_file(path, uint64_t{64} << 20);
  TTLKFileHandler table;
  // (2^26 - 20) / 40 = 1677721.1: record 1677722 is the first to start at the end or later.
  EXPECT_EQ("Error reading entry data table. The file ends before entry 1677722 of 1000000000!",
            Message([&] { table.LoadFromFile(path); }));
  const std::string offsetFirst = Write("offset.tlk", tlk_bytes::Header(0, 1000000000u, 400));
  fs::resize_file(offsetFirst, uint64_t{64} << 20);
  EXPECT_EQ("Error reading string data table. Overflow into entry data table!",
            Message([&] { table.LoadFromFile(offsetFirst); }));
  EXPECT_FALSE(table.IsOpen());
}

TEST_F(TlkFileTest, TextEndsAtItsFirstNul) {
  std::string text = std::string("0123456789\0abcdefghi", 20);
  for (size_t length : {size_t{4096}, size_t{4097}, size_t{9000}}) {
    std::string longText(length, 'x');
    longText[length - 1] = 'y';
    TTLKFileHandler table;
    table.LoadFromBuffer(tlk_bytes::File({{text}, {longText}}));
    EXPECT_EQ("0123456789", table.EntryList().First()->GetText());
    EXPECT_EQ(20u, table.EntryList().Current()->GetSize());
    EXPECT_EQ(longText, table.EntryList().Next()->GetText());
    table.SaveToFile(PathOf("nul.tlk"));
    TTLKFileHandler again(PathOf("nul.tlk"));
    EXPECT_EQ("0123456789", again.EntryList().First()->GetText());
    EXPECT_EQ(10u, again.EntryList().Current()->GetSize());
    EXPECT_EQ(platform::ReadWholeFile(PathOf("nul.tlk")),
              tlk_bytes::File({{"0123456789"}, {longText}}));
  }
}

TEST_F(TlkFileTest, SaveRebuildsTheStringBlockInOrder) {
  using tlk_bytes::Header;
  using tlk_bytes::Record;
  // Texts stored out of order with a gap and a data block far behind the records.
  std::string bytes = Header(5, 3, 200) + Record(7, "vo_a", 1, 2, 4, 3, 1.0f) +
                      Record(0, "", 0, 0, 0, 0, 0) +
                      Record(3, "vo_cccccccccccccc", 3, 4, 0, 2, 2.0f);
  bytes.resize(200, '?');
  bytes += "c1..aaa";
  const std::string path = Write("b.tlk", bytes);
  TTLKFileHandler table(path);
  table.SaveToFile();
  const std::string expected = Header(5, 3, 140) + Record(7, "vo_a", 1, 2, 0, 3, 1.0f) +
                               Record(0, "", 0, 0, 0, 0, 0) +
                               Record(3, "vo_cccccccccccccc", 3, 4, 3, 2, 2.0f) + "aaac1";
  EXPECT_EQ(expected, platform::ReadWholeFile(path));
  EXPECT_FALSE(table.Modified());
  EXPECT_EQ(140u, table.StringDataOffset());
}

TEST_F(TlkFileTest, SaveRefusalsLeaveTheTargetAlone) {
  const std::string target = Write("keep.tlk", "old bytes");
  TTLKFileHandler closed;
  EXPECT_EQ("There is no open file to save!", Message([&] { closed.SaveToFile(target); }));
  TTLKFileHandler fresh;
  fresh.NewFile();
  EXPECT_TRUE(fresh.IsOpen());
  EXPECT_TRUE(fresh.Modified());
  EXPECT_EQ("untitled.tlk", fresh.FileName());
  EXPECT_EQ(0u, fresh.EntryCount());
  EXPECT_EQ("There is no current data in the TLK file to write!",
            Message([&] { fresh.SaveToFile(target); }));
  EXPECT_EQ("old bytes", platform::ReadWholeFile(target));
  EXPECT_TRUE(fresh.Modified());
}

TEST_F(TlkFileTest, FailedSaveKeepsTheOldFileAndModified) {
  const std::string original = tlk_bytes::File({{"one"}, {"two"}});
  const std::string path = Write("a.tlk", original);
  TTLKFileHandler table(path);
  table.AddEntry(std::make_unique<TTLKString>());
  ASSERT_TRUE(table.Modified());

  fs::create_directory(PathOf("dir.tlk"));  // a folder where the file should go
  EXPECT_THROW(table.SaveToFile(PathOf("dir.tlk")), platform::Exception);
  EXPECT_TRUE(table.Modified());
  EXPECT_THROW(table.SaveToFile(PathOf("gone/a.tlk")), platform::Exception);
  EXPECT_TRUE(table.Modified());
  EXPECT_EQ(original, platform::ReadWholeFile(path));
  EXPECT_EQ(2, std::distance(fs::directory_iterator(FFolder), fs::directory_iterator{}))
      << "no temporary file left behind";

  table.SaveToFile();
  EXPECT_FALSE(table.Modified());
  EXPECT_EQ(tlk_bytes::File({{"one"}, {"two"}, {"", "", 0}}), platform::ReadWholeFile(path));
}

TEST_F(TlkFileTest, SaveUnderAnotherNameKeepsTheFileName) {
  const std::string path = Write("a.tlk", tlk_bytes::File({{"one"}}));
  TTLKFileHandler table(path);
  table.SaveToFile(PathOf("copy.tlk"));
  EXPECT_EQ(path, table.FileName());
  EXPECT_TRUE(platform::FileExists(PathOf("copy.tlk")));
}

TEST_F(TlkFileTest, AddModifyDelete) {
  TTLKFileHandler closed;
  auto entry = std::make_unique<TTLKString>();
  EXPECT_EQ("Unable to add new entry. No TLK file is open!",
            Message([&] { closed.AddEntry(std::make_unique<TTLKString>()); }));
  EXPECT_EQ("Unable to modify entry. No TLK file is currently open!",
            Message([&] { closed.ModifyEntry(*entry); }));
  EXPECT_EQ("Unable to delete entry. No TLK file is currently open!",
            Message([&] { closed.DeleteEntry(0); }));

  TTLKFileHandler table;
  table.LoadFromBuffer(tlk_bytes::File({{"zero"}, {"one"}, {"two"}}));
  entry->SetText("three");
  table.AddEntry(std::move(entry));
  EXPECT_EQ(4u, table.EntryCount());
  TTLKString* added = table.EntryList().Current();
  EXPECT_EQ(3u, added->GetStrRef());
  EXPECT_EQ(5u, added->GetSize());
  EXPECT_TRUE(added->GetIsNew());
  EXPECT_TRUE(table.Modified());

  TTLKString* first = table.EntryList().First();
  first->SetText("null");
  first->SetText("nil");
  table.ModifyEntry(*first);
  EXPECT_EQ(3u, first->GetSize());
  EXPECT_TRUE(first->GetIsNew());

  EXPECT_EQ("Invalid StrRef of entry to delete! Specified value exceeds the end of the entry list!",
            Message([&] { table.DeleteEntry(4); }));
  table.DeleteEntry(0);
  EXPECT_EQ((std::vector<std::string>{"one", "two", "three"}), Texts(table));
  table.DeleteEntry(2);
  EXPECT_EQ((std::vector<std::string>{"one", "two"}), Texts(table));
  uint32_t expected = 0;
  for (TTLKString* e = table.EntryList().First(); e; e = table.EntryList().Next())
    EXPECT_EQ(expected++, e->GetStrRef());
  EXPECT_EQ(2u, table.EntryCount());
  EXPECT_EQ(2, table.EntryList().Count());
  EXPECT_EQ("two", table.EntryList().LastNode()->GetEntry()->GetText());

  table.DeleteEntry(1);
  table.DeleteEntry(0);
  EXPECT_TRUE(table.EntryList().IsEmpty());
  EXPECT_EQ(nullptr, table.EntryList().FirstNode());
  EXPECT_EQ(nullptr, table.EntryList().LastNode());
  EXPECT_EQ("Unable to delete selected entry. The entry list is already empty!",
            Message([&] { table.DeleteEntry(0); }));
}

TEST_F(TlkFileTest, ListCursor) {
  TStringDataList list;
  EXPECT_EQ(nullptr, list.First());
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_TRUE(list.AtEnd());
  for (int i = 0; i < 3; ++i) list.Add(std::make_unique<TTLKString>());
  EXPECT_EQ(list.LastNode()->GetEntry(), list.Current());
  EXPECT_EQ(nullptr, list.Next());
  EXPECT_TRUE(list.AtEnd());
  EXPECT_EQ(nullptr, list.Next());
  TTLKString* second = list.FirstNode()->GetNextNode()->GetEntry();
  list.First();
  list.Next();
  std::unique_ptr<TTLKString> kept = list.DeleteCurrent(false);
  EXPECT_EQ(second, kept.get());
  EXPECT_EQ(list.LastNode()->GetEntry(), list.Current());
  EXPECT_EQ(list.FirstNode(), list.LastNode()->GetPrevNode());
  EXPECT_EQ(2, list.Count());
}

TEST_F(TlkFileTest, ALongTableIsFreedWithoutDeepRecursion) {
  TTLKFileHandler table;
  table.NewFile();
  for (int i = 0; i < 300000; ++i) table.AddEntry(std::make_unique<TTLKString>());
  EXPECT_EQ(300000u, table.EntryCount());
  table.Clear();
  EXPECT_EQ(0, table.EntryList().Count());
}

// Texts longer than any string keeps inline, so a text read from freed bytes shows.
const std::vector<Entry> kLongTexts = {{"The first text of the table, long enough to live apart."},
                                       {"The second text of the table, just as long as the first."},
                                       {"The third text, which ends the table after the others."}};

std::string TextOf(const TStringDataList& list, int position) {
  const TStringData* node = list.FirstNode();
  for (int i = 0; i < position; ++i) node = node->GetNextNode();
  return std::string(node->GetEntry()->GetText());
}

// A loaded entry's text lies in the file's bytes, which the table keeps; an entry taken
// out of the table, or copied from it, keeps its text when the table lets go of them.
TEST_F(TlkFileTest, EntriesTakenOutOfATableKeepTheirTexts) {
  using Take = std::function<std::unique_ptr<TTLKString>(TStringDataList&)>;
  const struct {
    const char* name;
    Take take;  // the second entry, or a copy of it
  } takes[] = {
      {"DeleteCurrent(false)",
       [](TStringDataList& list) {
         list.First();
         list.Next();
         return list.DeleteCurrent(false);
       }},
      {"ReleaseEntry",
       [](TStringDataList& list) {
         TStringData* node = list.FirstNode()->GetNextNode();
         std::unique_ptr<TTLKString> entry = node->ReleaseEntry();
         node->SetEntry(std::make_unique<TTLKString>());
         return entry;
       }},
      {"CreateCopy",
       [](TStringDataList& list) {
         return TTLKString::CreateCopy(*list.FirstNode()->GetNextNode()->GetEntry());
       }},
      {"copy construction",
       [](TStringDataList& list) {
         return std::make_unique<TTLKString>(*list.FirstNode()->GetNextNode()->GetEntry());
       }},
      {"copy assignment",
       [](TStringDataList& list) {
         auto copy = std::make_unique<TTLKString>();
         copy->SetText("an older text of its own, longer than a short string");
         *copy = *list.FirstNode()->GetNextNode()->GetEntry();
         return copy;
       }},
      {"move construction",
       [](TStringDataList& list) {
         return std::make_unique<TTLKString>(
             std::move(*list.FirstNode()->GetNextNode()->GetEntry()));
       }},
  };
  const std::string other = Write("other.tlk", tlk_bytes::File({{"Another table entirely."}}));
  const struct {
    const char* name;
    std::function<void(std::unique_ptr<TTLKFileHandler>&)> letGo;
  } endings[] = {
      {"cleared", [](auto& table) { table->Clear(); }},
      {"loaded from bytes", [](auto& table) { table->LoadFromBuffer(tlk_bytes::File({{"x"}})); }},
      {"loaded from a file", [&](auto& table) { table->LoadFromFile(other); }},
      {"destroyed", [](auto& table) { table.reset(); }},
  };
  for (const auto& take : takes) {
    for (const auto& ending : endings) {
      auto table = std::make_unique<TTLKFileHandler>(Write("a.tlk", tlk_bytes::File(kLongTexts)));
      std::unique_ptr<TTLKString> entry = take.take(table->EntryList());
      ending.letGo(table);
      EXPECT_EQ(kLongTexts[1].text, entry->GetText()) << take.name << ", " << ending.name;
      EXPECT_EQ(1u, entry->GetStrRef()) << take.name;
    }
  }
}

TEST_F(TlkFileTest, EntriesMovedOrCopiedToAnotherListOutliveTheirTable) {
  auto source = std::make_unique<TTLKFileHandler>();
  source->LoadFromBuffer(tlk_bytes::File(kLongTexts));
  TTLKFileHandler copies;
  copies.NewFile();
  EXPECT_EQ(3u, copies.AppendEntriesOf(*source));

  TStringDataList moved;
  moved.Add(std::make_unique<TTLKString>());
  moved.AppendList(source->EntryList());
  EXPECT_TRUE(source->EntryList().IsEmpty());
  source->Clear();  // the bytes went with the entries
  source.reset();

  auto further = std::make_unique<TStringDataList>();
  further->AppendList(moved);  // and on again
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(kLongTexts[i].text, TextOf(copies.EntryList(), i)) << i;
    EXPECT_EQ(kLongTexts[i].text, TextOf(*further, i + 1)) << i;
  }
  further->First();
  further->Next();
  std::unique_ptr<TTLKString> taken = further->DeleteCurrent(false);
  further->DeleteCurrent(true);
  further.reset();
  EXPECT_EQ(kLongTexts[0].text, taken->GetText());
}

// Records may point at the same or overlapping text bytes: each entry keeps its own
// cut, a change of one text leaves the others, and a save writes each text apart.
TEST_F(TlkFileTest, EntriesSharingTextBytes) {
  using tlk_bytes::Header;
  using tlk_bytes::Record;
  const std::string block = std::string("Hello, world of many words\0tail", 31);
  const struct {
    uint32_t offset;
    uint32_t size;
    std::string text;
  } records[] = {
      {0, 5, "Hello"}, {7, 5, "world"}, {0, 100, "Hello, world of many words"},
      {3, 4, "lo, "},  {0, 5, "Hello"},
  };
  std::string bytes = Header(0, 5, 220);
  for (const auto& r : records) bytes += Record(1, "", 0, 0, r.offset, r.size, 0);
  const std::string path = Write("shared.tlk", bytes + block);
  TTLKFileHandler table(path);
  ASSERT_EQ(5u, table.EntryCount());
  for (int i = 0; i < 5; ++i) EXPECT_EQ(records[i].text, TextOf(table.EntryList(), i)) << i;

  TTLKString* first = table.EntryList().First();
  first->SetText("Changed and now far longer than what it shared with others");
  table.ModifyEntry(*first);
  EXPECT_EQ("Hello", TextOf(table.EntryList(), 4));
  EXPECT_EQ("Hello, world of many words", TextOf(table.EntryList(), 2));

  table.SaveToFile();
  std::vector<Entry> saved;
  for (int i = 0; i < 5; ++i) saved.emplace_back(TextOf(table.EntryList(), i), "", 1);
  EXPECT_EQ(tlk_bytes::File(saved), platform::ReadWholeFile(path));
  table.LoadFromFile(path);  // the bytes the old entries viewed are freed here
  for (int i = 0; i < 5; ++i) EXPECT_EQ(saved[i].text, TextOf(table.EntryList(), i)) << i;
}

// A table given one of its own texts to load copies it before it lets go of its bytes.
TEST_F(TlkFileTest, LoadingATextOfTheTableItself) {
  TTLKFileHandler table;
  table.LoadFromBuffer(tlk_bytes::File({{"TLK V4.0 and a long tail after the version"}}));
  EXPECT_EQ("Version mismatch. File is not a valid v3.0 TLK file!",
            Message([&] { table.LoadFromBuffer(table.EntryList().First()->GetText()); }));
  EXPECT_FALSE(table.IsOpen());
}

std::vector<std::string> TextsOf(const TStringDataList& list) {
  std::vector<std::string> texts;
  const TStringData* previous = nullptr;
  for (const TStringData* node = list.FirstNode(); node; node = node->GetNextNode()) {
    EXPECT_EQ(previous, node->GetPrevNode());
    texts.emplace_back(node->GetEntry()->GetText());
    previous = node;
  }
  EXPECT_EQ(previous, list.LastNode());
  EXPECT_EQ(static_cast<int32_t>(texts.size()), list.Count());
  return texts;
}

void AddText(TStringDataList& list, const std::string& text) {
  auto entry = std::make_unique<TTLKString>();
  entry->SetText(text);
  list.Add(std::move(entry));
}

// Nodes are kept in blocks of the list: unlinked ones serve the next Add, and nodes
// appended to another list stay valid when their first list adds more or is destroyed.
TEST_F(TlkFileTest, ListNodesSurviveReuseAndAppending) {
  auto source = std::make_unique<TStringDataList>();
  std::vector<std::string> expected;
  for (int i = 0; i < 40; ++i) AddText(*source, "s" + std::to_string(i));
  source->First();
  for (int i = 0; i < 40; ++i) {  // every third node unlinked
    if (i % 3 == 0) {
      source->DeleteCurrent(i % 2 == 0);
      continue;
    }
    expected.emplace_back(source->Current()->GetText());
    source->Next();
  }
  TStringDataList target;
  AddText(target, "t0");
  AddText(target, "t1");
  target.First();
  target.DeleteCurrent(true);
  expected.insert(expected.begin(), "t1");

  target.AppendList(*source);
  AddText(*source, "after, in the source");
  source.reset();
  for (int i = 0; i < 30; ++i) {
    AddText(target, "n" + std::to_string(i));
    expected.push_back("n" + std::to_string(i));
  }
  EXPECT_EQ(expected, TextsOf(target));
  target.AppendList(target);
  EXPECT_EQ(expected, TextsOf(target)) << "appending a list to itself changes nothing";
}

// Every prefix of a valid file loads or is refused with an EHell; nothing else.
TEST_F(TlkFileTest, TruncationSweep) {
  const std::string file = tlk_bytes::File({{"Hello", "vo_a"}, {""}, {"World, wide.", "b", 3}});
  for (size_t length = 0; length <= file.size(); ++length) {
    TTLKFileHandler table;
    try {
      table.LoadFromBuffer(std::string_view(file).substr(0, length));
      EXPECT_EQ(3u, table.EntryCount()) << length;
    } catch (const EHell&) {
      EXPECT_FALSE(table.IsOpen()) << length;
    }
  }
}

}  // namespace
