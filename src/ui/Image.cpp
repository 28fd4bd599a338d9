#include "ui/Image.h"

TImage::TImage(std::string name, Rect bounds) : Control(std::move(name), bounds) {}

Canvas& TImage::Picture() {
  if (!m_picture || m_picture.Width() != Width() || m_picture.Height() != Height())
    m_picture = Canvas(Width(), Height());
  return m_picture;
}

void TImage::Paint(HDC dc) {
  if (m_picture) ::BitBlt(dc, 0, 0, m_picture.Width(), m_picture.Height(), m_picture.Dc(), 0, 0, SRCCOPY);
}
