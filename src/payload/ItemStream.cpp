#include "payload/ItemStream.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include <zlib.h>

#include "payload/InflateBuffer.h"

namespace {

// Pieces of the item are deciphered from a whole number of key lengths, so that each piece
// starts at key index 0.
constexpr std::size_t kInputPiece = kPayloadKeyLength * 1310;  // 65,500 bytes
constexpr std::size_t kOutputPiece = 256 * 1024;

struct InflateEnd {
  void operator()(z_stream* zs) const noexcept { inflateEnd(zs); }
};

}  // namespace

PayloadHeader StreamPayloadItem(std::string_view itemName, std::string_view key, const std::uint8_t* item,
                                std::size_t itemLength, PlainSink& sink) {
  if (itemLength < kPayloadHeaderSize) throw EPayloadDamaged(itemName);
  std::vector<std::uint8_t> input(std::min(kInputPiece, itemLength));
  std::memcpy(input.data(), item, input.size());
  DecipherPayload(key, input.data(), input.size());
  const PayloadHeader header = ParsePayloadHeader(input.data(), itemLength, itemName);
  const auto plainSize = static_cast<std::uint64_t>(header.plainSize);
  sink.Begin(header);

  z_stream zs{};
  zs.next_in = input.data() + kPayloadHeaderSize;
  zs.avail_in = static_cast<uInt>(input.size() - kPayloadHeaderSize);
  const int init = inflateInit(&zs);
  if (init == Z_MEM_ERROR) throw std::bad_alloc();
  if (init != Z_OK) throw EDecompressionError();
  const std::unique_ptr<z_stream, InflateEnd> open(&zs);

  std::vector<std::uint8_t> output(kOutputPiece);
  std::size_t read = input.size();  // item bytes deciphered so far
  std::uint64_t produced = 0;
  for (;;) {
    if (zs.avail_in == 0 && read < itemLength) {
      const std::size_t piece = std::min(kInputPiece, itemLength - read);
      std::memcpy(input.data(), item + read, piece);
      DecipherPayload(key, input.data(), piece);
      zs.next_in = input.data();
      zs.avail_in = static_cast<uInt>(piece);
      read += piece;
    }
    // The output never gets room past PlainSize: a stream that holds more is damaged whatever
    // follows, as when the whole file is inflated into a buffer of that size.
    zs.next_out = output.data();
    zs.avail_out = static_cast<uInt>(std::min<std::uint64_t>(output.size(), plainSize - produced));
    const int result = inflate(&zs, Z_NO_FLUSH);
    const std::size_t got = static_cast<std::size_t>(zs.next_out - output.data());
    if (got != 0) {
      produced += got;
      sink.Take(output.data(), got);
    }
    if (result == Z_STREAM_END) break;
    if (result == Z_OK) continue;
    const bool inputLeft = zs.avail_in != 0 || read < itemLength;
    if (result == Z_BUF_ERROR && zs.avail_out == 0 && inputLeft) throw EPayloadDamaged(itemName);
    if (result == Z_MEM_ERROR) throw std::bad_alloc();
    throw EDecompressionError();
  }
  // The body is the stream and nothing else: bytes after its end mean the item was cut out of
  // the file with the wrong length.
  if (produced != plainSize || zs.avail_in != 0 || read != itemLength) throw EPayloadDamaged(itemName);
  return header;
}
