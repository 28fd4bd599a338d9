// A window's scale: logical pixels (the layout at 96 DPI) to device pixels and back, rounded as
// GDI rounds a scaled coordinate, so that drawing, child windows and invalidated areas agree.
#include <gtest/gtest.h>

#include "ui/DpiScale.h"

namespace {

TEST(DpiScale, MapsCoordinatesSizesAndFontHeights) {
  // dpi, logical, device: halves go up, as GDI's (144 DPI, odd coordinates).
  const int rows[][3] = {{96, 451, 451}, {96, -7, -7}, {120, 2, 3}, {120, 3, 4},   {144, 1, 2},    {144, 3, 5},
                         {144, -1, -1},  {144, -3, -4}, {144, 451, 677}, {168, 13, 23}, {192, -13, -26}, {288, 682, 2046}};
  for (const auto& [dpi, logical, device] : rows) {
    const DpiScale s{dpi};
    EXPECT_EQ(s.ToDevice(logical), device) << dpi << " " << logical;
    EXPECT_EQ(s.FontHeight(-logical), -s.FontHeight(logical)) << dpi << " " << logical;
    if (logical > 0) EXPECT_EQ(s.NearestLogical(device), logical) << dpi << " " << logical;
  }
  EXPECT_EQ(DpiScale{144}.FontHeight(-13), -20);
}

TEST(DpiScale, EdgesMeetAndMousePixelsFindTheirLogicalPixel) {
  for (int dpi : {96, 120, 144, 168, 192, 240})
    for (int x = 0; x < 300; ++x) {
      const DpiScale s{dpi};
      EXPECT_EQ(s.ToDevice(Rect{3, 5, x, 9}).right, s.ToDevice(Rect{x, 5, x + 7, 9}).left);
      EXPECT_TRUE(s.ToLogical(x) * dpi <= x * 96 && (s.ToLogical(x) + 1) * dpi > x * 96) << dpi << " " << x;
      EXPECT_LE(s.ToDevice(s.Covering(Rect{x, x, x + 9, x + 9}).left), x);
    }
}

}  // namespace
