#pragma once
// A pixel rectangle in the system's sense: left and top inside, right and bottom just outside.

#include <algorithm>

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  constexpr Rect Inflated(int d) const { return Rect{left - d, top - d, right + d, bottom + d}; }
  constexpr Rect Offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr Rect Intersect(const Rect& o) const {
    return Rect{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
  }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect RectOfSize(int width, int height) { return Rect{0, 0, width, height}; }
