// Splits one text at one delimiter character into tokens, read by index or walked
// with a cursor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TStringTokenizer {
 public:
  TStringTokenizer(std::string text, char delimiter);

  // The token at `index`; an empty text outside 0 .. TokenCount() - 1.
  std::string GetToken(int32_t index) const;
  int32_t TokenCount() const { return static_cast<int32_t>(FTokens.size()); }
  // Cursor to 0; token 0, or an empty text when there is none.
  std::string FirstToken();
  // The token after the cursor, or an empty text (the cursor then stays).
  std::string NextToken();

  const std::string& Text() const { return FText; }
  char Delimiter() const { return FDelimiter; }

 private:
  std::vector<std::string> FTokens;
  std::string FText;
  char FDelimiter;
  int32_t FCursor = 0;
};
