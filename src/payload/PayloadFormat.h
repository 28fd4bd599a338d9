#pragma once
// The payload item format, shared by the installer's reader and the packing tool.
//
// An item is the enciphered image of a 47-byte header and a zlib body. Header fields, after
// deciphering, little-endian:
//   0  Marker     4 bytes  "QLPK" in every item (not checked when reading)
//   4  PlainSize  int32    length of the file after decompression
//   8  Spare      4 bytes  0 (not read)
//  12  TimeStamp  int32    packed file-system date-time, local time: date high, time low
//  16  FileName   31 bytes length byte 0..30, then the characters, then zero padding
//  47  body       one zlib stream (RFC 1950)
// Every byte, header included, is enciphered: stored = plain + key[i mod 50], key index from 0.
// The 50-byte key comes from the shared generator seeded with kPayloadSeed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "payload/PseudoRandom.h"

inline constexpr std::size_t kPayloadHeaderSize = 47;
inline constexpr std::size_t kPayloadMarkerOffset = 0;
inline constexpr std::size_t kPayloadPlainSizeOffset = 4;
inline constexpr std::size_t kPayloadSpareOffset = 8;
inline constexpr std::size_t kPayloadTimeStampOffset = 12;
inline constexpr std::size_t kPayloadFileNameOffset = 16;
inline constexpr std::size_t kPayloadMaxFileName = 30;
inline constexpr std::size_t kPayloadKeyLength = 50;

inline constexpr std::uint32_t kPayloadSeed = 0x5EED3551u;
inline constexpr std::array<std::uint8_t, 4> kPayloadMarker = {'Q', 'L', 'P', 'K'};
inline constexpr std::uint32_t kPayloadSpare = 0;

// Deflate cannot expand a byte of stream into more than 1032 bytes of output, so a PlainSize
// above body length x 1032 can only come from a damaged header; it is refused before any
// allocation is made for it.
inline constexpr std::uint64_t kMaxInflateRatio = 1032;

// A payload item whose header or body does not hold together.
class EPayloadDamaged : public std::runtime_error {
 public:
  explicit EPayloadDamaged(std::string_view itemName);
};

struct PayloadHeader {
  std::array<std::uint8_t, 4> marker = kPayloadMarker;
  std::int32_t plainSize = 0;
  std::uint32_t spare = kPayloadSpare;
  std::int32_t timeStamp = 0;
  std::string fileName;
};

// Seeds the generator with the seed, then draws 50 bytes over 0..255.
std::string BuildPayloadKey(PseudoRandom& generator, std::uint32_t seed);
// The payload key from the program's shared generator and kPayloadSeed; re-seeds that generator.
std::string BuildPayloadKey();

// In place: byte[i] = byte[i] - key[i mod key length], mod 256. Nothing happens for an empty
// key or length 0.
void DecipherPayload(std::string_view key, std::uint8_t* buffer, std::size_t length) noexcept;

// A stored name the installer may join to a folder: 1 to 30 characters, no "\", "/", ":" or
// other character a file name cannot hold, no control character, no trailing dot or blank
// (so not "." or ".."), and not a device name such as "nul" or "com1.txt".
bool IsBareFileName(std::string_view name) noexcept;

// Reads the header of a deciphered item and checks it (length, name, PlainSize against the
// body length). Raises EPayloadDamaged naming itemName.
PayloadHeader ParsePayloadHeader(const std::uint8_t* item, std::size_t itemLength, std::string_view itemName);

// The item reading steps after the item's bytes are in a private buffer: decipher it in place,
// set fileName, then timeStamp, then bytes (exactly PlainSize long). A header that does not hold
// together, a body of another length or bytes after the end of the stream raise
// EPayloadDamaged; a body zlib rejects raises EDecompressionError. On any failure bytes is left
// empty.
void DecodePayloadItem(std::string_view itemName, std::string_view key, std::uint8_t* item, std::size_t itemLength,
                       std::string& fileName, std::int32_t& timeStamp, std::string& bytes);
