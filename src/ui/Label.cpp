#include "ui/Label.h"

#include "ui/Gdi.h"
#include "ui/HighContrast.h"

Label::Label(std::string name, Rect bounds, Props props)
    : Control(std::move(name), bounds),
      m_caption(std::move(props.Caption)),
      m_transparent(props.Transparent),
      m_color(props.Color),
      m_autoSize(props.AutoSize),
      m_wordWrap(props.WordWrap) {
  if (props.Font) SetFont(*props.Font);
  AdjustSize();
}

void Label::SetCaption(std::string caption, bool announce) {
  if (caption == m_caption) return;
  m_caption = std::move(caption);
  Invalidate();
  AdjustSize();
  if (announce) NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
}

void Label::SetTransparent(bool transparent) {
  m_transparent = transparent;
  Invalidate();
}

SIZE Label::MeasureText(std::string_view text) const {
  const DpiScale scale = Scale();
  MeasuringDc measuring(scale);
  SelectGuard font(measuring.Dc(), FontHandle());
  TEXTMETRICA tm{};
  ::GetTextMetricsA(measuring.Dc(), &tm);
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(measuring.Dc(), text.data(), static_cast<int>(text.size()), &size);
  size.cy = tm.tmHeight;
  // Scaled, the answer is rounded to logical units: one more keeps the last letter inside.
  if (!scale.Identity()) ++size.cx;
  return size;
}

void Label::AdjustSize() {
  if (!m_autoSize) return;
  const SIZE size = TextSize();
  SetSize(size.cx, size.cy);
}

void Label::Paint(HDC dc) {
  const bool plain = HighContrast();
  if (!m_transparent)
    if (auto colour = Resolve(plain ? clBtnFace : m_color)) FillSolid(dc, ClientRect(), *colour);
  SelectGuard font(dc, FontHandle());
  ::SetBkMode(dc, TRANSPARENT);
  const TColor text = plain ? (Enabled() ? clBtnText : clGrayText) : Font().Color;
  ::SetTextColor(dc, ToColorRef(Resolve(text).value_or(Rgb{})));
  RECT r = ToRECT(ClientRect());
  // No prefix handling: file names with '&' are shown as they are.
  const UINT lines = m_wordWrap ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE;
  ::DrawTextA(dc, m_caption.data(), static_cast<int>(m_caption.size()), &r, DT_LEFT | DT_TOP | lines | DT_NOPREFIX | DT_NOCLIP);
}
