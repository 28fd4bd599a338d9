// qlxpack inspect: lists and verifies every payload item inside a built executable.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "payload/InflateBuffer.h"
#include "payload/PayloadFormat.h"
#include "qlxpack/Commands.h"
#include "qlxpack/DosDateTime.h"
#include "qlxpack/PeResources.h"

namespace {

std::string Row(const char* item, const char* stored, const char* date, const char* plain, const char* packed,
                const char* ratio, const char* verdict) {
  char line[256];
  std::snprintf(line, sizeof line, "%-12s %-30s %-19s %10s %10s %6s  %s\n", item, stored, date, plain, packed, ratio,
                verdict);
  return line;
}

}  // namespace

int RunInspect(const std::string& executable, std::ostream& out, std::ostream& err) {
  std::ifstream in(executable, std::ios::binary);
  if (!in) {
    err << "qlxpack: cannot read " << executable << "\n";
    return 2;
  }
  const std::vector<std::uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<PeResource> resources;
  try {
    resources = ReadNamedResources(image);
  } catch (const EBadImage& e) {
    err << "qlxpack: " << executable << ": " << e.what() << "\n";
    return 2;
  }

  PseudoRandom generator;
  const std::string key = BuildPayloadKey(generator, kPayloadSeed);
  out << Row("item", "stored name", "date", "plain", "stored", "ratio", "check");
  int items = 0, bad = 0;
  for (const PeResource& r : resources) {
    if (r.name.compare(0, 3, "RS_") != 0) continue;
    ++items;
    std::vector<std::uint8_t> copy(image.begin() + static_cast<std::ptrdiff_t>(r.offset),
                                   image.begin() + static_cast<std::ptrdiff_t>(r.offset + r.size));
    std::string fileName, bytes, verdict = "ok";
    std::int32_t stamp = 0;
    try {
      DecodePayloadItem(r.name, key, copy.data(), copy.size(), fileName, stamp, bytes);
      if (!std::equal(kPayloadMarker.begin(), kPayloadMarker.end(), copy.begin())) verdict = "BAD: marker";
    } catch (const std::exception& e) {
      verdict = std::string("BAD: ") + e.what();
    }
    if (verdict != "ok") ++bad;
    const bool decoded = verdict == "ok";
    char plain[24], packed[24], ratio[24];
    std::snprintf(plain, sizeof plain, "%zu", bytes.size());
    std::snprintf(packed, sizeof packed, "%zu", r.size);
    std::snprintf(ratio, sizeof ratio, "%.1f%%", bytes.empty() ? 0.0 : 100.0 * r.size / bytes.size());
    out << Row(r.name.c_str(), fileName.c_str(), decoded ? FormatDosDateTime(stamp).c_str() : "-",
               decoded ? plain : "-", packed, decoded ? ratio : "-", verdict.c_str());
  }
  out << items << " items, " << bad << " bad\n";
  if (items == 0) err << "qlxpack: " << executable << ": no payload items\n";
  return (bad == 0 && items > 0) ? 0 : 1;
}
