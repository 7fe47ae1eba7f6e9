#include <gtest/gtest.h>

#include "formats/UStrTok.h"

namespace {

std::vector<std::string> TokensOf(const std::string& text, char delimiter) {
  TStringTokenizer tokenizer(text, delimiter);
  std::vector<std::string> tokens;
  for (int i = 0; i < tokenizer.TokenCount(); ++i) tokens.push_back(tokenizer.GetToken(i));
  return tokens;
}

TEST(StringTokenizerTest, Splitting) {
  using Tokens = std::vector<std::string>;
  struct Case {
    const char* text;
    char delimiter;
    Tokens expected;
  } cases[] = {
      {"List\\3\\Label", '\\', {"List", "3", "Label"}},
      {"|1||2|", '|', {"1", "2"}},
      {"a|", '|', {"a|"}},
      {"", '|', {""}},
      {"|", '|', {"|"}},
      {"abc", '|', {"abc"}},
      {"|||", '|', {}},
      {"good day sir", ' ', {"good", "day", "sir"}},
      {" a b ", ' ', {"a", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, TokensOf(c.text, c.delimiter)) << c.text;
}

TEST(StringTokenizerTest, CursorWalk) {
  TStringTokenizer tokenizer("a b c", ' ');
  EXPECT_EQ("a", tokenizer.FirstToken());
  EXPECT_EQ("b", tokenizer.NextToken());
  EXPECT_EQ("c", tokenizer.NextToken());
  EXPECT_EQ("", tokenizer.NextToken());
  EXPECT_EQ("", tokenizer.NextToken());
  EXPECT_EQ("a", tokenizer.FirstToken());
  EXPECT_EQ("", tokenizer.GetToken(-1));
  EXPECT_EQ("", tokenizer.GetToken(3));

  TStringTokenizer empty("///", '/');
  EXPECT_EQ(0, empty.TokenCount());
  EXPECT_EQ("", empty.FirstToken());
  EXPECT_EQ("", empty.GetToken(0));
}

}  // namespace
