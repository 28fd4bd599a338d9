#include "ui/Colour.h"

#include <climits>

#include <gtest/gtest.h>

#include "ui/Rounding.h"

namespace {

struct RatioCase {
  long long num, den;
  int expected;
};

TEST(Rounding, RatioRoundsHalvesToEven) {
  const RatioCase cases[] = {
      {5, 2, 2},   {7, 2, 4},   {-5, 2, -2}, {-7, 2, -4}, {1, 3, 0},           {2, 3, 1},
      {-1, 3, 0},  {-2, 3, -1}, {5, -2, -2}, {0, 7, 0},   {139 * 16, 32, 70},  // 69.5
      {9, 0, 0},   // no division by zero
      {LLONG_MAX / 2, 1, INT_MAX},  {-(LLONG_MAX / 2), 1, INT_MIN},
      {LLONG_MAX - 1, LLONG_MAX, 1}, {LLONG_MAX / 2, LLONG_MAX, 0},  // huge denominators
  };
  for (const auto& c : cases) EXPECT_EQ(RoundRatio(c.num, c.den), c.expected) << c.num << "/" << c.den;
}

TEST(Colour, ParseAcceptsHexAndNamesOnly) {
  const std::pair<const char*, std::optional<TColor>> cases[] = {
      {"#FF4D00", RgbColour(0xFF, 0x4D, 0x00)},
      {"#e98c01", RgbColour(0xE9, 0x8C, 0x01)},
      {"#000000", clBlack},
      {"clMaroon", clMaroon},
      {"clNone", clNone},
      {"clSilver", clSilver},
      {"#FF4D0", std::nullopt},
      {"#FF4D000", std::nullopt},
      {"#GG0000", std::nullopt},
      {"FF0000#", std::nullopt},
      {"", std::nullopt},
      {"#", std::nullopt},
      {"clred", std::nullopt},
      {"clBlue", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseColour(text), expected) << text;
}

TColor FakeSystemColours(int index) { return index == 15 ? RgbColour(1, 2, 3) : 0xFF000000u | RgbColour(9, 9, 9); }

TEST(Colour, ResolveGivesRgbOnlyForColoursWithAMeaning) {
  EXPECT_EQ(ResolveRgb(clRed, FakeSystemColours), (Rgb{255, 0, 0}));
  EXPECT_EQ(ResolveRgb(clBtnFace, FakeSystemColours), (Rgb{1, 2, 3}));
  // The lookup's high byte is ignored.
  EXPECT_EQ(ResolveRgb(clBtnShadow, FakeSystemColours), (Rgb{9, 9, 9}));
  EXPECT_EQ(ResolveRgb(clBtnFace, nullptr), std::nullopt);
  EXPECT_EQ(ResolveRgb(clNone, FakeSystemColours), std::nullopt);
  EXPECT_EQ(ResolveRgb(0x12345678u, FakeSystemColours), std::nullopt);
}

}  // namespace
