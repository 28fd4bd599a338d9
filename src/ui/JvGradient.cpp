#include "ui/JvGradient.h"

#include <algorithm>
#include <limits>

#include "ui/HighContrast.h"

TJvGradient::TJvGradient(std::string name, Rect bounds, Props props)
    : Control(std::move(name), bounds, props.Align),
      m_style(props.Style),
      m_startColor(props.StartColor),
      m_endColor(props.EndColor),
      m_steps(0) {
  SetSteps(props.Steps);
}

void TJvGradient::Changed() {
  m_renderedWidth = 0;
  m_renderedHeight = 0;
  Invalidate();
}

void TJvGradient::SetStyle(TGradientStyle style) {
  if (style == m_style) return;
  m_style = style;
  Changed();
}

void TJvGradient::SetStartColor(TColor colour) {
  if (colour == m_startColor) return;
  m_startColor = colour;
  Changed();
}

void TJvGradient::SetEndColor(TColor colour) {
  if (colour == m_endColor) return;
  m_endColor = colour;
  Changed();
}

void TJvGradient::SetSteps(int steps) {
  const auto clamped = static_cast<std::int16_t>(
      std::clamp(steps, int{std::numeric_limits<std::int16_t>::min()}, int{std::numeric_limits<std::int16_t>::max()}));
  if (clamped == m_steps) return;
  m_steps = clamped;
  Changed();
}

void TJvGradient::Render(int deviceWidth, int deviceHeight) {
  const int w = Width(), h = Height();
  if (!m_picture || m_picture.Width() != deviceWidth || m_picture.Height() != deviceHeight)
    m_picture = Canvas(deviceWidth, deviceHeight);
  ++m_renderCount;
  HDC dc = m_picture.Dc();
  SavedDcState state(dc);
  ApplyScale(dc, Scale());
  const auto start = Resolve(m_startColor);
  if (!start) {
    // No start colour: an empty (black) picture rather than stale pixels.
    FillSolid(dc, ClientRect(), Rgb{});
    return;
  }
  // A none end colour gives a flat fill.
  const auto end = Resolve(m_endColor);
  const GradientPlan plan = PlanGradient(end ? m_style : TGradientStyle::grFilled, w, h, m_steps, *start, end.value_or(*start));
  if (plan.fillBackground) FillSolid(dc, ClientRect(), plan.background);
  for (const GradientShape& shape : plan.shapes) {
    if (shape.kind == GradientShapeKind::Rectangle) {
      FillSolid(dc, shape.rect, shape.colour);
      continue;
    }
    const UniqueGdiObject brush = MakeBrush(shape.colour);
    const UniqueGdiObject pen = MakePen(shape.colour);
    SelectGuard selectBrush(dc, brush.get());
    SelectGuard selectPen(dc, pen.get());
    const Rect& r = shape.rect;
    if (shape.kind == GradientShapeKind::Ellipse)
      ::Ellipse(dc, r.left, r.top, r.right, r.bottom);
    else
      ::RoundRect(dc, r.left, r.top, r.right, r.bottom, r.Width() / 2, r.Height() / 2);
  }
}

void TJvGradient::Paint(HDC dc) {
  const int w = Width(), h = Height();
  if (HighContrast()) {
    if (auto face = Resolve(clBtnFace)) FillSolid(dc, ClientRect(), *face);
    return;
  }
  const Rect device = DeviceBoundsInForm();
  if (device.Width() != m_renderedWidth || device.Height() != m_renderedHeight) {
    m_renderedWidth = device.Width();
    m_renderedHeight = device.Height();
    if (w <= 0 || h <= 0) return;
    Render(m_renderedWidth, m_renderedHeight);
  }
  if (w <= 0 || h <= 0 || !m_picture) return;
  DeviceSpace pixels(dc);
  ::BitBlt(dc, 0, 0, m_picture.Width(), m_picture.Height(), m_picture.Dc(), 0, 0, SRCCOPY);
}
