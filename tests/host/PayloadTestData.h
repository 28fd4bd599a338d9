#pragma once
// Deterministic test inputs for the payload tests: text that compresses well and bytes that
// do not compress at all.

#include <cstdint>
#include <string>

inline std::string CompressibleText(std::size_t length) {
  static const char kWords[] = "payload item header body deflate stream key ";
  std::string out;
  out.reserve(length);
  std::uint32_t state = 7;
  while (out.size() < length) {
    state = state * 1103515245u + 12345u;
    out += kWords[(state >> 16) % (sizeof kWords - 1)];
  }
  out.resize(length);
  return out;
}

inline std::string NoiseBytes(std::size_t length, std::uint32_t state = 99) {
  std::string out(length, '\0');
  for (char& c : out) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }
  return out;
}
