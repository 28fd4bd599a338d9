#pragma once
// A picture control that holds its own bitmap at the device resolution of its place: the
// drawing it is given is made again whenever its size in pixels changes (a new DPI).

#include <functional>
#include <string>

#include "ui/Control.h"
#include "ui/Gdi.h"

class TImage : public Control {
 public:
  // Draws the picture into `dc` (origin at the top-left) at `width` x `height` pixels.
  using Drawing = std::function<void(HDC dc, int width, int height, const DpiScale& scale)>;

  TImage(std::string name, Rect bounds);

  void SetDrawing(Drawing drawing);
  void Paint(HDC dc) override;

 protected:
  void ScaleChanged() override { Invalidate(); }

 private:
  Drawing m_drawing;
  Canvas m_picture;
  DpiScale m_pictureScale;
};
