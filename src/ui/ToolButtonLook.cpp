#include "ui/ToolButtonLook.h"

ToolButtonVisual VisualFor(bool enabled, bool hot, bool down) {
  if (!enabled || !hot) return ToolButtonVisual::Normal;
  return down ? ToolButtonVisual::Down : ToolButtonVisual::Hot;
}

ToolButtonFace PlanToolButtonFace(const ToolButtonColours& c, bool rounded, ToolButtonVisual visual, int width,
                                  int height) {
  ToolButtonFace plan;
  Rect r = RectOfSize(width, height);
  if (IsNone(c.BorderDownColor) || rounded) r = r.Inflated(-1);
  plan.face = r;

  if (visual == ToolButtonVisual::Normal) {
    plan.from = c.Color;
    plan.to = c.ColorTo;
    if (!IsNone(c.ColorTo) && !rounded) plan.faceOutline = c.BorderColor;
    if (!IsNone(c.BorderColor)) {
      if (rounded) {
        plan.roundOutline = c.BorderColor;
        plan.roundRect = r.Inflated(1);
      } else {
        plan.faceOutline = c.BorderColor;
      }
    }
  } else {
    const bool down = visual == ToolButtonVisual::Down;
    plan.from = down ? c.ColorDown : c.ColorHot;
    plan.to = down ? c.ColorDownTo : c.ColorHotTo;
    const TColor outline = down ? c.BorderDownColor : c.BorderHotColor;
    if (rounded) {
      plan.roundOutline = outline;
      plan.roundRect = r.Inflated(1);
    } else {
      plan.faceOutline = outline;
    }
  }
  plan.captionArea = r.Inflated(-1);
  return plan;
}

Point CentreCaption(const Rect& area, int textWidth, int textHeight) {
  return Point{area.left + (area.Width() - textWidth) / 2, area.top + (area.Height() - textHeight + 1) / 2};
}
