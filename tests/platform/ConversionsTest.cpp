#include <gtest/gtest.h>

#include "platform/Conversions.h"
#include "platform/Exceptions.h"

namespace platform {
namespace {

TEST(StrToIntTest, ReadsWholeNumbersAndRefusesTheRest) {
  struct Case {
    const char* text;
    std::optional<int32_t> expected;
  } cases[] = {
      {"0", 0},
      {"-5", -5},
      {"+7", 7},
      {"  12", 12},
      {"$1A", 26},
      {"0x1a", 26},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"12a", std::nullopt},
      {"1 ", std::nullopt},
      {"0x", std::nullopt},
      {"1.5", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, TryStrToInt(c.text)) << c.text;
}

TEST(StrToIntTest, StrictConversionRaisesTheRunTimeText) {
  try {
    StrToInt("12a");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ("'12a' is not a valid integer value", e.Message());
  }
  EXPECT_EQ(-3, StrToIntDef("", -3));
}

TEST(StrToUInt32Test, CoversTheUnsignedRange) {
  EXPECT_EQ(4294967295u, TryStrToUInt32("4294967295"));
  EXPECT_EQ(std::nullopt, TryStrToUInt32("4294967296"));
  EXPECT_EQ(std::nullopt, TryStrToUInt32("-1"));
  EXPECT_EQ(std::nullopt, TryStrToUInt32(""));
}

TEST(StrToFloatTest, UsesTheGivenSeparator) {
  EXPECT_EQ(1.5, TryStrToFloat("1.5", '.'));
  EXPECT_EQ(1.5, TryStrToFloat("1,5", ','));
  EXPECT_EQ(std::nullopt, TryStrToFloat("1,5", '.'));
  EXPECT_EQ(std::nullopt, TryStrToFloat("1.2.3", '.'));
  EXPECT_EQ(-0.25, TryStrToFloat("-.25", '.'));
  EXPECT_EQ(std::nullopt, TryStrToFloat("", '.'));
  EXPECT_EQ(1500.0, TryStrToFloat("1.5E3", '.'));
}

TEST(FormatGeneralTest, FifteenDigitsAsTheGameFileTextsUseThem) {
  struct Case {
    double value;
    char separator;
    const char* expected;
  } cases[] = {
      {0.0, '.', "0"},
      {-0.0, '.', "0"},
      {1.0, '.', "1"},
      {2.5, ',', "2,5"},
      {-3.0, '.', "-3"},
      {static_cast<double>(0.1f), '.', "0.100000001490116"},
      {0.1, '.', "0.1"},
      {0.00001, '.', "0.00001"},
      {0.000001, '.', "1E-6"},
      {1e20, '.', "1E20"},
      {123456789012345.0, '.', "123456789012345"},
      {1234567890123456.0, '.', "1.23456789012346E15"},
      {-1.5e-10, ',', "-1,5E-10"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, FormatGeneral(c.value, 15, 0, c.separator)) << c.value;
}

TEST(FormatGeneralTest, TwoDigitsWithTwoExponentDigits) {
  struct Case {
    double value;
    const char* expected;
  } cases[] = {
      {1.5, "1.5"}, {3.14159, "3.1"}, {123.0, "1.2E02"}, {99.0, "99"}, {0.0, "0"}, {0.001, "0.001"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, FormatGeneral(c.value, 2, 2, '.')) << c.value;
}

}  // namespace
}  // namespace platform
