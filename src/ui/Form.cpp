#include "ui/Form.h"

#include <utility>

#include <windowsx.h>

#include "ui/Gdi.h"

Form::Form(const Settings& settings)
    : m_client(std::make_unique<Control>("", RectOfSize(settings.clientWidth, settings.clientHeight))),
      m_color(settings.color) {
  m_client->AttachForm(this);
  m_client->SetFont(settings.font);
  CreateFrame(Frame{
      .className = settings.className,
      .caption = settings.caption,
      .style = settings.style,
      .exStyle = settings.exStyle,
      .clientWidth = settings.clientWidth,
      .clientHeight = settings.clientHeight,
      .icon = settings.icon,
  });
}

Form::~Form() {
  m_hover = nullptr;
  m_capture = nullptr;
}

void Form::SetColor(TColor color) {
  m_color = color;
  InvalidateArea(m_client->ClientRect());
}

void Form::InvalidateArea(const Rect& area) {
  if (!Handle()) return;
  const RECT r = ToRECT(area);
  ::InvalidateRect(Handle(), &r, FALSE);
}

void Form::UpdateNow() {
  if (Handle()) ::UpdateWindow(Handle());
}

void Form::RenderTo(HDC dc) {
  if (auto colour = Resolve(m_color)) FillSolid(dc, m_client->ClientRect(), *colour);
  for (auto& child : m_client->Children()) PaintControl(dc, *child);
}

void Form::PaintControl(HDC dc, Control& control) {
  if (!control.Visible() || control.Bounds().Empty()) return;
  SavedDcState state(dc);
  ::OffsetViewportOrgEx(dc, control.Left(), control.Top(), nullptr);
  ::IntersectClipRect(dc, 0, 0, control.Width(), control.Height());
  control.Paint(dc);
  for (auto& child : control.Children()) PaintControl(dc, *child);
}

namespace {
Control* Hit(Control& control, int x, int y) {
  if (!control.Visible() || !control.Bounds().Contains(x, y)) return nullptr;
  const auto& children = control.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (Control* hit = Hit(**it, x - control.Left(), y - control.Top())) return hit;
  if (control.WantsMouse() && control.Enabled()) return &control;
  return nullptr;
}
}  // namespace

Control* Form::ControlAt(int x, int y) const { return Hit(*m_client, x, y); }

POINT Form::ToControl(const Control& control, int x, int y) const {
  const Rect r = control.BoundsInForm();
  return POINT{x - r.left, y - r.top};
}

void Form::SetHover(Control* control) {
  if (control == m_hover) return;
  Control* old = std::exchange(m_hover, control);
  if (old) old->MouseLeave();
  if (control) control->MouseEnter();
}

void Form::MouseAt(int x, int y) {
  m_lastMouse = POINT{x, y};
  if (!m_trackingLeave && Handle()) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
    m_trackingLeave = ::TrackMouseEvent(&tme) != FALSE;
  }
  // While a control holds the mouse, others do not see it come and go.
  if (!m_capture) SetHover(ControlAt(x, y));
}

void Form::ControlEnabledChanged(Control& control) {
  if (!control.Enabled() && m_capture == &control) {
    m_capture = nullptr;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
  }
  // The control under the resting mouse may have changed (a disabled one takes no mouse, an
  // enabled one does): the hover follows, so that the control now under the mouse is the one
  // that later hears the mouse leave.
  if (!m_capture) SetHover(ControlAt(m_lastMouse.x, m_lastMouse.y));
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;

    case WM_PAINT: {
      PaintPass pass(Handle());
      {
        DoubleBuffer buffer(pass.Dc(), m_client->ClientRect());
        RenderTo(buffer.Dc());
      }
      ++m_paintCount;
      return 0;
    }

    case WM_SIZE:
      // The client control follows the client area; aligned controls follow it.
      if (wParam != SIZE_MINIMIZED) m_client->SetBounds(RectOfSize(LOWORD(lParam), HIWORD(lParam)));
      return 0;

    case WM_MOUSEMOVE: {
      const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      MouseAt(x, y);
      Control* target = m_capture ? m_capture : m_hover;
      if (target) {
        const POINT p = ToControl(*target, x, y);
        target->MouseMove(p.x, p.y);
      }
      return 0;
    }

    case WM_MOUSELEAVE:
      m_trackingLeave = false;
      if (!m_capture) {
        // The mouse is no longer over any control: a later look at "the control under the
        // cursor" (enabling a button) must not find the one it last rested on.
        m_lastMouse = POINT{-1, -1};
        SetHover(nullptr);
      }
      return 0;

    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      MouseAt(x, y);
      if (m_hover && !m_capture) {
        m_capture = m_hover;
        ::SetCapture(Handle());
        const POINT p = ToControl(*m_capture, x, y);
        m_capture->MouseDown(p.x, p.y);
      }
      return 0;
    }

    case WM_LBUTTONUP: {
      const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      m_lastMouse = POINT{x, y};
      if (Control* pressed = std::exchange(m_capture, nullptr)) {
        if (::GetCapture() == Handle()) ::ReleaseCapture();
        const POINT p = ToControl(*pressed, x, y);
        // The hover is brought up to date first, so that the control can ask what lies under
        // the cursor when it is released.
        MouseAt(x, y);
        pressed->MouseUp(p.x, p.y);
      } else {
        MouseAt(x, y);
      }
      return 0;
    }

    case WM_CAPTURECHANGED:
      // Another window took the mouse while a control was pressed: the press is abandoned.
      if (m_capture && reinterpret_cast<HWND>(lParam) != Handle()) std::exchange(m_capture, nullptr)->CaptureLost();
      return 0;

    case WM_CANCELMODE:
      if (m_capture) ::ReleaseCapture();
      return DefaultHandler(msg, wParam, lParam);

    default:
      return DefaultHandler(msg, wParam, lParam);
  }
}
