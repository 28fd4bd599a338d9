#include "ui/Gdi.h"

#include <cmath>
#include <stdexcept>

#include "ui/Font.h"

Canvas::Canvas(int width, int height) : m_width(width), m_height(height) {
  m_dc.reset(::CreateCompatibleDC(nullptr));
  if (!m_dc) throw std::runtime_error("Cannot create a memory device context");
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width > 0 ? width : 1;
  bi.bmiHeader.biHeight = -(height > 0 ? height : 1);
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_bitmap.reset(::CreateDIBSection(m_dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!m_bitmap) throw std::runtime_error("Cannot create an off-screen bitmap");
  m_old = ::SelectObject(m_dc.get(), m_bitmap.get());
}

MeasuringDc::MeasuringDc(const DpiScale& scale) {
  if (scale.Identity()) return;
  m_memory.reset(::CreateCompatibleDC(m_screen.Dc()));
  if (m_memory) ApplyScale(m_memory.get(), scale);
}

void ApplyScale(HDC dc, const DpiScale& scale) {
  if (scale.Identity()) return;
  ::SetGraphicsMode(dc, GM_ADVANCED);
  const auto f = static_cast<FLOAT>(scale.Factor());
  const XFORM transform{f, 0, 0, f, 0, 0};
  ::SetWorldTransform(dc, &transform);
}

DeviceSpace::DeviceSpace(HDC dc) : m_dc(dc) {
  if (::GetGraphicsMode(dc) != GM_ADVANCED || !::GetWorldTransform(dc, &m_old)) return;
  // The origin on the pixel GDI maps it to.
  const XFORM device{1, 0, 0, 1, std::floor(m_old.eDx + 0.5f), std::floor(m_old.eDy + 0.5f)};
  m_changed = ::SetWorldTransform(dc, &device) != FALSE;
}

DeviceSpace::~DeviceSpace() {
  if (m_changed) ::SetWorldTransform(m_dc, &m_old);
}

DoubleBuffer::DoubleBuffer(HDC target, const Rect& area)
    : m_target(target), m_area(area), m_canvas(area.Width(), area.Height()) {
  // Shift the buffer so that it is addressed in the target's coordinates.
  ::SetViewportOrgEx(m_canvas.Dc(), -area.left, -area.top, nullptr);
}

DoubleBuffer::~DoubleBuffer() {
  ::SetViewportOrgEx(m_canvas.Dc(), 0, 0, nullptr);
  ::BitBlt(m_target, m_area.left, m_area.top, m_area.Width(), m_area.Height(), m_canvas.Dc(), 0, 0, SRCCOPY);
}

std::optional<Rgb> Resolve(TColor colour) {
  return ResolveRgb(colour, [](int index) -> TColor { return ::GetSysColor(index); });
}

void FillSolid(HDC dc, const Rect& r, Rgb colour) {
  if (r.Empty()) return;
  // SetDCBrushColor + the DC brush avoids creating a brush per band.
  const COLORREF old = ::SetDCBrushColor(dc, ToColorRef(colour));
  const RECT rc = ToRECT(r);
  ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  ::SetDCBrushColor(dc, old);
}

void FrameSolid(HDC dc, const Rect& r, Rgb colour) {
  if (r.Empty()) return;
  FillSolid(dc, Rect{r.left, r.top, r.right, r.top + 1}, colour);
  FillSolid(dc, Rect{r.left, r.bottom - 1, r.right, r.bottom}, colour);
  FillSolid(dc, Rect{r.left, r.top, r.left + 1, r.bottom}, colour);
  FillSolid(dc, Rect{r.right - 1, r.top, r.right, r.bottom}, colour);
}

UniqueGdiObject MakePen(Rgb colour, int width) {
  return UniqueGdiObject(::CreatePen(PS_SOLID, width, ToColorRef(colour)));
}

UniqueGdiObject MakeBrush(Rgb colour) { return UniqueGdiObject(::CreateSolidBrush(ToColorRef(colour))); }

UniqueGdiObject MakeFont(const TFont& font) {
  return UniqueGdiObject(::CreateFontA(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str()));
}
