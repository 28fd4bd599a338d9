#include "support/base/LogLine.h"

namespace {
void TwoDigits(std::string& out, int value) {
  value %= 100;
  if (value < 0) value = -value;
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}
}  // namespace

std::string LogLine(const LogClock& clock, std::string_view message, std::uint32_t heapBytes,
                    std::string_view timeSeparator, const FormatSettings& numbers) {
  std::string line;
  line.reserve(message.size() + 48);
  TwoDigits(line, clock.year);
  TwoDigits(line, clock.month);
  TwoDigits(line, clock.day);
  line += ' ';
  TwoDigits(line, clock.hour);
  line += timeSeparator;
  TwoDigits(line, clock.minute);
  line += timeSeparator;
  TwoDigits(line, clock.second);
  line += '.';
  line += std::to_string(clock.millisecond);
  line += ' ';
  // A character below 0x20 is written as \xNN: a message that carries text from outside (a
  // folder from the command line) can neither break the line nor forge one.
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20) {
      line += c;
      continue;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    line += "\\x";
    line += kHex[byte >> 4];
    line += kHex[byte & 0x0F];
  }
  line += FormatWith(numbers, "[Mem: %.0n]", static_cast<double>(heapBytes));
  line += "\r\n";
  return line;
}
