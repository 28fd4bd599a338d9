#pragma once
// Date-time values: days since 30 December 1899, the fraction being the time of day. File
// times count 100 ns ticks from 1 January 1601, which lies 109205 days earlier.

#include <cstdint>

inline constexpr double kFileTicksPerDay = 864000000000.0;
inline constexpr double kDaysFrom1601To1899 = 109205.0;

constexpr double DateTimeFromFileTicks(std::uint64_t ticks) {
  return static_cast<double>(ticks) / kFileTicksPerDay - kDaysFrom1601To1899;
}
