#include "ui/AdvProgressBar.h"

#include <algorithm>
#include <string>

#include "ui/HighContrast.h"
#include "ui/Shading.h"

TAdvProgressBar::TAdvProgressBar(std::string name, Rect bounds, Props props)
    : Control(std::move(name), bounds), m_props(std::move(props)) {
  m_position.SetMin(m_props.Min);
  m_position.SetMax(m_props.Max);
  m_position.SetPosition(m_props.Position);
  SetFont(m_props.Font);
}

void TAdvProgressBar::SetMin(int value) {
  m_position.SetMin(value);
  Invalidate();
}

void TAdvProgressBar::SetMax(int value) {
  m_position.SetMax(value);
  Invalidate();
}

std::string TAdvProgressBar::AccessibleName() const {
  const ControlHost* host = Host();
  return host ? host->Caption() : std::string();
}

void TAdvProgressBar::SetPosition(int value) {
  if (!m_position.SetPosition(value)) return;
  Repaint();
  // A few value changes a second at most, and always the last one's percentage.
  const DWORD now = ::GetTickCount();
  const int percent = Percent();
  if (percent != m_announcedPercent && (percent == 100 || now - m_announcedAt >= kAnnounceEveryMs)) {
    m_announcedPercent = percent;
    m_announcedAt = now;
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
  }
}

void TAdvProgressBar::SetLook(const Props& props) {
  m_props = props;
  SetFont(m_props.Font);
  Invalidate();
}

std::pair<TColor, TColor> TAdvProgressBar::LevelColours(int percent) const {
  switch (ProgressLevel(percent, m_props.Level1Perc, m_props.Level2Perc)) {
    case 0:
      return {m_props.Level0Color, m_props.Level0ColorTo};
    case 1:
      return {m_props.Level1Color, m_props.Level1ColorTo};
    case 2:
      return {m_props.Level2Color, m_props.Level2ColorTo};
    default:
      return {m_props.Level3Color, m_props.Level3ColorTo};
  }
}

// Upper half from the light colour at its top to the strong one at the middle, lower half back.
void TAdvProgressBar::ShadeBlock(HDC dc, const Rect& block, Rgb strong, Rgb light) const {
  if (!m_props.ShowGradient) {
    FillSolid(dc, block, strong);
    return;
  }
  const int middle = block.top + block.Height() / 2;
  const Rect upper{block.left, block.top, block.right, middle};
  const Rect lower{block.left, middle, block.right, block.bottom};
  const int steps = std::max(m_props.Steps, 1);
  for (const ShadedRect& band : ShadeVertically(upper, steps, light, strong, BandLength::TruncPlusOne, upper))
    FillSolid(dc, band.rect, band.colour);
  for (const ShadedRect& band : ShadeVertically(lower, steps, strong, light, BandLength::TruncPlusOne, lower))
    FillSolid(dc, band.rect, band.colour);
}

// High contrast: the window colour framed in its text colour, the done part in the highlight,
// the percentage on a box of the window colour.
void TAdvProgressBar::DrawPlainPicture(HDC dc) {
  const int w = Width(), h = Height();
  const Rgb window = Resolve(clWindow).value_or(Rgb{255, 255, 255});
  const Rgb text = Resolve(clWindowText).value_or(Rgb{});
  FillSolid(dc, ClientRect(), window);
  FrameSolid(dc, ClientRect(), text);
  const int filled = FilledLength(w - 2, Percent());
  if (filled > 0) FillSolid(dc, Rect{1, 1, 1 + filled, h - 1}, Resolve(clHighlight).value_or(text));
  if (!m_props.ShowPosition) return;
  const std::string label = m_props.ShowPercentage ? std::to_string(Percent()) + "%" : std::to_string(Position());
  SelectGuard font(dc, FontHandle());
  SIZE size{};
  ::GetTextExtentPoint32A(dc, label.data(), static_cast<int>(label.size()), &size);
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, ToColorRef(window));
  ::SetTextColor(dc, ToColorRef(text));
  ::TextOutA(dc, w / 2 - size.cx / 2, h / 2 - size.cy / 2, label.data(), static_cast<int>(label.size()));
}

void TAdvProgressBar::DrawPicture(HDC dc) {
  const int w = Width(), h = Height();
  const Rect client = ClientRect();
  if (HighContrast()) {
    DrawPlainPicture(dc);
    return;
  }
  if (m_props.Rounded) FillSolid(dc, client, ToRgb(kTransparentKey));

  const Rgb background = Resolve(m_props.BackgroundColor).value_or(Rgb{255, 255, 255});
  const Rgb border = m_props.ShowBorder ? Resolve(m_props.BorderColor).value_or(background) : background;
  {
    const UniqueGdiObject brush = MakeBrush(background);
    const UniqueGdiObject pen = MakePen(border);
    SelectGuard selectBrush(dc, brush.get());
    SelectGuard selectPen(dc, pen.get());
    if (m_props.Rounded)
      ::RoundRect(dc, 0, 0, w, h, kCorner, kCorner);
    else
      ::Rectangle(dc, 0, 0, w, h);
  }

  const int percent = Percent();
  if (percent != 0) {
    const auto [strongColour, lightColour] = LevelColours(percent);
    const Rgb strong = Resolve(strongColour).value_or(Rgb{});
    const Rgb light = Resolve(lightColour).value_or(strong);
    const int filled = FilledLength(w - 2, percent);
    for (const Rect& block : ProgressBlockRects(filled, h)) ShadeBlock(dc, block, strong, light);
  }

  if (!m_props.ShowPosition) return;
  const std::string text = m_props.ShowPercentage ? std::to_string(percent) + "%" : std::to_string(Position());
  SelectGuard font(dc, FontHandle());
  SIZE size{};
  ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(Resolve(Font().Color).value_or(Rgb{})));
  ::TextOutA(dc, w / 2 - size.cx / 2, h / 2 - size.cy / 2, text.data(), static_cast<int>(text.size()));
}

void TAdvProgressBar::Paint(HDC dc) {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  // The picture is made at device resolution, through the form's scale.
  const Rect device = DeviceBoundsInForm();
  const int dw = device.Width(), dh = device.Height();
  if (!m_picture || m_picture.Width() != dw || m_picture.Height() != dh) m_picture = Canvas(dw, dh);
  {
    SavedDcState state(m_picture.Dc());
    ApplyScale(m_picture.Dc(), Scale());
    DrawPicture(m_picture.Dc());
  }
  DeviceSpace pixels(dc);
  // gdi32's own copy of TransparentBlt: msimg32 is not a library the system always takes from
  // its own folder, so the installer does not import it.
  if (m_props.Rounded) {
    ::GdiTransparentBlt(dc, 0, 0, dw, dh, m_picture.Dc(), 0, 0, dw, dh, RGB(0xFF, 0x00, 0xFF));
  } else {
    ::BitBlt(dc, 0, 0, dw, dh, m_picture.Dc(), 0, 0, SRCCOPY);
  }
}
