#include "ui/ToolButtonLook.h"

#include <gtest/gtest.h>

namespace {

const ToolButtonColours kMainWindow{.Color = clRed, .ColorTo = clMaroon, .ColorHot = clMaroon, .ColorHotTo = clBlack};
const ToolButtonColours kProgressWindow{.Color = clRed,
                                        .ColorTo = clBlack,
                                        .ColorHot = clRed,
                                        .ColorHotTo = RgbColour(0xE9, 0x8C, 0x01),
                                        .ColorDown = RgbColour(0xE9, 0x8C, 0x01),
                                        .ColorDownTo = clRed};

struct FaceCase {
  const char* what;
  const ToolButtonColours* colours;
  bool rounded;
  ToolButtonVisual visual;
  int w, h;
  Rect face;
  TColor from, to, faceOutline, roundOutline;
  Rect caption;
};

TEST(ToolButtonLook, FacesOfTheWindowsButtons) {
  const FaceCase cases[] = {
      {"main normal", &kMainWindow, false, ToolButtonVisual::Normal, 73, 22, {1, 1, 72, 21}, clRed, clMaroon, clNone,
       clNone, {2, 2, 71, 20}},
      {"main hot", &kMainWindow, false, ToolButtonVisual::Hot, 73, 22, {1, 1, 72, 21}, clMaroon, clBlack, clNone, clNone,
       {2, 2, 71, 20}},
      {"main pressed is a plain grey", &kMainWindow, false, ToolButtonVisual::Down, 73, 22, {1, 1, 72, 21},
       RgbColour(0xD2, 0xD3, 0xD8), clNone, clNone, clNone, {2, 2, 71, 20}},
      {"progress normal", &kProgressWindow, true, ToolButtonVisual::Normal, 114, 26, {1, 1, 113, 25}, clRed, clBlack,
       clNone, clNone, {2, 2, 112, 24}},
      {"progress hot", &kProgressWindow, true, ToolButtonVisual::Hot, 114, 26, {1, 1, 113, 25}, clRed,
       RgbColour(0xE9, 0x8C, 0x01), clNone, clNone, {2, 2, 112, 24}},
      {"progress pressed", &kProgressWindow, true, ToolButtonVisual::Down, 114, 26, {1, 1, 113, 25},
       RgbColour(0xE9, 0x8C, 0x01), clRed, clNone, clNone, {2, 2, 112, 24}},
  };
  for (const auto& c : cases) {
    const ToolButtonFace f = PlanToolButtonFace(*c.colours, c.rounded, c.visual, c.w, c.h);
    EXPECT_EQ(f.face, c.face) << c.what;
    EXPECT_EQ(f.from, c.from) << c.what;
    EXPECT_EQ(f.to, c.to) << c.what;
    EXPECT_EQ(f.faceOutline, c.faceOutline) << c.what;
    EXPECT_EQ(f.roundOutline, c.roundOutline) << c.what;
    EXPECT_EQ(f.captionArea, c.caption) << c.what;
  }
}

TEST(ToolButtonLook, BordersWhenSet) {
  ToolButtonColours bordered = kMainWindow;
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
