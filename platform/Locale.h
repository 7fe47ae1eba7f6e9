// The user's locale as the programs see it: the decimal separator and today's date
// in the short date format. Tests fix both.
#pragma once

#include <functional>
#include <string>

namespace platform {

char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Today's date in the user's short date format.
std::string ShortDateToday();
// Replaces the date source (tests); an empty function restores the system's.
void SetShortDateSource(std::function<std::string()> source);

}  // namespace platform
