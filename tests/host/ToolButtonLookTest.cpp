#include "ui/ToolButtonLook.h"

#include <gtest/gtest.h>

namespace {


TEST(ToolButtonLook, BordersWhenSet) {
  ToolButtonColours bordered = kMainWindowButtonColours;
  bordered.BorderColor = clYellow;
  bordered.BorderHotColor = clWhite;
  bordered.BorderDownColor = clBlack;
  // A set down-border keeps the full rectangle for a square button.
  auto f = PlanToolButtonFace(bordered, false, ToolButtonVisual::Normal, 73, 22);
  EXPECT_EQ(f.face, (Rect{0, 0, 73, 22}));
  EXPECT_EQ(f.faceOutline, clYellow);
  EXPECT_EQ(f.roundOutline, clNone);
  f = PlanToolButtonFace(bordered, false, ToolButtonVisual::Down, 73, 22);
  EXPECT_EQ(f.faceOutline, clBlack);
  // A rounded button draws its outline rounded in the full rectangle, none around the bands.
  f = PlanToolButtonFace(bordered, true, ToolButtonVisual::Normal, 73, 22);
  EXPECT_EQ(f.face, (Rect{1, 1, 72, 21}));
  EXPECT_EQ(f.faceOutline, clNone);
  EXPECT_EQ(f.roundOutline, clYellow);
  EXPECT_EQ(f.roundRect, (Rect{0, 0, 73, 22}));
  f = PlanToolButtonFace(bordered, true, ToolButtonVisual::Hot, 73, 22);
  EXPECT_EQ(f.roundOutline, clWhite);
}

TEST(ToolButtonLook, PressAreaIncludesTheRowBelow) {
  struct Case {
    int x, y;
    bool inside;
  };
  const Case cases[] = {{0, 0, true},   {72, 21, true}, {72, 22, true}, {73, 0, false},
                        {0, 23, false}, {-1, 5, false}, {5, -1, false}, {36, 11, true}};
  for (const auto& c : cases) EXPECT_EQ(InsidePressArea(c.x, c.y, 73, 22), c.inside) << c.x << "," << c.y;
}

TEST(ToolButtonLook, CaptionCentring) {
  EXPECT_EQ(CentreCaption({2, 2, 71, 20}, 40, 16), (Point{16, 3}));
  EXPECT_EQ(CentreCaption({2, 2, 71, 20}, 41, 15), (Point{16, 4}));
  // A caption wider than the button starts left of it, cut evenly.
  EXPECT_EQ(CentreCaption({2, 2, 71, 20}, 89, 16), (Point{-8, 3}));
}

}  // namespace
