#pragma once
// Makes payload items: the packing side of the item format. Used by the packing tool and by
// tests that need well-formed or deliberately broken items.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "payload/PayloadFormat.h"

// The 47 plain header bytes for a header; the name must already be at most 30 characters.
std::array<std::uint8_t, kPayloadHeaderSize> ComposePayloadHeader(const PayloadHeader& header);

// In place: byte[i] = byte[i] + key[i mod key length], mod 256, which DecipherPayload undoes.
// Nothing happens for an empty key or length 0.
void EncipherPayload(std::string_view key, std::uint8_t* buffer, std::size_t length) noexcept;

// zlib stream of the bytes at the given level (9 = best).
std::vector<std::uint8_t> CompressZlib(std::string_view plain, int level = 9);

// Header + body, not yet enciphered.
std::vector<std::uint8_t> ComposePayloadItem(const PayloadHeader& header, const std::vector<std::uint8_t>& body);

// A complete enciphered item for a file. The name must pass IsBareFileName.
std::vector<std::uint8_t> EncodePayloadItem(const std::string& fileName, std::int32_t timeStamp,
                                            std::string_view plain, int level = 9);

// The same from a zlib stream made elsewhere (the packing tool's denser compressor) of a file
// plainSize bytes long.
std::vector<std::uint8_t> EncodePayloadStream(const std::string& fileName, std::int32_t timeStamp,
                                              std::uint64_t plainSize, const std::vector<std::uint8_t>& stream);
