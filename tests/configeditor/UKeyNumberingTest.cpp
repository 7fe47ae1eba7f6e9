// Least-free numbering of new keys, for one key and for a writer that numbers many.
#include "configeditor/rules/UKeyNumbering.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quennet
