#pragma once
// Packed file-system date-times, the payload's time stamp: high 16 bits the date (year - 1980,
// month, day), low 16 bits the time (hours, minutes, seconds / 2). Local time by convention.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

struct CivilDateTime {
  int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// Clamps to the representable range 1980-01-01 00:00:00 .. 2107-12-31 23:59:58.
std::int32_t PackDosDateTime(const CivilDateTime& t);
CivilDateTime UnpackDosDateTime(std::int32_t stamp);
// "YYYY-MM-DD HH:MM:SS" (the stamp as stored; no validity check).
std::string FormatDosDateTime(std::int32_t stamp);

// "YYYY-MM-DD" with an optional "HH:MM" or "HH:MM:SS"; nothing for a malformed or
// impossible date or a year outside 1980..2107.
std::optional<CivilDateTime> ParseCivilDateTime(std::string_view date, std::string_view time);

// Seconds since 1970 as civil time, in UTC or in the build machine's local time zone.
CivilDateTime CivilFromEpoch(std::time_t seconds, bool utc);
