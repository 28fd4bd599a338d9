// Reads every payload item of this executable with the installer's reader, whole (a file's bytes
// in one string) and streamed (the install run's path: pieces handed to a sink, here dropped),
// and inflates the same zlib streams with a plain zlib call into ready buffers, in one run, side
// by side. Prints MB/s of plain output for each and the ratios to plain. Built in the cross
// tree, run under Wine.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>
#include <zlib.h>

#include "payload/PayloadFormat.h"
#include "payload/PayloadReader.h"
#include "support/win/UniqueHandle.h"

namespace {

const char* const kItems[] = {
    "rs_cmd",    "rs_exe",      "rs_hlp",    "rs_printers", "rs_icon",  "rs_readme", "rs_pa0640", "rs_edkbp",
    "rs_pr32",   "rs_vertxt",   "rs_Manual", "rs_Quick",    "rs_reader", "rs_readergpl", "rs_tip01", "rs_tip02",
    "rs_tip03",  "rs_tip04",    "rs_tip05",  "rs_tip06",    "rs_tip07", "rs_tip08",  "rs_tip09",  "rs_tip10",
    "rs_tip11",  "rs_tip12",    "rs_tip13",  "rs_vnhhttp",  "rs_unins", "rs_dosmon", "rs_conf",   "rs_dosbox",
    "rs_sdl",    "rs_sdl_net"};

double Seconds() {
  LARGE_INTEGER now, freq;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&freq);
  return static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Counts what the streamed read hands over and drops it.
class CountingSink : public PlainSink {
 public:
  void Take(const std::uint8_t*, std::size_t length) override { bytes += length; }
  std::size_t bytes = 0;
};

struct Stream {
  std::vector<std::uint8_t> body;
  std::vector<std::uint8_t> out;
};

// The deciphered zlib bodies, taken out once before timing.
std::vector<Stream> Streams() {
  const std::string key = BuildPayloadKey();
  std::vector<Stream> streams;
  for (const char* name : kItems) {
    HRSRC info = FindResourceA(nullptr, name, RT_RCDATA);
    UniqueLoadedResource loaded(LoadResource(nullptr, info));
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded.get()));
    std::vector<std::uint8_t> item(data, data + SizeofResource(nullptr, info));
    DecipherPayload(key, item.data(), item.size());
    const PayloadHeader header = ParsePayloadHeader(item.data(), item.size(), name);
    Stream s;
    s.body.assign(item.begin() + kPayloadHeaderSize, item.end());
    s.out.resize(std::max<std::size_t>(header.plainSize, 1));
    streams.push_back(std::move(s));
  }
  return streams;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  std::vector<Stream> streams = Streams();
  std::size_t plainPerRound = 0;
  for (const char* name : kItems) {
    std::string fileName, bytes;
    std::int32_t stamp;
    ReadPayloadItem(name, fileName, stamp, bytes);
    plainPerRound += bytes.size();
  }

  const PayloadReader reader;
  double bestReader = 1e30, bestStreamed = 1e30, bestPlain = 1e30;
  for (int batch = 0; batch < 5; ++batch) {
    double t0 = Seconds();
    for (int r = 0; r < rounds; ++r)
      for (const char* name : kItems) {
        std::string fileName, bytes;
        std::int32_t stamp;
        ReadPayloadItem(name, fileName, stamp, bytes);
      }
    bestReader = std::min(bestReader, Seconds() - t0);

    t0 = Seconds();
    CountingSink sink;
    for (int r = 0; r < rounds; ++r)
      for (const char* name : kItems) reader.Extract(name, sink);
    if (sink.bytes != plainPerRound * static_cast<std::size_t>(rounds)) return 1;
    bestStreamed = std::min(bestStreamed, Seconds() - t0);

    t0 = Seconds();
    for (int r = 0; r < rounds; ++r)
      for (Stream& s : streams) {
        uLongf length = static_cast<uLongf>(s.out.size());
        if (uncompress(s.out.data(), &length, s.body.data(), static_cast<uLong>(s.body.size())) != Z_OK) return 1;
      }
    bestPlain = std::min(bestPlain, Seconds() - t0);
  }
  const double mb = static_cast<double>(plainPerRound) * rounds / 1e6;
  std::printf("items %zu, plain bytes per round %zu, rounds %d (best of 5 batches)\n", std::size(kItems), plainPerRound,
              rounds);
  std::printf("ReadPayloadItem   %8.1f MB/s\n", mb / bestReader);
  std::printf("streamed (install) %7.1f MB/s\n", mb / bestStreamed);
  std::printf("plain uncompress  %8.1f MB/s\n", mb / bestPlain);
  std::printf("ratio reader/plain %.2f, streamed/plain %.2f\n", bestPlain / bestReader, bestPlain / bestStreamed);
  return 0;
}
