#include "ui/GradientGeometry.h"

#include <algorithm>
#include <cstdint>

#include "ui/Rounding.h"
#include "ui/Shading.h"

namespace {
int Effective(int n) { return n < 1 ? 1 : n; }
}  // namespace

GradientPlan PlanGradient(TGradientStyle style, int width, int height, int steps, Rgb start, Rgb end) {
  GradientPlan plan;
  if (width <= 0 || height <= 0) return plan;
  const Rect whole = RectOfSize(width, height);

  switch (style) {
    case TGradientStyle::grFilled:
      plan.fillBackground = true;
      plan.background = start;
      plan.steps = Effective(steps);
      break;

    case TGradientStyle::grHorizontal:
    case TGradientStyle::grVertical: {
      const bool horizontal = style == TGradientStyle::grHorizontal;
      const int extent = horizontal ? width : height;
      const int n = Effective(std::min(steps, extent));
      plan.steps = n;
      // Step n starts at the far edge, so it falls outside the picture and is dropped.
      for (int i = 0; i <= n; ++i) {
        const int a = RoundRatio(static_cast<std::int64_t>(i) * extent, n);
        const int b = RoundRatio(static_cast<std::int64_t>(i + 1) * extent, n);
        const Rect stripe = (horizontal ? Rect{a, 0, b, height} : Rect{0, a, width, b}).Intersect(whole);
        if (!stripe.Empty()) plan.shapes.push_back({GradientShapeKind::Rectangle, stripe, StepColour(start, end, i, n)});
      }
      break;
    }

    case TGradientStyle::grPyramid:
    case TGradientStyle::grEllipse:
    case TGradientStyle::grMount: {
      plan.fillBackground = true;
      plan.background = start;
      int n = steps;
      if (width / 2 < n) n = width / 2;
      if (height / 2 < n) n = height / 2;
      n = Effective(n);
      plan.steps = n;
      const GradientShapeKind kind = style == TGradientStyle::grPyramid  ? GradientShapeKind::Rectangle
                                     : style == TGradientStyle::grEllipse ? GradientShapeKind::Ellipse
                                                                          : GradientShapeKind::RoundRect;
      for (int i = 0; i <= n; ++i) {
        const int x0 = RoundRatio(static_cast<std::int64_t>(i) * width, 2 * static_cast<std::int64_t>(n));
        const int y0 = RoundRatio(static_cast<std::int64_t>(i) * height, 2 * static_cast<std::int64_t>(n));
        const Rect ring{x0, y0, width - x0, height - y0};
        if (!ring.Empty()) plan.shapes.push_back({kind, ring, StepColour(start, end, i, n)});
      }
      break;
    }
  }
  return plan;
}
