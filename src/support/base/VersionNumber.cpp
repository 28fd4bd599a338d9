#include "support/base/VersionNumber.h"

std::int64_t VersionToNumber(std::string_view text) {
  // Unsigned arithmetic: the packing wraps at 64 bits by definition, which signed overflow
  // would not do.
  std::uint64_t number = 0;
  std::uint64_t part = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      part = part * 10 + static_cast<std::uint64_t>(c - '0');
    } else if (c == '.') {
      number = number * 65536 + part;
      part = 0;
    }
  }
  // The end of the text closes the last part, unless a "." just closed it.
  if (!text.empty() && text.back() != '.') number = number * 65536 + part;
  return static_cast<std::int64_t>(number);
}
