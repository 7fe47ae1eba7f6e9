// Least-free numbering of new keys, for one key and for a writer that numbers many,
// and the bare names of picked files and folders.
#include "configeditor/rules/UKeyNumbering.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/Files.h"
#include "tests/support/ScratchFolder.h"

namespace quennet {
namespace {

using Names = std::vector<std::string>;

TEST(KeyNumberingTest, TheLeastFreeNumber) {
  struct Case {
    Names taken;
    const char* prefix;
    int first;
    const char* expected;
  } cases[] = {
      {{}, "AddRow", 0, "AddRow0"},
      {{"AddRow0", "addrow1", "ADDROW3"}, "AddRow", 0, "AddRow2"},
      {{"AddRow01", "AddRow+1", "AddRow 0", "AddRow0x"}, "AddRow", 0, "AddRow0"},
      {{"AddRow0", "AddRow00"}, "AddRow", 0, "AddRow1"},
      {{"Namespace1", "Namespace2"}, "Namespace", 1, "Namespace3"},
      {{"Namespace0"}, "Namespace", 1, "Namespace1"},
      {{"Table0"}, "Tab", 0, "Tab0"},
      {{"Name20", "Name2"}, "Name2", 0, "Name21"},
      {{"AddRow99999999999999999999"}, "AddRow", 0, "AddRow0"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, LeastFreeName(c.taken, c.prefix, c.first));
}

TEST(KeyNumberingTest, ABulkWriterGetsWhatOneCallPerKeyWouldGive) {
  const Names starts[] = {
      {},
      {"File0", "file2", "File5", "Replace1"},
      {"File1000", "File3"},
  };
  for (const Names& start : starts) {
    Names oneByOne = start;
    TKeyNumbering numbering(start, "File");
    for (int i = 0; i < 1200; ++i) {
      const std::string expected = LeastFreeName(oneByOne, "File");
      ASSERT_EQ(expected, numbering.Next()) << i;
      oneByOne.push_back(expected);
    }
  }
}

class KeyNumberingIniTest : public testing::Test {
 protected:
  TKV_Inifile& Ini(const std::string& text) {
    const std::string path = folder.PathOf("changes.ini");
    platform::ReplaceFile(path, text);
    ini = std::make_unique<TKV_Inifile>(path);
    return *ini;
  }
  testing_support::ScratchFolder folder;
  std::unique_ptr<TKV_Inifile> ini;
};

TEST_F(KeyNumberingIniTest, NextFreeKeyTakesTheLeastUnusedNumber) {
  struct Case {
    const char* section;
    const char* prefix;
    int first;
    const char* expected;
  };
  const char kText[] =
      "[2DAList]\r\nTable0=a.2da\r\nTABLE1=b.2da\r\ntable3=c.2da\r\n"
      "[GFFList]\r\nFile0=a.utc\r\nReplace0=b.utc\r\nReplace1=c.utc\r\nFile2=d.utc\r\n"
      "[Namespaces]\r\nNamespace1=a\r\nNamespace2=b\r\n"
      "[empty]\r\n";
  const Case cases[] = {
      {"2DAList", "Table", 0, "Table2"},  // case does not matter, gaps are filled
      {"GFFList", "File", 0, "File1"},    // each prefix counts on its own
      {"GFFList", "Replace", 0, "Replace2"}, {"Namespaces", "Namespace", 1, "Namespace3"},
      {"empty", "AddRow", 0, "AddRow0"},     {"missing", "install_folder", 0, "install_folder0"},
      {"2DAList", "Tab", 0, "Tab0"},  // whole names compare, not prefixes
  };
  TKV_Inifile& file = Ini(kText);
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, NextFreeKey(file, c.section, c.prefix, c.first))
        << c.section << " " << c.prefix;
  }
}

TEST_F(KeyNumberingIniTest, NextFreeFilledKeyIgnoresKeysWithoutValue) {
  TKV_Inifile& file =
      Ini("[spells.2da]\r\nAddRow0=\r\nAddRow1=first\r\nChangeRow0=second\r\nAddRow2=third\r\n");
  EXPECT_EQ("AddRow0", NextFreeFilledKey(file, "spells.2da", "AddRow"));
  EXPECT_EQ("ChangeRow1", NextFreeFilledKey(file, "spells.2da", "ChangeRow"));
  EXPECT_EQ("AddRow3", NextFreeKey(file, "spells.2da", "AddRow"));
}

TEST(KeyNumberingTest, BareNamesDropTheFolder) {
  const std::pair<const char*, const char*> files[] = {
      {"/home/me/mods/spells.2da", "spells.2da"},
      {"C:\\Games\\Override\\p_hk47.utc", "p_hk47.utc"},
      {"plain.ssf", "plain.ssf"},
  };
  for (auto [path, name] : files) EXPECT_EQ(name, quennet::BareFileName(path));
  const std::pair<const char*, const char*> folders[] = {
      {"/home/me/StreamVoice/AVO", "AVO"},
      {"C:\\Games\\Override", "Override"},
      {"C:\\", ""},
      {"C:\\Games\\Lips\\", ""},
  };
  for (auto [path, name] : folders) EXPECT_EQ(name, quennet::LastPathPart(path));
}

}  // namespace
}  // namespace quennet
