// Number-to-text and text-to-number conversions as the programs use them, with the
// run-time's error texts. Texts are single-byte strings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Whole numbers: optional leading blanks, an optional sign, then decimal digits or a
// hexadecimal number introduced by "$" or "0x"; nothing may follow.
std::optional<int32_t> TryStrToInt(std::string_view text);
std::optional<int64_t> TryStrToInt64(std::string_view text);
// Decimal digits only (optional leading blanks and "+"), 0 to 4294967295.
std::optional<uint32_t> TryStrToUInt32(std::string_view text);

// Raises EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t defaultValue);

std::string IntToStr(int64_t value);
std::string UIntToStr(uint64_t value);

// A decimal number that uses `separator` as its decimal separator (optional sign,
// digits with at most one separator, optional exponent "E"/"e").
std::optional<double> TryStrToFloat(std::string_view text, char separator);

// The general floating-point format: `value` rounded to `precision` significant
// digits, trailing zeros dropped, fixed notation while the integer part has at most
// `precision` digits and |value| >= 0.00001, scientific notation ("1.5E-7") otherwise
// with at least `minExponentDigits` exponent digits. `separator` is the decimal separator.
std::string FormatGeneral(double value, int precision, int minExponentDigits, char separator);

}  // namespace platform
