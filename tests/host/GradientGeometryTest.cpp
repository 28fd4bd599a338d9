#include "ui/GradientGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr Rgb kMaroon{128, 0, 0};
constexpr Rgb kRed{255, 0, 0};

// Paints a plan into a grid of red values (-1 = never painted) the way the renderer fills
// rectangles; ellipses and rounded rectangles count as their bounding box here.
std::vector<int> Rasterise(const GradientPlan& plan, int w, int h) {
  std::vector<int> px(static_cast<size_t>(w * h), -1);
  if (plan.fillBackground) std::fill(px.begin(), px.end(), plan.background.r);
  for (const auto& s : plan.shapes)
    for (int y = std::max(0, s.rect.top); y < std::min(h, s.rect.bottom); ++y)
      for (int x = std::max(0, s.rect.left); x < std::min(w, s.rect.right); ++x) px[static_cast<size_t>(y * w + x)] = s.colour.r;
  return px;
}

struct ShapeProbe {
  size_t index;
  Rect rect;
  Rgb colour;
};

struct PlanCase {
  const char* what;
  TGradientStyle style;
  int w, h, steps;
  int effectiveSteps;
  size_t shapes;
  bool background;
  std::vector<ShapeProbe> probes;
};

class GradientPlans : public testing::TestWithParam<PlanCase> {};

TEST_P(GradientPlans, StepsShapesAndColours) {
  const PlanCase& c = GetParam();
  const GradientPlan plan = PlanGradient(c.style, c.w, c.h, c.steps, kMaroon, kRed);
  EXPECT_EQ(plan.steps, c.effectiveSteps) << c.what;
  EXPECT_EQ(plan.fillBackground, c.background) << c.what;
  ASSERT_EQ(plan.shapes.size(), c.shapes) << c.what;
  for (const auto& p : c.probes) {
    EXPECT_EQ(plan.shapes.at(p.index).rect, p.rect) << c.what << " shape " << p.index;
    EXPECT_EQ(plan.shapes.at(p.index).colour, p.colour) << c.what << " shape " << p.index;
  }
  // Every pixel is painted, and nothing is planned outside the picture.
  for (int v : Rasterise(plan, c.w, c.h)) ASSERT_NE(v, -1) << c.what;
  for (const auto& s : plan.shapes) {
    EXPECT_GE(s.rect.left, 0);
    EXPECT_GE(s.rect.top, 0);
    EXPECT_LE(s.rect.right, c.w);
    EXPECT_LE(s.rect.bottom, c.h);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, GradientPlans,
    testing::Values(
        // The first page: 100 rings, the last (step 100) is empty and dropped.
        PlanCase{"pyramid 489x390", TGradientStyle::grPyramid, 489, 390, 100, 100, 100, true,
                 {{0, {0, 0, 489, 390}, kMaroon},
                  {1, {2, 2, 487, 388}, {129, 0, 0}},
                  {2, {5, 4, 484, 386}, {131, 0, 0}},
                  {99, {242, 193, 247, 197}, {254, 0, 0}}}},
        // Second and third pages: 100 stripes about 3.9 pixels high; step 100 falls below.
        PlanCase{"vertical 489x390", TGradientStyle::grVertical, 489, 390, 100, 100, 100, false,
                 {{0, {0, 0, 489, 4}, kMaroon},
                  {4, {0, 16, 489, 20}, {133, 0, 0}},
                  {5, {0, 20, 489, 23}, {134, 0, 0}},
                  {99, {0, 386, 489, 390}, {254, 0, 0}}}},
        PlanCase{"vertical more steps than rows", TGradientStyle::grVertical, 30, 40, 100, 40, 40, false,
                 {{0, {0, 0, 30, 1}, kMaroon}, {39, {0, 39, 30, 40}, {252, 0, 0}}}},
        PlanCase{"horizontal more steps than columns", TGradientStyle::grHorizontal, 50, 10, 100, 50, 50, false,
                 {{0, {0, 0, 1, 10}, kMaroon}, {49, {49, 0, 50, 10}, {252, 0, 0}}}},
        PlanCase{"horizontal zero steps", TGradientStyle::grHorizontal, 50, 10, 0, 1, 1, false,
                 {{0, {0, 0, 50, 10}, kMaroon}}},
        PlanCase{"horizontal negative steps", TGradientStyle::grHorizontal, 50, 10, -7, 1, 1, false,
                 {{0, {0, 0, 50, 10}, kMaroon}}},
        // Pyramid limits: width 5 gives 2 steps, height 3 then gives 1.
        PlanCase{"pyramid tiny", TGradientStyle::grPyramid, 5, 3, 100, 1, 1, true, {{0, {0, 0, 5, 3}, kMaroon}}},
        PlanCase{"pyramid one pixel wide", TGradientStyle::grPyramid, 1, 50, 100, 1, 1, true,
                 {{0, {0, 0, 1, 50}, kMaroon}}},
        PlanCase{"ellipse", TGradientStyle::grEllipse, 40, 20, 100, 10, 10, true, {{9, {18, 9, 22, 11}, {242, 0, 0}}}},
        PlanCase{"filled", TGradientStyle::grFilled, 40, 20, 100, 100, 0, true, {}}),
    [](const testing::TestParamInfo<PlanCase>& info) { return "Case" + std::to_string(info.index); });

TEST(GradientPlan, EmptyPictureHasNoPlan) {
  for (auto style : {TGradientStyle::grFilled, TGradientStyle::grPyramid, TGradientStyle::grVertical}) {
    for (auto [w, h] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-3, 10}}) {
      const GradientPlan plan = PlanGradient(style, w, h, 100, kMaroon, kRed);
      EXPECT_TRUE(plan.shapes.empty());
      EXPECT_FALSE(plan.fillBackground);
    }
  }
}

}  // namespace
