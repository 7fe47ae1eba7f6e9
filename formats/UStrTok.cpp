#include "formats/UStrTok.h"

TStringTokenizer::TStringTokenizer(std::string text, char delimiter)
    : FText(std::move(text)), FDelimiter(delimiter) {
  // Texts shorter than three characters are one token as they stand, delimiter or not.
  if (FText.size() < 3) {
    FTokens.push_back(FText);
    return;
  }
  size_t start = 0;
  for (size_t pos = 0; pos <= FText.size(); ++pos) {
    if (pos == FText.size() || FText[pos] == FDelimiter) {
      if (pos > start) FTokens.push_back(FText.substr(start, pos - start));
      start = pos + 1;
    }
  }
}

std::string TStringTokenizer::GetToken(int32_t index) const {
  if (index < 0 || index >= TokenCount()) return {};
  return FTokens[static_cast<size_t>(index)];
}

std::string TStringTokenizer::FirstToken() {
  FCursor = 0;
  return GetToken(0);
}

std::string TStringTokenizer::NextToken() {
  if (FCursor + 1 >= TokenCount()) return {};
  ++FCursor;
  return GetToken(FCursor);
}
