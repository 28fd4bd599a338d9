#include "qlxpack/PayloadEncoder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <zlib.h>

namespace {

void WriteLe32(std::uint8_t* p, std::uint32_t value) noexcept {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

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

void EncipherPayload(std::string_view key, std::uint8_t* buffer, std::size_t length) noexcept {
  if (key.empty()) return;
  for (std::size_t i = 0, k = 0; i < length; ++i) {
    buffer[i] = static_cast<std::uint8_t>(buffer[i] + static_cast<std::uint8_t>(key[k]));
    if (++k == key.size()) k = 0;
  }
}

std::vector<std::uint8_t> CompressZlib(std::string_view plain, int level) {
  uLongf bound = compressBound(static_cast<uLong>(plain.size()));
  std::vector<std::uint8_t> out(bound);
  const int result = compress2(out.data(), &bound, reinterpret_cast<const Bytef*>(plain.data()),
                               static_cast<uLong>(plain.size()), level);
  if (result != Z_OK) throw std::runtime_error("zlib compression failed");
  out.resize(bound);
  return out;
}

std::vector<std::uint8_t> ComposePayloadItem(const PayloadHeader& header, const std::vector<std::uint8_t>& body) {
  const auto head = ComposePayloadHeader(header);
  std::vector<std::uint8_t> item(head.begin(), head.end());
  item.insert(item.end(), body.begin(), body.end());
  return item;
}

std::vector<std::uint8_t> EncodePayloadItem(const std::string& fileName, std::int32_t timeStamp,
                                            std::string_view plain, int level) {
  if (!IsBareFileName(fileName)) throw std::invalid_argument("not a bare file name: " + fileName);
  if (plain.size() > 0x7FFFFFFFu) throw std::invalid_argument("file of 2 GiB or more: " + fileName);
  return EncodePayloadStream(fileName, timeStamp, plain.size(), CompressZlib(plain, level));
}

std::vector<std::uint8_t> EncodePayloadStream(const std::string& fileName, std::int32_t timeStamp,
                                              std::uint64_t plainSize, const std::vector<std::uint8_t>& stream) {
  if (!IsBareFileName(fileName)) throw std::invalid_argument("not a bare file name: " + fileName);
  if (plainSize > 0x7FFFFFFFu) throw std::invalid_argument("file of 2 GiB or more: " + fileName);
  PayloadHeader header;
  header.plainSize = static_cast<std::int32_t>(plainSize);
  header.timeStamp = timeStamp;
  header.fileName = fileName;
  std::vector<std::uint8_t> item = ComposePayloadItem(header, stream);
  PseudoRandom generator;
  EncipherPayload(BuildPayloadKey(generator, kPayloadSeed), item.data(), item.size());
  return item;
}
