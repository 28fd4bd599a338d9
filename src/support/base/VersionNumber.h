#pragma once
// Dotted version texts packed into one comparable number, 16 bits per part, first part highest.

#include <cstdint>
#include <string_view>

// Digits build the current part (other characters except "." are skipped); a "." or the end
// of the text closes it: number = number * 65536 + part. Parts over 65535 are not clipped and
// add into the next-higher part; the arithmetic wraps at 64 bits. "" gives 0; a trailing "."
// closes the last part only once. Only texts with the same number of parts compare in order.
std::int64_t VersionToNumber(std::string_view text);
