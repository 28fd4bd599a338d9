// Packed file-system date-times as date-time values (days since 30 December 1899).
#include "support/DateTime.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t Pack(int year, int month, int day, int hours = 0, int minutes = 0, int seconds = 0) {
  return static_cast<std::uint32_t>((year - 1980) << 9 | month << 5 | day) << 16 |
         static_cast<std::uint32_t>(hours << 11 | minutes << 5 | seconds / 2);
}

TEST(DateTimeFromDosDateTime, DaysAndTimeOfDay) {
  struct Case {
    std::uint32_t packed;
    double expected;
  };
  const Case cases[] = {
      {Pack(1980, 1, 1), 29221},
      {Pack(2016, 2, 5, 12), 42405.5},
      {Pack(2016, 2, 29, 3, 55, 58), 42429 + (3 * 3600 + 55 * 60 + 58) / 86400.0},
      {Pack(2000, 3, 1), 36586},
      {Pack(2100, 3, 1), 73110},
      {Pack(2107, 12, 31, 23, 59, 58), 75971 + 86398 / 86400.0},
  };
  for (const auto& c : cases) {
    const auto value = DateTimeFromDosDateTime(c.packed);
    ASSERT_TRUE(value.has_value()) << std::hex << c.packed;
    EXPECT_DOUBLE_EQ(*value, c.expected) << std::hex << c.packed;
  }
}

TEST(DateTimeFromDosDateTime, NoValueForFieldsThatAreNoDate) {
  const std::uint32_t invalid[] = {
      0,                     // month 0, day 0
      Pack(2016, 13, 1),     Pack(2016, 2, 0),      Pack(2015, 2, 29), Pack(2100, 2, 29),
      Pack(2016, 4, 31),     Pack(2016, 1, 1, 24),  Pack(2016, 1, 1, 0, 60),
      Pack(2016, 1, 1) | 30,  // 60 seconds
  };
  for (std::uint32_t packed : invalid) EXPECT_FALSE(DateTimeFromDosDateTime(packed).has_value()) << std::hex << packed;
}

}  // namespace
