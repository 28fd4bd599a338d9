// The gradient panel and the gradient background, rendered for real and read back.
#include "ui/AdvPanel.h"
#include "ui/JvGradient.h"
#include "ui/Label.h"

#include <gtest/gtest.h>

#include "win32/DrawTestSupport.h"

namespace {

struct PanelCase {
  const char* what;
  Rect bounds;
  TColor color, colorTo;
  TPanelBevel bevel;
  std::vector<std::pair<int, uint32_t>> rowsAtX100;  // y, colour (SysHex codes as negatives)
};

constexpr uint32_t kHighlight = 0xFFFFFFFFu;  // markers for the system colours
constexpr uint32_t kShadow = 0xFFFFFFFEu;

uint32_t Expected(uint32_t v) {
  if (v == kHighlight) return SysHex(COLOR_BTNHIGHLIGHT);
  if (v == kShadow) return SysHex(COLOR_BTNSHADOW);
  return v;
}

TEST(AdvPanel, FacesOfTheWindowsPanels) {
  const PanelCase cases[] = {
      // Progress window: red at the top and about maroon at the bottom, inside a raised edge.
      {"upper area 457x139", {0, 0, 457, 139}, clRed, clMaroon, TPanelBevel::bvRaised,
       {{0, kHighlight}, {1, 0xFF0000}, {69, 0xC30000}, {70, 0xBF0000}, {137, 0x840000}, {138, kShadow}}},
      {"button strip 457x41", {0, 0, 457, 41}, clRed, clMaroon, TPanelBevel::bvRaised,
       {{0, kHighlight}, {1, 0xFB0000}, {20, 0xBF0000}, {39, 0x880000}, {40, kShadow}}},
      // Main window's left column: no edge.
      {"left column 185x400", {0, 0, 185, 400}, RgbColour(0xFF, 0x4D, 0x00), clMaroon, TPanelBevel::bvNone,
       {{0, 0xFF4D00}, {12, 0xFB4B00}, {399, 0x840200}}},
      // Lower than the band count: every row still gets a band, the last one maroon-ish.
      {"20 high", {0, 0, 457, 20}, clRed, clMaroon, TPanelBevel::bvNone,
       {{0, 0xFF0000}, {2, 0xEF0000}, {19, 0x840000}}},
      // ColorTo none: a flat fill.
      {"flat", {0, 0, 457, 139}, clRed, clNone, TPanelBevel::bvRaised, {{1, 0xFF0000}, {137, 0xFF0000}}},
      {"lowered", {0, 0, 457, 41}, clRed, clMaroon, TPanelBevel::bvLowered, {{0, kShadow}, {40, kHighlight}}},
  };
  for (const auto& c : cases) {
    auto form = MakeHostForm(c.bounds.Width(), c.bounds.Height(), clBlack);
    form->Add(std::make_unique<TAdvPanel>(
        "panel", c.bounds, TAdvPanel::Props{.Color = c.color, .ColorTo = c.colorTo, .BevelOuter = c.bevel}));
    const RgbImage img = Render(*form);
    for (const auto& [y, colour] : c.rowsAtX100) EXPECT_EQ(img.Pixel(100, y), Expected(colour)) << c.what << " row " << y;
  }
}

TEST(AdvPanel, RaisedEdgeCorners) {
  auto form = MakeHostForm(457, 41, clBlack);
  form->Add(std::make_unique<TAdvPanel>("panel", Rect{0, 0, 457, 41},
                                        TAdvPanel::Props{.Color = clRed, .ColorTo = clMaroon}));
  const RgbImage img = Render(*form);
  EXPECT_EQ(img.Pixel(0, 0), SysHex(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(img.Pixel(0, 40), SysHex(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(img.Pixel(456, 0), SysHex(COLOR_BTNSHADOW));
  EXPECT_EQ(img.Pixel(456, 40), SysHex(COLOR_BTNSHADOW));
  EXPECT_EQ(img.Pixel(0, 20), SysHex(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(img.Pixel(456, 20), SysHex(COLOR_BTNSHADOW));
  EXPECT_EQ(img.Pixel(1, 1), 0xFB0000u);  // band 1 starts at row 1 when 41 high
}

TEST(AdvPanel, ChildrenUseThePanelFontUnlessTheyHaveTheirOwn) {
  auto form = MakeHostForm(457, 180);
  const TFont panelFont{.Name = "Tahoma", .Height = -16, .Bold = true, .Color = clWhite};
  auto& panel = form->Add(std::make_unique<TAdvPanel>("panel", Rect{0, 0, 185, 400},
                                                      TAdvPanel::Props{.Align = TAlign::alLeft, .Font = panelFont}));
  auto& inherits = panel.Add(std::make_unique<Label>("a", Rect{10, 10, 0, 0}, Label::Props{.Caption = "Corvane"}));
  const TFont own{.Name = "Tahoma", .Height = -9, .Bold = true, .Color = clWhite};
  auto& owns = panel.Add(std::make_unique<Label>("b", Rect{10, 50, 0, 0}, Label::Props{.Caption = "Corvane", .Font = own}));
  EXPECT_EQ(inherits.Font(), panelFont);
  EXPECT_EQ(owns.Font(), own);
  // Auto-sized labels measure in their font: the larger font gives the larger label.
  EXPECT_GT(inherits.Height(), owns.Height());
  const int before = inherits.Width();
  panel.SetFont(TFont{.Name = "Tahoma", .Height = -30, .Bold = true, .Color = clWhite});
  EXPECT_GT(inherits.Width(), before);
  EXPECT_EQ(owns.Font(), own);
}

TEST(JvGradient, PyramidHasARedCentreAndMaroonBorderWithoutGaps) {
  auto form = MakeHostForm(489, 390, clBlack);
  form->Add(std::make_unique<TJvGradient>(
      "JvGradient1", Rect{0, 0, 489, 390},
      TJvGradient::Props{.Style = TGradientStyle::grPyramid, .StartColor = clMaroon, .EndColor = clRed}));
  const RgbImage img = Render(*form);
  EXPECT_EQ(img.Pixel(0, 0), 0x800000u);
  EXPECT_EQ(img.Pixel(488, 389), 0x800000u);
  EXPECT_EQ(img.Pixel(244, 195), 0xFE0000u);
  for (int y = 0; y < 390; ++y)
    for (int x = 0; x < 489; ++x) {
      const uint32_t p = img.Pixel(x, y);
      // Only shades between maroon and red: any gap would show the black form.
      ASSERT_EQ(p & 0xFFFF, 0u) << x << "," << y;
      ASSERT_GE(p >> 16, 0x80u) << x << "," << y;
    }
  // Red rises from the border to the centre along the middle row.
  for (int x = 1; x <= 244; ++x) ASSERT_GE(img.Pixel(x, 195), img.Pixel(x - 1, 195)) << x;
}

TEST(JvGradient, StylesDrawWithinTheirRules) {
  struct Case {
    TGradientStyle style;
    std::vector<std::pair<std::pair<int, int>, uint32_t>> pixels;
  };
  const Case cases[] = {
      {TGradientStyle::grVertical, {{{0, 0}, 0x800000}, {{488, 3}, 0x800000}, {{0, 4}, 0x810000}, {{10, 389}, 0xFE0000}}},
      {TGradientStyle::grHorizontal, {{{0, 0}, 0x800000}, {{488, 200}, 0xFE0000}}},
      {TGradientStyle::grFilled, {{{0, 0}, 0x800000}, {{244, 195}, 0x800000}}},
      // Ellipses and rounded rectangles leave the corners in the start colour.
      {TGradientStyle::grEllipse, {{{0, 0}, 0x800000}, {{244, 195}, 0xFE0000}}},
      {TGradientStyle::grMount, {{{0, 0}, 0x800000}, {{244, 195}, 0xFE0000}}},
  };
  for (const auto& c : cases) {
    auto form = MakeHostForm(489, 390, clBlack);
    form->Add(std::make_unique<TJvGradient>(
        "g", Rect{0, 0, 489, 390}, TJvGradient::Props{.Style = c.style, .StartColor = clMaroon, .EndColor = clRed}));
    const RgbImage img = Render(*form);
    for (const auto& [xy, colour] : c.pixels)
      EXPECT_EQ(img.Pixel(xy.first, xy.second), colour) << static_cast<int>(c.style) << " at " << xy.first << "," << xy.second;
  }
}

TEST(JvGradient, RendersOnlyOnARealChange) {
  auto form = MakeHostForm(489, 390, clBlack);
  auto& g = form->Add(std::make_unique<TJvGradient>(
      "g", Rect{0, 0, 489, 390},
      TJvGradient::Props{.Style = TGradientStyle::grVertical, .StartColor = clMaroon, .EndColor = clRed}));
  Render(*form);
  Render(*form);
  EXPECT_EQ(g.RenderCount(), 1);

  g.SetStartColor(clMaroon);
  g.SetEndColor(clRed);
  g.SetStyle(TGradientStyle::grVertical);
  g.SetSteps(100);
  Render(*form);
  EXPECT_EQ(g.RenderCount(), 1);

  g.SetStyle(TGradientStyle::grPyramid);
  Render(*form);
  EXPECT_EQ(g.RenderCount(), 2);
  g.SetSteps(40);
  Render(*form);
  EXPECT_EQ(g.RenderCount(), 3);

  // Zero size: nothing drawn, the form's colour shows; the next real size renders again.
  g.SetSize(0, 390);
  EXPECT_EQ(Render(*form).Pixel(0, 0), 0x000000u);
  g.SetSize(489, 390);
  EXPECT_EQ(Render(*form).Pixel(0, 0), 0x800000u);
  // A new size renders at that size.
  const int rendered = g.RenderCount();
  g.SetSize(100, 50);
  const RgbImage img = Render(*form);
  EXPECT_EQ(g.RenderCount(), rendered + 1);
  EXPECT_EQ(img.Pixel(99, 49), 0x800000u);
  EXPECT_EQ(img.Pixel(100, 49), 0x000000u);
}

TEST(JvGradient, AControlCreatedWithoutASizeRendersOnceItHasOne) {
  auto form = MakeHostForm(100, 60, clBlack);
  auto& g = form->Add(std::make_unique<TJvGradient>(
      "g", Rect{0, 0, 0, 0}, TJvGradient::Props{.Style = TGradientStyle::grPyramid, .StartColor = clMaroon, .EndColor = clRed, .Align = TAlign::alNone}));
  EXPECT_EQ(Render(*form).Pixel(0, 0), 0x000000u);
  EXPECT_EQ(g.RenderCount(), 0);
  g.SetSize(100, 60);
  EXPECT_EQ(Render(*form).Pixel(0, 0), 0x800000u);
  EXPECT_EQ(g.RenderCount(), 1);
}

TEST(JvGradient, NoneColoursAndOddSteps) {
  auto form = MakeHostForm(100, 60, clBlack);
  auto& g = form->Add(std::make_unique<TJvGradient>(
      "g", Rect{0, 0, 100, 60},
      TJvGradient::Props{.Style = TGradientStyle::grVertical, .StartColor = clMaroon, .EndColor = clNone}));
  RgbImage img = Render(*form);
  EXPECT_EQ(img.Pixel(50, 0), 0x800000u);
  EXPECT_EQ(img.Pixel(50, 59), 0x800000u);
  for (int steps : {0, -1, 1, 70000, -70000}) {
    g.SetEndColor(clRed);
    g.SetSteps(steps);
    img = Render(*form);
    EXPECT_EQ(img.Pixel(50, 0), 0x800000u) << steps;
    // Every row is painted whatever the step count.
    for (int y = 0; y < 60; ++y) ASSERT_NE(img.Pixel(50, y), 0x000000u) << steps << " row " << y;
  }
}

}  // namespace
