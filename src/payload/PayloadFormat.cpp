#include "payload/PayloadFormat.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "payload/InflateBuffer.h"
#include "support/FileNameRules.h"

namespace {

std::uint32_t ReadLe32(const std::uint8_t* p) noexcept {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void WriteLe32(std::uint8_t* p, std::uint32_t value) noexcept {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
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

void DecipherPayload(std::string_view key, std::uint8_t* buffer, std::size_t length) noexcept {
  if (key.empty()) return;
  for (std::size_t i = 0, k = 0; i < length; ++i) {
    buffer[i] = static_cast<std::uint8_t>(buffer[i] - static_cast<std::uint8_t>(key[k]));
    if (++k == key.size()) k = 0;
  }
}

void EncipherPayload(std::string_view key, std::uint8_t* buffer, std::size_t length) noexcept {
  if (key.empty()) return;
  for (std::size_t i = 0, k = 0; i < length; ++i) {
    buffer[i] = static_cast<std::uint8_t>(buffer[i] + static_cast<std::uint8_t>(key[k]));
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

std::array<std::uint8_t, kPayloadHeaderSize> ComposePayloadHeader(const PayloadHeader& header) {
  std::array<std::uint8_t, kPayloadHeaderSize> out{};
  std::memcpy(out.data() + kPayloadMarkerOffset, header.marker.data(), header.marker.size());
  WriteLe32(out.data() + kPayloadPlainSizeOffset, static_cast<std::uint32_t>(header.plainSize));
  WriteLe32(out.data() + kPayloadSpareOffset, header.spare);
  WriteLe32(out.data() + kPayloadTimeStampOffset, static_cast<std::uint32_t>(header.timeStamp));
  const std::size_t nameLength = std::min(header.fileName.size(), kPayloadMaxFileName);
  out[kPayloadFileNameOffset] = static_cast<std::uint8_t>(nameLength);
  std::memcpy(out.data() + kPayloadFileNameOffset + 1, header.fileName.data(), nameLength);
  return out;
}

void DecodePayloadItem(std::string_view itemName, std::string_view key, std::uint8_t* item, std::size_t itemLength,
                       std::string& fileName, std::int32_t& timeStamp, std::string& bytes) {
  bytes.clear();
  DecipherPayload(key, item, itemLength);
  const PayloadHeader header = ParsePayloadHeader(item, itemLength, itemName);
  fileName = header.fileName;
  timeStamp = header.timeStamp;
  const auto plainSize = static_cast<std::size_t>(header.plainSize);

  try {
    // The output may never grow past PlainSize: a longer body is damaged whatever it holds.
    // The body is the stream and nothing else: bytes after its end mean the item was cut out
    // of the file with the wrong length.
    const std::size_t bodyLength = itemLength - kPayloadHeaderSize;
    InflateStats stats;
    InflatedBuffer inflated = InflateBuffer(item + kPayloadHeaderSize, bodyLength, plainSize, &stats, plainSize);
    if (inflated.length != plainSize || stats.inputUsed != bodyLength) throw EPayloadDamaged(itemName);
    bytes.assign(reinterpret_cast<const char*>(inflated.data.get()), inflated.length);
  } catch (const EInflateLimitExceeded&) {
    throw EPayloadDamaged(itemName);
  } catch (const std::bad_alloc&) {
    // A PlainSize that no memory can hold comes from a damaged header, not from a file the
    // packing tool could have read.
    bytes.clear();
    throw EPayloadDamaged(itemName);
  }
}
