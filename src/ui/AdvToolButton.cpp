#include "ui/AdvToolButton.h"

#include "ui/Gdi.h"
#include "ui/HighContrast.h"
#include "ui/Shading.h"

TAdvToolButton::TAdvToolButton(std::string name, Rect bounds, Props props)
    : Control(std::move(name), bounds), m_props(std::move(props)) {
  if (m_props.Font) SetFont(*m_props.Font);
}

void TAdvToolButton::SetCaption(std::string caption) {
  if (caption == m_props.Caption) return;
  m_props.Caption = std::move(caption);
  Invalidate();
  NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
}

void TAdvToolButton::SetColours(const ToolButtonColours& colours) {
  m_props.Colours = colours;
  Invalidate();
}

void TAdvToolButton::SetRounded(bool rounded) {
  m_props.Rounded = rounded;
  Invalidate();
}

void TAdvToolButton::SetShowCaption(bool show) {
  m_props.ShowCaption = show;
  Invalidate();
}

bool TAdvToolButton::TakesFocus() const { return Enabled() && Showing(); }

void TAdvToolButton::Click() {
  // A copy: the handler may set another handler (Pause turns into Resume) while it runs.
  const ClickHandler handler = m_props.OnClick;
  if (handler) handler(*this);
}

bool TAdvToolButton::CanBecomeHot() const { return m_props.Flat && Enabled() && ::GetCapture() == nullptr; }

void TAdvToolButton::MouseEnter() {
  if (m_hot || !CanBecomeHot()) return;
  m_hot = true;
  Invalidate();
}

void TAdvToolButton::MouseLeave() {
  if (!Enabled() || !m_hot) return;
  m_hot = false;
  Invalidate();
}

void TAdvToolButton::MouseDown(int, int) {
  if (!Enabled()) return;
  m_down = true;
  m_dragging = true;
  Invalidate();
}

void TAdvToolButton::MouseMove(int x, int y) {
  if (m_dragging) {
    const bool inside = InsidePressArea(x, y, Width(), Height());
    if (inside != m_down) {
      m_down = inside;
      Invalidate();
    }
  } else if (!m_hot) {
    // The form sends moves to the control under the cursor, so this button is under it.
    MouseEnter();
  }
}

void TAdvToolButton::MouseUp(int x, int y) {
  if (!m_dragging) return;
  m_dragging = false;
  m_down = false;
  m_hot = false;
  Invalidate();
  if (InsidePressArea(x, y, Width(), Height())) Click();
  UpdateHotFromCursor();
}

void TAdvToolButton::CaptureLost() {
  m_dragging = false;
  m_down = false;
  Invalidate();
}

void TAdvToolButton::UpdateHotFromCursor() {
  const ControlHost* form = Host();
  bool hot = false;
  if (form && CanBecomeHot()) {
    const POINT p = form->LastMousePosition();
    hot = form->ControlAt(p.x, p.y) == this;
  }
  if (hot != m_hot) {
    m_hot = hot;
    Invalidate();
  }
}

void TAdvToolButton::EnabledChanged() {
  if (!Enabled()) {
    m_dragging = false;
    m_down = false;
  }
  m_hot = false;
  UpdateHotFromCursor();
  Repaint();
}

void TAdvToolButton::Paint(HDC dc) {
  if (HighContrast()) {
    PaintPlain(dc);
    return;
  }
  const ToolButtonFace face = PlanToolButtonFace(m_props.Colours, m_props.Rounded, Visual(), Width(), Height());
  const auto from = Resolve(face.from);
  const auto to = Resolve(face.to);
  if (from && !to) {
    FillSolid(dc, face.face, *from);
  } else if (from && to) {
    for (const ShadedRect& band :
         ShadeVertically(face.face, kToolButtonBands, *from, *to, BandLength::RoundPlusOne, ClientRect()))
      FillSolid(dc, band.rect, band.colour);
  }
  if (auto outline = Resolve(face.faceOutline)) FrameSolid(dc, face.face, *outline);
  if (auto outline = Resolve(face.roundOutline)) {
    const UniqueGdiObject pen = MakePen(*outline);
    SelectGuard selectPen(dc, pen.get());
    SelectGuard selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    const Rect& r = face.roundRect;
    ::RoundRect(dc, r.left, r.top, r.right, r.bottom, kToolButtonCorner, kToolButtonCorner);
  }
  // The keyboard focus: a dotted rectangle inside the face.
  if (Focused()) {
    const RECT inside = ToRECT(face.face.Inflated(-3));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::DrawFocusRect(dc, &inside);
  }

  if (!m_props.ShowCaption || m_props.Caption.empty()) return;
  SelectGuard font(dc, FontHandle());
  ::SetBkMode(dc, TRANSPARENT);
  const std::string& text = m_props.Caption;
  RECT measure{0, 0, 0, 0};
  ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &measure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  const Point at = CentreCaption(face.captionArea, measure.right - measure.left, measure.bottom - measure.top);
  auto drawAt = [&](int x, int y, TColor colour) {
    ::SetTextColor(dc, ToColorRef(Resolve(colour).value_or(Rgb{})));
    RECT r{x, y, x + measure.right - measure.left, y + measure.bottom - measure.top};
    ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  };
  if (Enabled()) {
    drawAt(at.x, at.y, Font().Color);
  } else {
    drawAt(at.x + 1, at.y + 1, clBtnHighlight);
    drawAt(at.x, at.y, clBtnShadow);
  }
}

// High contrast: a flat face in the system's colours, framed in the text colour; hot and
// pressed take the highlight; the focus cue in the face's own colours.
void TAdvToolButton::PaintPlain(HDC dc) {
  const bool highlit = Visual() != ToolButtonVisual::Normal;
  const Rect r = ClientRect();
  const TColor faceColour = highlit ? clHighlight : clBtnFace;
  const TColor textColour = !Enabled() ? clGrayText : highlit ? clHighlightText : clBtnText;
  const Rgb face = Resolve(faceColour).value_or(Rgb{});
  const Rgb text = Resolve(textColour).value_or(Rgb{});
  FillSolid(dc, r, face);
  FrameSolid(dc, r, Resolve(clBtnText).value_or(Rgb{}));
  if (Focused()) {
    const RECT inside = ToRECT(r.Inflated(-3));
    ::SetTextColor(dc, ToColorRef(text));
    ::SetBkColor(dc, ToColorRef(face));
    ::DrawFocusRect(dc, &inside);
  }
  if (!m_props.ShowCaption || m_props.Caption.empty()) return;
  SelectGuard font(dc, FontHandle());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(text));
  RECT box = ToRECT(r);
  ::DrawTextA(dc, m_props.Caption.data(), static_cast<int>(m_props.Caption.size()), &box,
              DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_VCENTER);
}
