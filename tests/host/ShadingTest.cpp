#include "ui/Shading.h"

#include <gtest/gtest.h>

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kMaroon{128, 0, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kOrangeRed{255, 0x4D, 0};

// The colour each row ends up with after all bands are painted in order; -1 rows never painted.
std::vector<int> FinalRed(const std::vector<ShadedRect>& bands, int height) {
  std::vector<int> rows(static_cast<size_t>(height), -1);
  for (const auto& b : bands)
    for (int y = b.rect.top; y < b.rect.bottom; ++y) rows[static_cast<size_t>(y)] = b.colour.r;
  return rows;
}

struct BandProbe {
  int index;
  int top, bottom;
  Rgb colour;
};

struct ShadeCase {
  const char* what;
  Rect area;
  Rect clip;
  int count;
  Rgb from, to;
  BandLength rule;
  size_t bands;
  std::vector<BandProbe> probes;
};

class ShadeSizes : public testing::TestWithParam<ShadeCase> {};

TEST_P(ShadeSizes, BandsCoverTheAreaWithTheirColours) {
  const ShadeCase& c = GetParam();
  const auto bands = ShadeVertically(c.area, c.count, c.from, c.to, c.rule, c.clip);
  ASSERT_EQ(bands.size(), c.bands) << c.what;
  for (const auto& p : c.probes) {
    const auto& b = bands.at(static_cast<size_t>(p.index));
    EXPECT_EQ(b.rect.top, p.top) << c.what << " band " << p.index;
    EXPECT_EQ(b.rect.bottom, p.bottom) << c.what << " band " << p.index;
    EXPECT_EQ(b.colour, p.colour) << c.what << " band " << p.index;
    EXPECT_EQ(b.rect.left, std::max(c.area.left, c.clip.left));
    EXPECT_EQ(b.rect.right, std::min(c.area.right, c.clip.right));
  }
  // No row of the clipped area is left unpainted.
  const Rect visible = c.area.Intersect(c.clip);
  const auto rows = FinalRed(bands, c.clip.bottom);
  for (int y = visible.top; y < visible.bottom; ++y) EXPECT_NE(rows[static_cast<size_t>(y)], -1) << c.what << " row " << y;
}

INSTANTIATE_TEST_SUITE_P(
    WindowSizes, ShadeSizes,
    testing::Values(
        // Panels: 32 bands, trunc(h) + 1 long, clipped to the panel.
        ShadeCase{"panel 457x139", {0, 0, 457, 139}, {0, 0, 457, 139}, 32, kRed, kMaroon, BandLength::TruncPlusOne, 32,
                  {{0, 0, 5, kRed}, {16, 70, 75, {191, 0, 0}}, {31, 135, 139, {132, 0, 0}}}},
        ShadeCase{"panel 457x41", {0, 0, 457, 41}, {0, 0, 457, 41}, 32, kRed, kMaroon, BandLength::TruncPlusOne, 32,
                  {{8, 10, 12, {223, 0, 0}}, {16, 20, 22, {191, 0, 0}}, {31, 40, 41, {132, 0, 0}}}},
        ShadeCase{"left column 185x400", {0, 0, 185, 400}, {0, 0, 185, 400}, 32, kOrangeRed, kMaroon,
                  BandLength::TruncPlusOne, 32,
                  {{1, 12, 25, {251, 75, 0}}, {3, 38, 51, {243, 70, 0}}, {31, 388, 400, {132, 2, 0}}}},
        // A panel lower than the band count: one-pixel bands, later ones over earlier ones.
        ShadeCase{"panel 457x20", {0, 0, 457, 20}, {0, 0, 457, 20}, 32, kRed, kMaroon, BandLength::TruncPlusOne, 32,
                  {{0, 0, 1, kRed}, {4, 2, 3, {239, 0, 0}}, {31, 19, 20, {132, 0, 0}}}},
        // One row high: bands from 17 on start below it and are dropped.
        ShadeCase{"panel 457x1", {0, 0, 457, 1}, {0, 0, 457, 1}, 32, kRed, kMaroon, BandLength::TruncPlusOne, 17,
                  {{16, 0, 1, {191, 0, 0}}}},
        ShadeCase{"panel 0 high", {0, 0, 457, 0}, {0, 0, 457, 0}, 32, kRed, kMaroon, BandLength::TruncPlusOne, 0, {}},
        // Buttons: 16 bands over the face (1 pixel in), round(h) + 1 long; the last band reaches
        // into the button's own bottom row.
        ShadeCase{"button 73x22", {1, 1, 72, 21}, {0, 0, 73, 22}, 16, kRed, kMaroon, BandLength::RoundPlusOne, 16,
                  {{2, 3, 5, {239, 0, 0}}, {6, 9, 11, {207, 0, 0}}, {8, 11, 13, {191, 0, 0}}, {15, 20, 22, {136, 0, 0}}}},
        ShadeCase{"button 114x26", {1, 1, 113, 25}, {0, 0, 114, 26}, 16, kRed, kBlack, BandLength::RoundPlusOne, 16,
                  {{1, 3, 6, {239, 0, 0}}, {3, 5, 8, {207, 0, 0}}, {15, 23, 26, {16, 0, 0}}}},
        // Progress block halves of a bar 18 high: 7 rows in 8 one-pixel bands.
        ShadeCase{"bar upper half", {2, 2, 9, 9}, {2, 2, 9, 9}, 8, {225, 255, 225}, {0, 255, 0},
                  BandLength::TruncPlusOne, 8,
                  {{0, 2, 3, {225, 255, 225}}, {4, 6, 7, {113, 255, 113}}, {5, 6, 7, {84, 255, 84}},
                   {7, 8, 9, {28, 255, 28}}}},
        ShadeCase{"bar lower half", {2, 9, 9, 16}, {2, 9, 9, 16}, 8, {0, 255, 0}, {225, 255, 225},
                  BandLength::TruncPlusOne, 8, {{0, 9, 10, {0, 255, 0}}, {7, 15, 16, {197, 255, 197}}}}),
    [](const testing::TestParamInfo<ShadeCase>& info) { return "Case" + std::to_string(info.index); });

TEST(Shading, BandCountBelowOneIsOneBand) {
  for (int count : {0, -5}) {
    const auto bands = ShadeBands(0, 10, count, kRed, kBlack, BandLength::TruncPlusOne, 0, 10);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], (Band{0, 10, kRed}));
  }
}

TEST(Shading, NegativeExtentPaintsNothingOutsideTheClip) {
  const auto bands = ShadeBands(5, -40, 32, kRed, kBlack, BandLength::RoundPlusOne, 0, 5);
  for (const auto& b : bands) {
    EXPECT_GE(b.start, 0);
    EXPECT_LE(b.end, 5);
  }
}

TEST(Shading, StepColourReachesTheEndOnlyAtTheLastStep) {
  EXPECT_EQ(StepColour(kMaroon, kRed, 0, 100), kMaroon);
  EXPECT_EQ(StepColour(kMaroon, kRed, 99, 100), (Rgb{254, 0, 0}));
  EXPECT_EQ(StepColour(kMaroon, kRed, 100, 100), kRed);
  // Beyond the last step the channel is held within 0..255.
  EXPECT_EQ(StepColour(kMaroon, kRed, 300, 100), kRed);
}

}  // namespace
