#include <gtest/gtest.h>

#include "formats/UKV_Common.h"
#include "platform/FolderPicker.h"

namespace {

TEST(ReplaceAllTest, ReplacesEveryOccurrenceOnce) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* replacement;
    const char* expected;
  } cases[] = {
      {"\r\r\n", "\r", "", "\n"},
      {"a\nb", "\n", "<#LF#>", "a<#LF#>b"},
      {"\n", "\n", "<#LF#>", "<#LF#>"},
      {"aaa", "a", "aa", "aaaaaa"},
      {"", "x", "y", ""},
      {"abc", "", "y", "abc"},
      {"abab", "ab", "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, ReplaceAll(c.text, c.pattern, c.replacement)) << c.text;
}

TEST(FindNextFromTest, FindsAfterTheOffset) {
  EXPECT_EQ(1u, FindNextFrom("ab", "abab", 0));
  EXPECT_EQ(3u, FindNextFrom("ab", "abab", 1));
  EXPECT_EQ(0u, FindNextFrom("ab", "abab", 3));
  EXPECT_EQ(0u, FindNextFrom("", "abab", 0));
  EXPECT_EQ(0u, FindNextFrom("x", "", 0));
}

TEST(NumberTextTest, AllThreeTests) {
  struct Case {
    const char* text;
    bool allDigits, integer, decimal;
  } cases[] = {
      {"", false, false, false},         {"-", false, false, false},
      {"-5", false, true, true},         {"0", true, true, true},
      {"12a", false, false, false},      {" 12", false, false, false},
      {"99999999999", true, true, true}, {"1.2.3", false, false, true},
      {"-.5", false, false, true},       {"1,5", false, false, true},
      {"1.", false, false, false},       {".5", false, false, false},
      {"1..5", false, false, true},      {"--1", false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.allDigits, IsAllDigits(c.text)) << c.text;
    EXPECT_EQ(c.integer, IsIntegerText(c.text)) << c.text;
    EXPECT_EQ(c.decimal, IsDecimalText(c.text)) << c.text;
  }
}

class OnePicker : public platform::FolderPicker {
 public:
  std::string PickFolder(const std::string& title, uint32_t flags) override {
    seenTitle = title;
    seenFlags = flags;
    return answer;
  }
  std::string answer, seenTitle;
  uint32_t seenFlags = 99;
};

TEST(SelectFolderDialogTest, GivesThePickersAnswerAndEmptyOnCancel) {
  OnePicker picker;
  platform::SetFolderPicker(&picker);
  picker.answer = "/games/mod/data";
  EXPECT_EQ("/games/mod/data", SelectFolderDialog("Pick", 0));
  EXPECT_EQ("Pick", picker.seenTitle);
  EXPECT_EQ(0u, picker.seenFlags);
  picker.answer = "";
  EXPECT_EQ("", SelectFolderDialog("Pick", 0));
  platform::SetFolderPicker(nullptr);
  EXPECT_EQ("", SelectFolderDialog("Pick", 0));
}

}  // namespace
