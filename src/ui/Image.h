#pragma once
// A picture control that holds its own bitmap of its size; whatever is drawn into Picture()
// is what the control shows.

#include <string>

#include "ui/Control.h"
#include "ui/Gdi.h"

class TImage : public Control {
 public:
  TImage(std::string name, Rect bounds);

  // The bitmap, made at the control's size on first use.
  Canvas& Picture();
  void Paint(HDC dc) override;

 private:
  Canvas m_picture;
};
