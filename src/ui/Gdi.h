#pragma once
// Small owners for GDI work: a selection that is undone, a saved DC state, a paint pass, a
// 32-bit off-screen canvas, and a double buffer that copies itself to its target once.

#include <optional>
#include <string>
#include <utility>

#include <windows.h>

#include "support/win/UniqueHandle.h"
#include "ui/Colour.h"
#include "ui/DpiScale.h"
#include "ui/Geometry.h"

class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (m_old) ::SelectObject(m_dc, m_old);
  }

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : m_dc(dc), m_id(::SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (m_id) ::RestoreDC(m_dc, m_id);
  }

 private:
  HDC m_dc;
  int m_id;
};

class PaintPass {
 public:
  explicit PaintPass(HWND hwnd) : m_hwnd(hwnd), m_dc(::BeginPaint(hwnd, &m_ps)) {}
  PaintPass(const PaintPass&) = delete;
  PaintPass& operator=(const PaintPass&) = delete;
  ~PaintPass() { ::EndPaint(m_hwnd, &m_ps); }
  HDC Dc() const { return m_dc; }
  const RECT& Area() const { return m_ps.rcPaint; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_ps{};
  HDC m_dc;
};

// The screen's DC, for measuring text outside a paint.
class ScreenDc {
 public:
  ScreenDc() : m_dc(::GetDC(nullptr)) {}
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() { ::ReleaseDC(nullptr, m_dc); }
  HDC Dc() const { return m_dc; }

 private:
  HDC m_dc;
};

// Measures text as it will be drawn at a scale: the screen's DC at 96 DPI, else a memory DC
// drawing through the scale's world transform (answers in logical units).
class MeasuringDc {
 public:
  explicit MeasuringDc(const DpiScale& scale);
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;
  HDC Dc() const { return m_memory ? m_memory.get() : m_screen.Dc(); }

 private:
  ScreenDc m_screen;
  UniqueMemoryDc m_memory;
};

// Drawing at a scale other than 96 DPI goes through a world transform that maps the logical
// units of the layout to device pixels; nothing is changed at 96 DPI.
void ApplyScale(HDC dc, const DpiScale& scale);

// For pictures made at device resolution (bitmaps, icons): while it lives, the DC draws in
// device pixels with its origin where the scaled drawing had it. Does nothing at 96 DPI.
class DeviceSpace {
 public:
  explicit DeviceSpace(HDC dc);
  DeviceSpace(const DeviceSpace&) = delete;
  DeviceSpace& operator=(const DeviceSpace&) = delete;
  ~DeviceSpace();

 private:
  HDC m_dc;
  bool m_changed = false;
  XFORM m_old{};
};

// A memory DC with a top-down 32-bit DIB of the given size selected into it.
class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height);
  Canvas(Canvas&& other) noexcept { *this = std::move(other); }
  Canvas& operator=(Canvas&& other) noexcept {
    if (this != &other) {
      Release();
      m_bitmap = std::move(other.m_bitmap);
      m_dc = std::move(other.m_dc);
      m_old = std::exchange(other.m_old, nullptr);
      m_width = std::exchange(other.m_width, 0);
      m_height = std::exchange(other.m_height, 0);
    }
    return *this;
  }
  ~Canvas() { Release(); }

  HDC Dc() const { return m_dc.get(); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  explicit operator bool() const { return static_cast<bool>(m_dc); }

 private:
  // Puts the DC's own bitmap back, so that the DIB is never deleted while selected; the DIB is
  // freed before the DC (member order).
  void Release() {
    if (m_dc && m_old) ::SelectObject(m_dc.get(), m_old);
    m_old = nullptr;
    m_bitmap.reset();
    m_dc.reset();
  }

  UniqueMemoryDc m_dc;
  UniqueGdiObject m_bitmap;
  HGDIOBJ m_old = nullptr;
  int m_width = 0;
  int m_height = 0;
};

// Everything is drawn into Dc(); the destructor copies it onto the target in one BitBlt.
class DoubleBuffer {
 public:
  DoubleBuffer(HDC target, const Rect& area);
  DoubleBuffer(const DoubleBuffer&) = delete;
  DoubleBuffer& operator=(const DoubleBuffer&) = delete;
  ~DoubleBuffer();
  // Logical coordinates of Dc() are those of the target.
  HDC Dc() const { return m_canvas.Dc(); }

 private:
  HDC m_target;
  Rect m_area;
  Canvas m_canvas;
};

// Colours for drawing: system colours through GetSysColor; none gives nothing.
std::optional<Rgb> Resolve(TColor colour);
inline COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

void FillSolid(HDC dc, const Rect& r, Rgb colour);
// A one-pixel outline of `r` (inside it).
void FrameSolid(HDC dc, const Rect& r, Rgb colour);

struct TFont;
// The font as a GDI object (Height < 0: character height, > 0: cell height).
UniqueGdiObject MakeFont(const TFont& font);

UniqueGdiObject MakePen(Rgb colour, int width = 1);
UniqueGdiObject MakeBrush(Rgb colour);

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
