#include "ui/Cursors.h"

#include <array>
#include <cstdint>

namespace {
// 32 x 32: '#' black, '.' white, ' ' transparent.
constexpr std::array<const char*, 22> kDragShape = {
    "#",
    "##",
    "#.#",
    "#..#",
    "#...#",
    "#....#",
    "#.....#",
    "#......#",
    "#.......#",
    "#........#",
    "#.....#####",
    "#..#..#",
    "#.# #..#",
    "##  #..#",
    "#    #..#",
    "     #..#",
    "    ##.#########",
    "    #..........#",
    "    #..........#",
    "    #..........#",
    "    #..........#",
    "    ############",
};

class OwnedCursor {
 public:
  OwnedCursor() {
    // Monochrome cursor: AND mask 1 = transparent; XOR mask 1 = white where AND is 0.
    std::array<std::uint8_t, 128> andMask;
    std::array<std::uint8_t, 128> xorMask{};
    andMask.fill(0xFF);
    for (std::size_t y = 0; y < kDragShape.size(); ++y)
      for (std::size_t x = 0; kDragShape[y][x]; ++x) {
        const char c = kDragShape[y][x];
        if (c == ' ') continue;
        const std::size_t byte = y * 4 + x / 8;
        const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
        andMask[byte] &= static_cast<std::uint8_t>(~bit);
        if (c == '.') xorMask[byte] |= bit;
      }
    m_cursor = ::CreateCursor(::GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask.data(), xorMask.data());
  }
  OwnedCursor(const OwnedCursor&) = delete;
  OwnedCursor& operator=(const OwnedCursor&) = delete;
  ~OwnedCursor() {
    if (m_cursor) ::DestroyCursor(m_cursor);
  }
  HCURSOR Get() const { return m_cursor ? m_cursor : ::LoadCursorA(nullptr, IDC_ARROW); }

 private:
  HCURSOR m_cursor = nullptr;
};
}  // namespace

HCURSOR DragCursor() {
  static const OwnedCursor cursor;
  return cursor.Get();
}
