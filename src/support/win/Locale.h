#pragma once
// The user's locale settings that the installer shows: short dates, the time separator and
// the number separators.

#include <string>

#include "support/base/Format.h"

// A date-time value (days since 30 December 1899) as the locale's short date.
std::string ShortDateText(double dateTime);
std::string TimeSeparator();
// Thousands and decimal separators for the formatter.
FormatSettings LocaleFormatSettings();
