#include "payload/PayloadFormat.h"

#include <cstring>
#include <new>

#include "payload/InflateBuffer.h"
#include "support/base/FileNameRules.h"

namespace {

std::uint32_t ReadLe32(const std::uint8_t* p) noexcept {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

EPayloadDamaged::EPayloadDamaged(std::string_view itemName)
    : std::runtime_error("Payload item " + std::string(itemName) + " is damaged") {}

std::string BuildPayloadKey(PseudoRandom& generator, std::uint32_t seed) {
  generator.Seed(seed);
  std::string key(kPayloadKeyLength, ' ');
  for (char& c : key) c = static_cast<char>(generator.Draw(256));
  return key;
}

std::string BuildPayloadKey() { return BuildPayloadKey(SharedRandom(), kPayloadSeed); }

namespace {

// Subtracts each byte of `key` from the matching byte of `x`, modulo 256, four at a time: the
// top bits are taken out of the subtraction so that no borrow crosses into the next byte, and
// put back by the exclusive or.
std::uint32_t SubtractBytes(std::uint32_t x, std::uint32_t key) noexcept {
  constexpr std::uint32_t kTop = 0x80808080u;
  return ((x | kTop) - (key & ~kTop)) ^ ((x ^ ~key) & kTop);
}

// Deciphering works on runs of a whole number of key repetitions that is also a whole number of
// 4-byte words: 100 bytes for the 50-byte key.
constexpr std::size_t kMaxRun = 400;

}  // namespace

void DecipherPayload(std::string_view key, std::uint8_t* buffer, std::size_t length) noexcept {
  if (key.empty()) return;
  std::size_t i = 0;
  const std::size_t run = key.size() % 4 == 0 ? key.size() : key.size() % 2 == 0 ? key.size() * 2 : key.size() * 4;
  if (run <= kMaxRun && length >= run) {
    std::uint8_t tiled[kMaxRun];
    for (std::size_t j = 0; j < run; ++j) tiled[j] = static_cast<std::uint8_t>(key[j % key.size()]);
    for (; length - i >= run; i += run)
      for (std::size_t j = 0; j < run; j += 4) {
        std::uint32_t x, k;
        std::memcpy(&x, buffer + i + j, 4);
        std::memcpy(&k, tiled + j, 4);
        x = SubtractBytes(x, k);
        std::memcpy(buffer + i + j, &x, 4);
      }
  }
  // The rest (and keys too long to tile) byte by byte; i is a whole number of key lengths.
  for (std::size_t k = 0; i < length; ++i) {
    buffer[i] = static_cast<std::uint8_t>(buffer[i] - static_cast<std::uint8_t>(key[k]));
    if (++k == key.size()) k = 0;
  }
}

bool IsBareFileName(std::string_view name) noexcept {
  return name.size() <= kPayloadMaxFileName && IsPlainName(name);
}

PayloadHeader ParsePayloadHeader(const std::uint8_t* item, std::size_t itemLength, std::string_view itemName) {
  if (itemLength < kPayloadHeaderSize) throw EPayloadDamaged(itemName);
  PayloadHeader header;
  std::memcpy(header.marker.data(), item + kPayloadMarkerOffset, header.marker.size());
  header.plainSize = static_cast<std::int32_t>(ReadLe32(item + kPayloadPlainSizeOffset));
  header.spare = ReadLe32(item + kPayloadSpareOffset);
  header.timeStamp = static_cast<std::int32_t>(ReadLe32(item + kPayloadTimeStampOffset));
  const std::size_t nameLength = item[kPayloadFileNameOffset];
  if (nameLength > kPayloadMaxFileName) throw EPayloadDamaged(itemName);
  header.fileName.assign(reinterpret_cast<const char*>(item + kPayloadFileNameOffset + 1), nameLength);
  if (!IsBareFileName(header.fileName)) throw EPayloadDamaged(itemName);
  const std::uint64_t bodyLength = itemLength - kPayloadHeaderSize;
  if (header.plainSize < 0 || static_cast<std::uint64_t>(header.plainSize) > bodyLength * kMaxInflateRatio)
    throw EPayloadDamaged(itemName);
  return header;
}

void DecodePayloadItem(std::string_view itemName, std::string_view key, std::uint8_t* item, std::size_t itemLength,
                       std::string& fileName, std::int32_t& timeStamp, std::string& bytes) {
  bytes.clear();
  DecipherPayload(key, item, itemLength);
  const PayloadHeader header = ParsePayloadHeader(item, itemLength, itemName);
  fileName = header.fileName;
  timeStamp = header.timeStamp;
  const auto plainSize = static_cast<std::size_t>(header.plainSize);

  const std::uint8_t* body = item + kPayloadHeaderSize;
  const std::size_t bodyLength = itemLength - kPayloadHeaderSize;
  try {
    // The output may never grow past PlainSize: a longer body is damaged whatever it holds.
    // The body is the stream and nothing else: bytes after its end mean the item was cut out
    // of the file with the wrong length.
    std::string plain;
    std::size_t inputUsed = 0;
    if (plainSize == 0) {
      // No room at all: a stream that holds a byte is damaged, whatever follows that byte.
      std::uint8_t none = 0;
      InflateInto(body, bodyLength, &none, 0, &inputUsed);
    } else {
      // Inflated straight into the string PlainSize sizes: no second copy of a large file.
      plain.resize(plainSize);
      if (InflateInto(body, bodyLength, reinterpret_cast<std::uint8_t*>(plain.data()), plainSize, &inputUsed) !=
          plainSize)
        throw EPayloadDamaged(itemName);
    }
    if (inputUsed != bodyLength) throw EPayloadDamaged(itemName);
    bytes = std::move(plain);
  } catch (const EInflateLimitExceeded&) {
    throw EPayloadDamaged(itemName);
  } catch (const std::bad_alloc&) {
    // A PlainSize that no memory can hold comes from a damaged header, not from a file the
    // packing tool could have read.
    bytes.clear();
    throw EPayloadDamaged(itemName);
  }
}
