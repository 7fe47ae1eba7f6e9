#include "platform/Conversions.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/Exceptions.h"

namespace platform {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  return pos;
}

// Parses the magnitude of a whole number into `magnitude`; false on any stray character
// or when the magnitude exceeds `limit`.
bool ParseMagnitude(std::string_view digits, uint64_t limit, uint64_t& magnitude) {
  int base = 10;
  if (!digits.empty() && digits[0] == '$') {
    base = 16;
    digits.remove_prefix(1);
  } else if (digits.size() > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  if (digits.empty()) return false;
  magnitude = 0;
  for (char c : digits) {
    int value = base == 16 ? HexValue(c) : (IsDigit(c) ? c - '0' : -1);
    if (value < 0) return false;
    if (magnitude > (limit - static_cast<uint64_t>(value)) / static_cast<uint64_t>(base))
      return false;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(value);
  }
  return true;
}

template <typename Int>
std::optional<Int> TryParseSigned(std::string_view text) {
  size_t pos = SkipBlanks(text, 0);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const uint64_t maxPositive = static_cast<uint64_t>(std::numeric_limits<Int>::max());
  uint64_t magnitude = 0;
  if (!ParseMagnitude(text.substr(pos), maxPositive + (negative ? 1 : 0), magnitude))
    return std::nullopt;
  if (negative) return static_cast<Int>(-static_cast<int64_t>(magnitude - 1) - 1);
  return static_cast<Int>(magnitude);
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) { return TryParseSigned<int32_t>(text); }
std::optional<int64_t> TryStrToInt64(std::string_view text) {
  return TryParseSigned<int64_t>(text);
}

std::optional<uint32_t> TryStrToUInt32(std::string_view text) {
  size_t pos = SkipBlanks(text, 0);
  if (pos < text.size() && text[pos] == '+') ++pos;
  std::string_view digits = text.substr(pos);
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

int32_t StrToInt(std::string_view text) {
  if (auto value = TryStrToInt(text)) return *value;
  throw EConvertError::InvalidInteger(text);
}

int32_t StrToIntDef(std::string_view text, int32_t defaultValue) {
  return TryStrToInt(text).value_or(defaultValue);
}

std::string IntToStr(int64_t value) { return std::to_string(value); }
std::string UIntToStr(uint64_t value) { return std::to_string(value); }

std::optional<double> TryStrToFloat(std::string_view text, char separator) {
  size_t pos = SkipBlanks(text, 0);
  size_t end = text.size();
  while (end > pos && text[end - 1] == ' ') --end;
  std::string normal;
  if (pos < end && (text[pos] == '-' || text[pos] == '+')) normal += text[pos++];
  bool digits = false, seenSeparator = false;
  while (pos < end && (IsDigit(text[pos]) || (text[pos] == separator && !seenSeparator))) {
    if (text[pos] == separator) {
      seenSeparator = true;
      normal += '.';
    } else {
      digits = true;
      normal += text[pos];
    }
    ++pos;
  }
  if (!digits) return std::nullopt;
  if (pos < end && (text[pos] == 'e' || text[pos] == 'E')) {
    normal += 'e';
    ++pos;
    if (pos < end && (text[pos] == '-' || text[pos] == '+')) normal += text[pos++];
    bool exponentDigits = false;
    while (pos < end && IsDigit(text[pos])) {
      exponentDigits = true;
      normal += text[pos++];
    }
    if (!exponentDigits) return std::nullopt;
  }
  if (pos != end) return std::nullopt;
  // from_chars, not strtod: the C library's number locale is not ours to rely on.
  double value = 0;
  const char* first = normal.data() + (normal[0] == '+' ? 1 : 0);
  if (std::from_chars(first, normal.data() + normal.size(), value).ec != std::errc())
    return std::nullopt;
  return value;
}

std::string FormatGeneral(double value, int precision, int minExponentDigits, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // Scientific notation rounds the exact binary value to `precision` significant digits.
  char buffer[64];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                  std::chars_format::scientific, precision - 1)
                        .ptr;
  std::string text(static_cast<const char*>(buffer), end);
  size_t ePos = text.find('e');
  std::string digits;
  for (size_t i = 0; i < ePos; ++i)
    if (IsDigit(text[i])) digits += text[i];
  int exponent = std::atoi(text.c_str() + ePos + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string result = value < 0 ? "-" : "";
  bool fixed = exponent < precision && std::fabs(value) >= 0.00001;
  if (fixed) {
    if (exponent >= 0) {
      std::string integerPart = digits.substr(0, std::min<size_t>(digits.size(), exponent + 1));
      integerPart.append(static_cast<size_t>(exponent + 1) - integerPart.size(), '0');
      result += integerPart;
      if (digits.size() > static_cast<size_t>(exponent + 1)) {
        result += separator;
        result += digits.substr(exponent + 1);
      }
    } else {
      result += '0';
      result += separator;
      result.append(static_cast<size_t>(-exponent - 1), '0');
      result += digits;
    }
    return result;
  }
  result += digits[0];
  if (digits.size() > 1) {
    result += separator;
    result += digits.substr(1);
  }
  result += 'E';
  if (exponent < 0) result += '-';
  std::string exponentText = std::to_string(std::abs(exponent));
  if (static_cast<int>(exponentText.size()) < minExponentDigits)
    exponentText.insert(0, static_cast<size_t>(minExponentDigits) - exponentText.size(), '0');
  return result + exponentText;
}

}  // namespace platform
