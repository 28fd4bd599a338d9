#pragma once
// What a gradient background draws for a style and size: an optional background fill and the
// shapes of steps 0 to n (n + 1 shapes), each with its colour. Drawing only follows this plan.

#include <vector>

#include "ui/Colour.h"
#include "ui/Geometry.h"

enum class TGradientStyle { grFilled, grEllipse, grHorizontal, grVertical, grPyramid, grMount };

enum class GradientShapeKind { Rectangle, Ellipse, RoundRect };

struct GradientShape {
  GradientShapeKind kind = GradientShapeKind::Rectangle;
  Rect rect;
  Rgb colour;
};

struct GradientPlan {
  bool fillBackground = false;  // fill the whole picture with `background` first
  Rgb background;
  int steps = 0;  // the effective step count n
  std::vector<GradientShape> shapes;
};

// `steps` below 1 is taken as 1 (after the style's own limits).
GradientPlan PlanGradient(TGradientStyle style, int width, int height, int steps, Rgb start, Rgb end);
