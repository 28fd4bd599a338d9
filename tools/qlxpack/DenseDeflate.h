#pragma once
// The packing tool's compressor: zlib streams (RFC 1950) as dense as libdeflate makes them, read
// by the installer's zlib like any other. On a few bytes zlib's level 9 can be shorter (libdeflate
// spends a few bytes more on a tiny block), so the shorter of the two is kept. The same bytes
// always give the same stream.

#include <cstdint>
#include <string_view>
#include <vector>

std::vector<std::uint8_t> CompressDense(std::string_view plain);
