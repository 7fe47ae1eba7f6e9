#include "platform/Locale.h"

#include <clocale>
#include <ctime>

namespace platform {

namespace {

char SystemDecimalSeparator() {
  std::setlocale(LC_NUMERIC, "");
  const lconv* conv = std::localeconv();
  char separator =
      (conv && conv->decimal_point && conv->decimal_point[0]) ? conv->decimal_point[0] : '.';
  std::setlocale(LC_NUMERIC, "C");
  return separator;
}

char& Separator() {
  static char separator = SystemDecimalSeparator();
  return separator;
}

std::function<std::string()>& DateSource() {
  static std::function<std::string()> source;
  return source;
}

std::string SystemShortDate() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[64];
  std::setlocale(LC_TIME, "");
  size_t length = std::strftime(buffer, sizeof buffer, "%x", &local);
  std::setlocale(LC_TIME, "C");
  return std::string(buffer, length);
}

}  // namespace

char DecimalSeparator() { return Separator(); }
void SetDecimalSeparator(char separator) { Separator() = separator; }

std::string ShortDateToday() { return DateSource() ? DateSource()() : SystemShortDate(); }
void SetShortDateSource(std::function<std::string()> source) { DateSource() = std::move(source); }

}  // namespace platform
