#pragma once
// A container with a colour-graded face: a vertical gradient in 32 bands from Color at the top
// to ColorTo at the bottom (a flat Color fill when ColorTo is none), inside an optional raised or
// lowered bevel. Children are drawn over the face; those without a font of their own use the
// panel's.

#include <optional>

#include "ui/Control.h"

enum class TPanelBevel { bvNone, bvLowered, bvRaised };

class TAdvPanel : public Control {
 public:
  // The gradient asks for 64 steps; the panel draws at most 32.
  static constexpr int kGradientSteps = 64;
  static constexpr int kMaxBands = 32;

  struct Props {
    TAlign Align = TAlign::alNone;
    TColor Color = clBtnFace;
    TColor ColorTo = clNone;
    TPanelBevel BevelOuter = TPanelBevel::bvRaised;
    TPanelBevel BevelInner = TPanelBevel::bvNone;
    int BevelWidth = 1;
    std::optional<TFont> Font;
  };

  TAdvPanel(std::string name, Rect bounds, Props props);

  TColor Color() const { return m_props.Color; }
  TColor ColorTo() const { return m_props.ColorTo; }
  void SetColor(TColor colour);
  void SetColorTo(TColor colour);
  void SetBevelOuter(TPanelBevel bevel);
  void SetBevelInner(TPanelBevel bevel);

  void Paint(HDC dc) override;

 private:
  Props m_props;
};

// A 3-D frame `width` pixels wide inside `r`: `topLeft` on the top and left edges, `bottomRight`
// on the bottom and right ones (the top-right corner belongs to the latter, the bottom-left to
// the former). Returns the rectangle inside the frame.
Rect DrawFrame3D(HDC dc, Rect r, int width, TColor topLeft, TColor bottomRight);
