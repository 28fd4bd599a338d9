// libFuzzer target: arbitrary bytes through the payload item reader and the growing inflate.
// The first input byte picks the mode: bit 0 set = the rest is a plain item that is enciphered
// first (so the fuzzer shapes the header directly), clear = the rest is a stored item;
// bit 1 set = the rest is also inflated on its own with a hint from the upper bits.
// Anything but the reader's own errors, or an answer that breaks the format's rules, is a crash.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "payload/InflateBuffer.h"
#include "payload/PayloadFormat.h"

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
  std::string fileName, bytes;
  std::int32_t stamp = 0;
  try {
    DecodePayloadItem("rs_fuzz", key, item.data(), item.size(), fileName, stamp, bytes);
    const PayloadHeader header = ParsePayloadHeader(item.data(), item.size(), "rs_fuzz");
    if (bytes.size() != static_cast<std::size_t>(header.plainSize) || fileName != header.fileName ||
        !IsBareFileName(fileName) || stamp != header.timeStamp)
      std::abort();
  } catch (const EPayloadDamaged&) {
    if (!bytes.empty()) std::abort();
  } catch (const EDecompressionError&) {
    if (!bytes.empty()) std::abort();
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
