#pragma once
// The look of a flat tool button for a state, as a plan of what to draw: the face (a plain fill
// or a 16-band shading), the outline around the bands, the rounded outline, and the area of the
// caption. Colours stay colour values here (system colours and none are resolved by the
// painter).

#include "ui/Colour.h"
#include "ui/Geometry.h"

struct ToolButtonColours {
  TColor Color = clBtnFace;
  TColor ColorTo = clNone;
  TColor ColorHot = RgbColour(0xC7, 0xC7, 0xCA);
  TColor ColorHotTo = clNone;
  TColor ColorDown = RgbColour(0xD2, 0xD3, 0xD8);
  TColor ColorDownTo = clNone;
  TColor BorderColor = clNone;
  TColor BorderHotColor = clNone;
  TColor BorderDownColor = clNone;
};

// The two looks of the installer's buttons: the main window's (red to maroon, hot maroon to
// black, pressed plain light grey) and the progress window's (red to black, hot red to orange,
// pressed orange to red).
inline constexpr ToolButtonColours kMainWindowButtonColours{
    .Color = clRed, .ColorTo = clMaroon, .ColorHot = clMaroon, .ColorHotTo = clBlack};
inline constexpr ToolButtonColours kProgressWindowButtonColours{.Color = clRed,
                                                                .ColorTo = clBlack,
                                                                .ColorHot = clRed,
                                                                .ColorHotTo = RgbColour(0xE9, 0x8C, 0x01),
                                                                .ColorDown = RgbColour(0xE9, 0x8C, 0x01),
                                                                .ColorDownTo = clRed};

enum class ToolButtonVisual { Normal, Hot, Down };

// Normal when not hot or disabled; Down while hot and pressed; else Hot.
ToolButtonVisual VisualFor(bool enabled, bool hot, bool down);

struct ToolButtonFace {
  Rect face;                      // filled or shaded area
  TColor from = clNone;           // top (or the plain fill when `to` is none)
  TColor to = clNone;             // bottom; none = plain fill
  TColor faceOutline = clNone;    // rectangle outline around the face (none = no outline)
  TColor roundOutline = clNone;   // rounded outline (corner 8 x 8) in `roundRect`
  Rect roundRect;
  Rect captionArea;
};

constexpr int kToolButtonBands = 16;
constexpr int kToolButtonCorner = 8;

ToolButtonFace PlanToolButtonFace(const ToolButtonColours& colours, bool rounded, ToolButtonVisual visual, int width,
                                  int height);

// Inside for the mouse while pressed: 0 <= x < width and 0 <= y <= height (the row just below the
// button still counts).
constexpr bool InsidePressArea(int x, int y, int width, int height) {
  return x >= 0 && x < width && y >= 0 && y <= height;
}

// Top-left of a caption of the given size centred in `area`: horizontally by halves, vertically
// at (height - text height + 1) div 2.
struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};
Point CentreCaption(const Rect& area, int textWidth, int textHeight);
