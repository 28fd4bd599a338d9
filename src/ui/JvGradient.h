#pragma once
// The colour-graded background of a page: renders its picture once into an off-screen bitmap
// and copies that bitmap on every paint. The picture is rebuilt only when the size, a colour,
// the style or the step count has changed since it was rendered.

#include <cstdint>

#include "ui/Control.h"
#include "ui/Gdi.h"
#include "ui/GradientGeometry.h"

class TJvGradient : public Control {
 public:
  struct Props {
    TGradientStyle Style = TGradientStyle::grHorizontal;
    TColor StartColor = RgbColour(0x00, 0x00, 0xFF);
    TColor EndColor = clBlack;
    int Steps = 100;
    TAlign Align = TAlign::alClient;
  };

  TJvGradient(std::string name, Rect bounds, Props props);

  TGradientStyle Style() const { return m_style; }
  TColor StartColor() const { return m_startColor; }
  TColor EndColor() const { return m_endColor; }
  int Steps() const { return m_steps; }
  // Each setter stores a different value and forgets the rendered size; the same value does
  // nothing. Steps is a 16-bit value: larger values are held at its limits.
  void SetStyle(TGradientStyle style);
  void SetStartColor(TColor colour);
  void SetEndColor(TColor colour);
  void SetSteps(int steps);

  // How many times the picture has been rendered.
  int RenderCount() const { return m_renderCount; }

  void Paint(HDC dc) override;

 protected:
  void ScaleChanged() override { Changed(); }

 private:
  void Changed();
  // Into a picture of the given device size, through the form's scale.
  void Render(int deviceWidth, int deviceHeight);

  TGradientStyle m_style;
  TColor m_startColor;
  TColor m_endColor;
  std::int16_t m_steps;
  // The picture's size in device pixels.
  int m_renderedWidth = 0;
  int m_renderedHeight = 0;
  int m_renderCount = 0;
  Canvas m_picture;
};
