#include "ui/MouseRouter.h"

#include <utility>

#include <windowsx.h>

#include "ui/Control.h"

namespace {
Control* Hit(Control& control, int x, int y, bool mouseOnly) {
  if (!control.Visible() || !control.Bounds().Contains(x, y)) return nullptr;
  const auto& children = control.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (Control* hit = Hit(**it, x - control.Left(), y - control.Top(), mouseOnly)) return hit;
  if (!mouseOnly || (control.WantsMouse() && control.Enabled())) return &control;
  return nullptr;
}
}  // namespace

Control* MouseRouter::ControlAt(int x, int y) const { return Hit(m_host.Client(), x, y, true); }

HCURSOR MouseRouter::CursorAt(int x, int y) const {
  for (Control* c = Hit(m_host.Client(), x, y, false); c; c = c->Parent())
    if (c->Cursor()) return c->Cursor();
  return nullptr;
}

POINT MouseRouter::ToControl(const Control& control, int x, int y) const {
  const Rect r = control.BoundsInForm();
  return POINT{x - r.left, y - r.top};
}

void MouseRouter::SetHover(Control* control) {
  if (control == m_hover) return;
  Control* old = std::exchange(m_hover, control);
  if (old) old->MouseLeave();
  if (control) control->MouseEnter();
}

void MouseRouter::At(int x, int y) {
  m_last = POINT{x, y};
  if (!m_trackingLeave && m_host.Handle()) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_host.Handle(), 0};
    m_trackingLeave = ::TrackMouseEvent(&tme) != FALSE;
  }
  // While a control holds the mouse, others do not see it come and go.
  if (!m_capture) SetHover(ControlAt(x, y));
}

bool MouseRouter::Message(UINT msg, WPARAM wParam, LPARAM lParam, const DpiScale& scale, LRESULT& result) {
  const int x = scale.ToLogical(GET_X_LPARAM(lParam)), y = scale.ToLogical(GET_Y_LPARAM(lParam));
  result = 0;
  switch (msg) {
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != m_host.Handle() || LOWORD(lParam) != HTCLIENT) return false;
      POINT p{};
      ::GetCursorPos(&p);
      ::ScreenToClient(m_host.Handle(), &p);
      HCURSOR cursor = CursorAt(scale.ToLogical(p.x), scale.ToLogical(p.y));
      if (!cursor) return false;
      ::SetCursor(cursor);
      result = TRUE;
      return true;
    }
    case WM_MOUSEMOVE:
      Move(x, y);
      return true;
    case WM_MOUSELEAVE:
      Leave();
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Down(x, y);
      return true;
    case WM_LBUTTONUP:
      Up(x, y);
      return true;
    case WM_CAPTURECHANGED:
      CaptureChanged(reinterpret_cast<HWND>(lParam));
      return true;
    case WM_CANCELMODE:
      CancelMode();
      return false;
    default:
      return false;
  }
}

void MouseRouter::Move(int x, int y) {
  At(x, y);
  if (Control* target = m_capture ? m_capture : m_hover) {
    const POINT p = ToControl(*target, x, y);
    target->MouseMove(p.x, p.y);
  }
}

void MouseRouter::Leave() {
  m_trackingLeave = false;
  if (m_capture) return;
  // The mouse is no longer over any control: a later look at "the control under the cursor"
  // (enabling a button) must not find the one it last rested on.
  m_last = POINT{-1, -1};
  SetHover(nullptr);
}

void MouseRouter::Down(int x, int y) {
  At(x, y);
  if (!m_hover || m_capture) return;
  m_capture = m_hover;
  ::SetCapture(m_host.Handle());
  const POINT p = ToControl(*m_capture, x, y);
  m_capture->MouseDown(p.x, p.y);
}

void MouseRouter::Up(int x, int y) {
  m_last = POINT{x, y};
  Control* pressed = std::exchange(m_capture, nullptr);
  if (!pressed) {
    At(x, y);
    return;
  }
  if (::GetCapture() == m_host.Handle()) ::ReleaseCapture();
  const POINT p = ToControl(*pressed, x, y);
  // The hover is brought up to date first, so that the control can ask what lies under the
  // cursor when it is released.
  At(x, y);
  pressed->MouseUp(p.x, p.y);
}

void MouseRouter::CaptureChanged(HWND taker) {
  if (m_capture && taker != m_host.Handle()) std::exchange(m_capture, nullptr)->CaptureLost();
}

void MouseRouter::CancelMode() {
  if (m_capture) ::ReleaseCapture();
}

void MouseRouter::ControlEnabledChanged(Control& control) {
  if (!control.Enabled() && m_capture == &control) {
    m_capture = nullptr;
    if (::GetCapture() == m_host.Handle()) ::ReleaseCapture();
  }
  // The control under the resting mouse may have changed (a disabled one takes no mouse, an
  // enabled one does): the hover follows, so that the control now under the mouse is the one
  // that later hears the mouse leave.
  if (!m_capture) SetHover(ControlAt(m_last.x, m_last.y));
}

void MouseRouter::Forget() {
  m_hover = nullptr;
  m_capture = nullptr;
  m_trackingLeave = false;
}
