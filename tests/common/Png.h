#pragma once
// Minimal PNG writer for test artefacts (screenshots, control galleries): 8-bit RGB, one IDAT.

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width * height * 3, rows top to bottom

  uint32_t Pixel(int x, int y) const;  // 0xRRGGBB
};

// Returns false when the file cannot be written.
bool WritePng(const std::string& path, const RgbImage& image);
