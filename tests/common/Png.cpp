#include "common/Png.h"

#include <cstdio>
#include <memory>

#include <zlib.h>

namespace {
void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
  PutBe32(out, static_cast<uint32_t>(crc));
}
}  // namespace

uint32_t RgbImage::Pixel(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * width + x) * 3;
  return (uint32_t{rgb[i]} << 16) | (uint32_t{rgb[i + 1]} << 8) | rgb[i + 2];
}

bool WritePng(const std::string& path, const RgbImage& image) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(image.height) * (image.width * 3 + 1));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // filter: none
    const auto* row = image.rgb.data() + static_cast<size_t>(y) * image.width * 3;
    raw.insert(raw.end(), row, row + image.width * 3);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return false;
  packed.resize(packedSize);

  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBe32(header, static_cast<uint32_t>(image.width));
  PutBe32(header, static_cast<uint32_t>(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit, RGB, deflate, no filter, no interlace
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", packed);
  PutChunk(file, "IEND", {});

  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!f) return false;
  return std::fwrite(file.data(), 1, file.size(), f.get()) == file.size();
}
