// The level progress bar, rendered for real and read back pixel by pixel.
#include "ui/AdvProgressBar.h"

#include <gtest/gtest.h>

#include "win32/DrawTestSupport.h"

namespace {

// The progress window's bar: 433 x 18 at (12, 92) on a maroon form.
constexpr int kX = 12, kY = 92;

TAdvProgressBar::Props WindowBar() {
  TAdvProgressBar::Props p;
  p.Level0ColorTo = RgbColour(0xE1, 0xFF, 0xE1);
  p.Level1ColorTo = RgbColour(0xFF, 0xFF, 0xCA);
  p.Level2Color = RgbColour(0xFF, 0xA9, 0x53);
  p.Level2ColorTo = RgbColour(0xFF, 0xD3, 0xA8);
  p.Level3ColorTo = RgbColour(0xFF, 0xCA, 0xCA);
  return p;
}

struct LevelCase {
  int percent;
  uint32_t strong;
  uint32_t light;
};

class BarLevels : public testing::TestWithParam<LevelCase> {};

TEST_P(BarLevels, FirstBlockShowsTheLevelColours) {
  auto form = MakeHostForm(457, 180);
  auto& bar = form->Add(std::make_unique<TAdvProgressBar>("pbar", Rect{kX, kY, kX + 433, kY + 18}, WindowBar()));
  bar.SetPosition(GetParam().percent);
  const RgbImage img = Render(*form);
  // The block's lower half starts with the strong colour at the middle row (y = 9); its top row
  // (y = 2) is the light colour.
  EXPECT_EQ(img.Pixel(kX + 5, kY + 9), GetParam().strong);
  EXPECT_EQ(img.Pixel(kX + 5, kY + 2), GetParam().light);
  // The last block of a full bar ends at x = 431; the gap beyond it is background.
  if (GetParam().percent == 100) {
    EXPECT_EQ(img.Pixel(kX + 431, kY + 9), GetParam().strong);
    EXPECT_EQ(img.Pixel(kX + 432, kY + 9), 0x808080u);
  }
}

INSTANTIATE_TEST_SUITE_P(Percentages, BarLevels,
                         testing::Values(LevelCase{69, 0x00FF00, 0xE1FFE1}, LevelCase{70, 0xFFFF00, 0xFFFFCA},
                                         LevelCase{89, 0xFFFF00, 0xFFFFCA}, LevelCase{90, 0xFFA953, 0xFFD3A8},
                                         LevelCase{99, 0xFFA953, 0xFFD3A8}, LevelCase{100, 0xFF0000, 0xFFCACA}),
                         [](const testing::TestParamInfo<LevelCase>& info) {
                           return "Percent" + std::to_string(info.param.percent);
                         });

TEST(AdvProgressBar, BlocksFollowTheFilledLength) {
  // 102 wide: the length along the bar is 100, so the filled length equals the percentage.
  auto form = MakeHostForm(200, 40);
  TAdvProgressBar::Props props = WindowBar();
  props.ShowPosition = false;
  auto& bar = form->Add(std::make_unique<TAdvProgressBar>("pbar", Rect{10, 10, 112, 28}, props));
  struct Case {
    int filled;
    std::vector<std::pair<int, bool>> columns;  // x inside the bar, filled?
  };
  const Case cases[] = {
      {1, {{1, false}, {2, false}, {3, false}}},
      {2, {{1, false}, {2, true}, {3, false}}},
      {9, {{2, true}, {9, true}, {10, false}}},
      {10, {{8, true}, {9, false}, {11, false}}},
      {18, {{8, true}, {9, false}, {10, false}, {11, true}, {17, true}, {18, false}}},
      {19, {{11, true}, {17, true}, {18, false}, {20, false}}},
      {21, {{18, false}, {19, false}, {20, true}, {21, true}, {22, false}}},
      {100, {{92, true}, {98, true}, {99, false}, {100, false}}},
  };
  for (const auto& c : cases) {
    bar.SetPosition(c.filled);
    const RgbImage img = Render(*form);
    for (const auto& [x, filled] : c.columns)
      EXPECT_EQ(img.Pixel(10 + x, 10 + 9) != 0xFFFFFF && img.Pixel(10 + x, 10 + 9) != 0x808080, filled)
          << "F=" << c.filled << " x=" << x;
  }
}

TEST(AdvProgressBar, EmptyRangeAndZeroPositionShowTheEmptyFrame) {
  auto form = MakeHostForm(457, 180);
  auto& bar = form->Add(std::make_unique<TAdvProgressBar>("pbar", Rect{kX, kY, kX + 433, kY + 18}, WindowBar()));
  const std::pair<int, int> ranges[] = {{0, 0}, {500, 500}, {-3, -3}};
  for (const auto& [limit, position] : ranges) {
    bar.SetMin(limit);
    bar.SetMax(limit);
    bar.SetPosition(position);
    EXPECT_EQ(bar.Percent(), 0);
    const RgbImage img = Render(*form);
    for (int x = 2; x < 100; ++x) ASSERT_EQ(img.Pixel(kX + x, kY + 9), 0xFFFFFFu) << x;
  }
}

TEST(AdvProgressBar, RoundedCornersShowTheParentAndSquareOnesDoNot) {
  auto form = MakeHostForm(457, 180);
  auto& bar = form->Add(std::make_unique<TAdvProgressBar>("pbar", Rect{kX, kY, kX + 433, kY + 18}, WindowBar()));
  bar.SetPosition(0);
  RgbImage img = Render(*form);
  const uint32_t maroon = 0x800000;
  for (auto [x, y] : {std::pair{0, 0}, std::pair{432, 0}, std::pair{0, 17}, std::pair{432, 17}})
    EXPECT_EQ(img.Pixel(kX + x, kY + y), maroon) << x << "," << y;
  EXPECT_EQ(img.Pixel(kX + 300, kY), 0x808080u);
  EXPECT_EQ(img.Pixel(kX + 300, kY + 17), 0x808080u);
  EXPECT_EQ(img.Pixel(kX + 300, kY + 4), 0xFFFFFFu);
  // No magenta is left anywhere.
  for (int y = kY; y < kY + 18; ++y)
    for (int x = kX; x < kX + 433; ++x) ASSERT_NE(img.Pixel(x, y), 0xFF00FFu) << x << "," << y;

  TAdvProgressBar::Props square = WindowBar();
  square.Rounded = false;
  square.Position = 0;
  bar.SetLook(square);
  img = Render(*form);
  EXPECT_EQ(img.Pixel(kX, kY), 0x808080u);
  EXPECT_EQ(img.Pixel(kX + 432, kY + 17), 0x808080u);
}

TEST(AdvProgressBar, PositionPaintsAtOnceOnlyWhenItCanChangeThePicture) {
  auto form = MakeHostForm(457, 180);
  auto& bar = form->Add(std::make_unique<TAdvProgressBar>("pbar", Rect{kX, kY, kX + 433, kY + 18}, WindowBar()));
  ::ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  ::UpdateWindow(form->Handle());
  bar.SetMax(123456);
  ::ValidateRect(form->Handle(), nullptr);

  struct Step {
    int value;
    bool painted;
    int stored;
  };
  const Step steps[] = {
      {0, true, 0},          {1000, true, 1000},       {1001, false, 1001}, {1234, true, 1234},
      {999999, false, 123456},  // above Max: shown as Max later, nothing painted now
      {-5, false, 0},        {123456, true, 123456},
  };
  for (const auto& s : steps) {
    const long before = form->PaintCount();
    bar.SetPosition(s.value);
    EXPECT_EQ(form->PaintCount() - before, s.painted ? 1 : 0) << s.value;
    EXPECT_FALSE(::GetUpdateRect(form->Handle(), nullptr, FALSE)) << s.value;
    EXPECT_EQ(bar.Position(), s.stored) << s.value;
  }
  // The value held at Max shows as a full red bar when the bar is next painted.
  bar.SetPosition(999999);
  EXPECT_EQ(Render(*form).Pixel(kX + 5, kY + 9), 0xFF0000u);
}

}  // namespace
