#include "ui/AdvPanel.h"

#include <algorithm>

#include "ui/Gdi.h"
#include "ui/HighContrast.h"
#include "ui/Shading.h"

TAdvPanel::TAdvPanel(std::string name, Rect bounds, Props props)
    : Control(std::move(name), bounds, props.Align), m_props(std::move(props)) {
  if (m_props.Font) SetFont(*m_props.Font);
}

void TAdvPanel::SetColor(TColor colour) {
  m_props.Color = colour;
  Invalidate();
}

void TAdvPanel::SetColorTo(TColor colour) {
  m_props.ColorTo = colour;
  Invalidate();
}

void TAdvPanel::SetBevelOuter(TPanelBevel bevel) {
  m_props.BevelOuter = bevel;
  Invalidate();
}

void TAdvPanel::SetBevelInner(TPanelBevel bevel) {
  m_props.BevelInner = bevel;
  Invalidate();
}

Rect DrawFrame3D(HDC dc, Rect r, int width, TColor topLeft, TColor bottomRight) {
  const auto light = Resolve(topLeft);
  const auto dark = Resolve(bottomRight);
  for (int i = 0; i < width && !r.Empty(); ++i) {
    if (light) {
      FillSolid(dc, Rect{r.left, r.top, r.right - 1, r.top + 1}, *light);
      FillSolid(dc, Rect{r.left, r.top, r.left + 1, r.bottom}, *light);
    }
    if (dark) {
      FillSolid(dc, Rect{r.right - 1, r.top, r.right, r.bottom}, *dark);
      FillSolid(dc, Rect{r.left + 1, r.bottom - 1, r.right, r.bottom}, *dark);
    }
    r = r.Inflated(-1);
  }
  return r;
}

namespace {
Rect DrawBevel(HDC dc, const Rect& r, TPanelBevel bevel, int width) {
  switch (bevel) {
    case TPanelBevel::bvRaised:
      return DrawFrame3D(dc, r, width, clBtnHighlight, clBtnShadow);
    case TPanelBevel::bvLowered:
      return DrawFrame3D(dc, r, width, clBtnShadow, clBtnHighlight);
    case TPanelBevel::bvNone:
      break;
  }
  return r;
}
}  // namespace

void TAdvPanel::Paint(HDC dc) {
  Rect r = ClientRect();
  const bool plain = HighContrast();
  const auto from = Resolve(plain ? clBtnFace : m_props.Color);
  const auto to = plain ? std::nullopt : Resolve(m_props.ColorTo);
  if (from && !to) {
    FillSolid(dc, r, *from);
  } else if (from && to) {
    const int bands = std::min(kGradientSteps, kMaxBands);
    for (const ShadedRect& band : ShadeVertically(r, bands, *from, *to, BandLength::TruncPlusOne, r))
      FillSolid(dc, band.rect, band.colour);
  }
  const int bevelWidth = std::max(m_props.BevelWidth, 0);
  r = DrawBevel(dc, r, m_props.BevelOuter, bevelWidth);
  DrawBevel(dc, r, m_props.BevelInner, bevelWidth);
}
