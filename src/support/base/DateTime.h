#pragma once
// Date-time values: days since 30 December 1899, the fraction being the time of day. File
// times count 100 ns ticks from 1 January 1601, which lies 109205 days earlier.

#include <cstdint>
#include <optional>

inline constexpr double kFileTicksPerDay = 864000000000.0;
inline constexpr double kDaysFrom1601To1899 = 109205.0;

constexpr double DateTimeFromFileTicks(std::uint64_t ticks) {
  return static_cast<double>(ticks) / kFileTicksPerDay - kDaysFrom1601To1899;
}

namespace date_time_detail {
constexpr bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

constexpr int DaysInMonth(int year, int month) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 30 December 1899 to the given day of the proleptic Gregorian calendar (years from
// 1 on), counted through 1 March of year 0 so that the leap day falls at the end of a year.
constexpr long DaysSince1899(int year, int month, int day) {
  const int y = month <= 2 ? year - 1 : year;
  const int era = y / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  // 693899 = days from 1 March of year 0 to 30 December 1899.
  return static_cast<long>(era) * 146097 + dayOfEra - 693899;
}
}  // namespace date_time_detail

// A packed file-system date-time (high word: bits 15-9 year - 1980, 8-5 month, 4-0 day; low
// word: bits 15-11 hours, 10-5 minutes, 4-0 seconds / 2) as a date-time value; nothing when
// the fields are no valid date and time, which is also when the system refuses to convert it.
constexpr std::optional<double> DateTimeFromDosDateTime(std::uint32_t packed) {
  const std::uint32_t date = packed >> 16;
  const std::uint32_t time = packed & 0xFFFF;
  const int year = 1980 + static_cast<int>(date >> 9);
  const int month = static_cast<int>((date >> 5) & 0x0F);
  const int day = static_cast<int>(date & 0x1F);
  const int hours = static_cast<int>(time >> 11);
  const int minutes = static_cast<int>((time >> 5) & 0x3F);
  const int seconds = static_cast<int>(time & 0x1F) * 2;
  if (month < 1 || month > 12 || day < 1 || day > date_time_detail::DaysInMonth(year, month)) return std::nullopt;
  if (hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
  return static_cast<double>(date_time_detail::DaysSince1899(year, month, day)) +
         (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}
