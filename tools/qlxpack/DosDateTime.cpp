#include "qlxpack/DosDateTime.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Digits only, exactly as many as the field's width.
std::optional<int> Number(std::string_view s) {
  if (s.empty()) return std::nullopt;
  int value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::int32_t PackDosDateTime(const CivilDateTime& t) {
  if (t.year < 1980) return PackDosDateTime(CivilDateTime{});
  if (t.year > 2107) return PackDosDateTime(CivilDateTime{2107, 12, 31, 23, 59, 58});
  const std::uint32_t date = static_cast<std::uint32_t>((t.year - 1980) << 9 | t.month << 5 | t.day);
  const std::uint32_t time = static_cast<std::uint32_t>(t.hour << 11 | t.minute << 5 | t.second / 2);
  return static_cast<std::int32_t>(date << 16 | time);
}

CivilDateTime UnpackDosDateTime(std::int32_t stamp) {
  const auto v = static_cast<std::uint32_t>(stamp);
  const std::uint32_t date = v >> 16, time = v & 0xFFFF;
  return CivilDateTime{static_cast<int>(1980 + (date >> 9)), static_cast<int>((date >> 5) & 15),
                       static_cast<int>(date & 31),          static_cast<int>(time >> 11),
                       static_cast<int>((time >> 5) & 63),   static_cast<int>((time & 31) * 2)};
}

std::string FormatDosDateTime(std::int32_t stamp) {
  const CivilDateTime t = UnpackDosDateTime(stamp);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::optional<CivilDateTime> ParseCivilDateTime(std::string_view date, std::string_view time) {
  if (date.size() != 10 || date[4] != '-' || date[7] != '-') return std::nullopt;
  const auto y = Number(date.substr(0, 4)), m = Number(date.substr(5, 2)), d = Number(date.substr(8, 2));
  if (!y || !m || !d || *y < 1980 || *y > 2107 || *m < 1 || *m > 12 || *d < 1 || *d > DaysInMonth(*y, *m))
    return std::nullopt;
  CivilDateTime t{*y, *m, *d, 0, 0, 0};
  if (time.empty()) return t;
  if ((time.size() != 5 && time.size() != 8) || time[2] != ':' || (time.size() == 8 && time[5] != ':'))
    return std::nullopt;
  const auto h = Number(time.substr(0, 2)), mi = Number(time.substr(3, 2));
  const auto s = time.size() == 8 ? Number(time.substr(6, 2)) : std::optional<int>(0);
  if (!h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
  t.hour = *h;
  t.minute = *mi;
  t.second = *s;
  return t;
}

CivilDateTime CivilFromEpoch(std::time_t seconds, bool utc) {
  std::tm tm{};
  if (utc ? gmtime_r(&seconds, &tm) == nullptr : localtime_r(&seconds, &tm) == nullptr) return CivilDateTime{};
  return CivilDateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, std::min(tm.tm_sec, 59)};
}
