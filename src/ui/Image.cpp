#include "ui/Image.h"

TImage::TImage(std::string name, Rect bounds) : Control(std::move(name), bounds) {}

void TImage::SetDrawing(Drawing drawing) {
  m_drawing = std::move(drawing);
  m_picture = Canvas();
  Invalidate();
}

void TImage::Paint(HDC dc) {
  if (!m_drawing) return;
  const DpiScale scale = Scale();
  const Rect device = DeviceBoundsInForm();
  if (!m_picture || m_picture.Width() != device.Width() || m_picture.Height() != device.Height() ||
      !(m_pictureScale == scale)) {
    m_picture = Canvas(device.Width(), device.Height());
    m_pictureScale = scale;
    m_drawing(m_picture.Dc(), m_picture.Width(), m_picture.Height(), scale);
  }
  DeviceSpace pixels(dc);
  ::BitBlt(dc, 0, 0, m_picture.Width(), m_picture.Height(), m_picture.Dc(), 0, 0, SRCCOPY);
}
