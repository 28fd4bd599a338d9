// libFuzzer target: arbitrary bytes through the payload item reader and the growing inflate.
// The first input byte picks the mode: bit 0 set = the rest is a plain item that is enciphered
// first (so the fuzzer shapes the header directly), clear = the rest is a stored item;
// bit 1 set = the rest is also inflated on its own with a hint from the upper bits.
// The item is also streamed from where it lies; both readers must come to the same answer.
// Anything but the reader's own errors, or an answer that breaks the format's rules, is a crash.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "payload/InflateBuffer.h"
#include "payload/ItemStream.h"
#include "payload/PayloadFormat.h"
#include "qlxpack/PayloadEncoder.h"

namespace {

// 0 read, 1 damaged, 2 rejected by zlib.
int Streamed(const std::string& key, const std::vector<std::uint8_t>& item, std::string& bytes) {
  struct Sink : PlainSink {
    std::string& out;
    explicit Sink(std::string& o) : out(o) {}
    void Take(const std::uint8_t* b, std::size_t n) override { out.append(reinterpret_cast<const char*>(b), n); }
  } sink(bytes);
  try {
    StreamPayloadItem("rs_fuzz", key, item.data(), item.size(), sink);
    return 0;
  } catch (const EPayloadDamaged&) {
    return 1;
  } catch (const EDecompressionError&) {
    return 2;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const std::string key = [] {
    PseudoRandom generator;
    return BuildPayloadKey(generator, kPayloadSeed);
  }();
  const std::uint8_t mode = data[0];
  ++data;
  --size;

  std::vector<std::uint8_t> item(data, data + size);
  if (mode & 1) EncipherPayload(key, item.data(), item.size());
  std::string streamedBytes;
  const int streamed = Streamed(key, item, streamedBytes);
  std::string fileName, bytes;
  std::int32_t stamp = 0;
  try {
    DecodePayloadItem("rs_fuzz", key, item.data(), item.size(), fileName, stamp, bytes);
    const PayloadHeader header = ParsePayloadHeader(item.data(), item.size(), "rs_fuzz");
    if (bytes.size() != static_cast<std::size_t>(header.plainSize) || fileName != header.fileName ||
        !IsBareFileName(fileName) || stamp != header.timeStamp)
      std::abort();
    if (streamed != 0 || streamedBytes != bytes) std::abort();
  } catch (const EPayloadDamaged&) {
    if (!bytes.empty() || streamed != 1) std::abort();
  } catch (const EDecompressionError&) {
    if (!bytes.empty() || streamed != 2) std::abort();
  }

  if (mode & 2) {
    try {
      const InflatedBuffer out = InflateBuffer(data, size, static_cast<std::size_t>(mode >> 2) * 64);
      if ((out.length == 0) != (out.data == nullptr)) std::abort();
    } catch (const EDecompressionError&) {
    }
  }
  return 0;
}
