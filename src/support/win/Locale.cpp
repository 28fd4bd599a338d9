#include "support/win/Locale.h"

#include <cmath>

#include <windows.h>

#include "support/base/DateTime.h"

namespace {
std::string LocaleText(LCTYPE what, const char* fallback) {
  char buffer[16] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buffer, sizeof buffer) == 0) return fallback;
  return buffer;
}
}  // namespace

std::string ShortDateText(double dateTime) {
  const double days = std::floor(dateTime) + kDaysFrom1601To1899;
  SYSTEMTIME st{};
  if (!(days >= 0 && days < 3.0e6)) return {};
  const ULONGLONG ticks = static_cast<ULONGLONG>(days * kFileTicksPerDay);
  FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  if (!::FileTimeToSystemTime(&ft, &st)) return {};
  char buffer[80] = {};
  if (!::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, sizeof buffer)) return {};
  return buffer;
}

std::string TimeSeparator() { return LocaleText(LOCALE_STIME, ":"); }

FormatSettings LocaleFormatSettings() {
  return FormatSettings{LocaleText(LOCALE_STHOUSAND, ","), LocaleText(LOCALE_SDECIMAL, ".")};
}
