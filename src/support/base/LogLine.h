#pragma once
// One line of the run log, built from its parts: the local time as "yymmdd hh:mm:ss.z " (the
// milliseconds without leading zeros), the message (each character below 0x20 as "\xNN"), then
// "[Mem: %.0n]" with the heap figure, then CR LF. The separators come from the caller (the user's locale on Windows).

#include <cstdint>
#include <string>
#include <string_view>

#include "support/base/Format.h"

struct LogClock {
  int year = 0;  // full year; the line shows its last two digits
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

std::string LogLine(const LogClock& clock, std::string_view message, std::uint32_t heapBytes,
                    std::string_view timeSeparator, const FormatSettings& numbers);
