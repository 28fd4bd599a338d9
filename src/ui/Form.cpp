#include "ui/Form.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <vector>

#include "support/run/Application.h"
#include "ui/ChildWindowControl.h"
#include "ui/FormAccessible.h"
#include "ui/Gdi.h"
#include "ui/HighContrast.h"
#include "ui/Hints.h"
#include "ui/WindowDpi.h"

namespace {
// Marks the program's own top-level windows, so that a message loop finds the form of any
// window it dispatches to.
constexpr char kFormProperty[] = "QlxForm";
}  // namespace

Form::Form(const FormDescription& description)
    : m_description(description),
      m_scale{SystemDpi()},
      m_client(std::make_unique<Control>("", RectOfSize(description.clientWidth, description.clientHeight))),
      m_color(description.color),
      m_keys(*this, [this] { EscapePressed(); }),
      m_mouse(*this) {
  m_client->AttachHost(this);
  m_client->SetFont(description.font);
}

Form::~Form() {
  m_hints.reset();
  DestroyHandle();
  m_mouse.Forget();
}

void Form::Create(HWND owner) {
  if (m_hwnd) return;
  const FormDescription& d = m_description;
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!::GetClassInfoExA(instance, d.className, &wc)) {
    wc = WNDCLASSEXA{sizeof wc, CS_DBLCLKS, &Form::StaticWndProc, 0,      0, instance, d.icon,
                     ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr, d.className, nullptr};
    if (!::RegisterClassExA(&wc)) throw std::runtime_error("Cannot register window class");
  }
  // Centred on the screen, at the scale of the system until the window knows its monitor.
  const SIZE outer = WindowSizeForClient(SIZE{m_scale.ToDevice(d.clientWidth), m_scale.ToDevice(d.clientHeight)}, d.style,
                                         d.exStyle, m_scale.dpi);
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2, y = (::GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2;
  // WS_EX_CONTROLPARENT lets Tab move into and out of the child windows.
  if (!::CreateWindowExA(d.exStyle | WS_EX_CONTROLPARENT, d.className, d.caption.c_str(), d.style & ~WS_VISIBLE, x, y,
                         outer.cx, outer.cy, owner, nullptr, instance, this))
    throw std::runtime_error("Cannot create window");
  // The monitor the window came up on may have a DPI of its own.
  if (const int dpi = WindowDpi(m_hwnd); dpi != m_scale.dpi) ApplyDpi(dpi, nullptr);
  ForEachChildWindow(*m_client, [&](ChildWindowControl& c) { c.CreateWindowIn(m_hwnd); });
  m_keys.WindowCreated();
  if (m_showHints) {
    m_hints = std::make_unique<HintWindow>(m_hwnd);
    UpdateHints();
  }
  FormCreated();
}

void Form::UpdateHints() { if (m_hints) m_hints->Update(*m_client); }

Form* Form::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  HWND root = ::GetAncestor(hwnd, GA_ROOT);
  return root ? static_cast<Form*>(::GetPropA(root, kFormProperty)) : nullptr;
}

ControlHost* ControlHost::FromWindow(HWND window) { return Form::FromHandle(window); }

void Form::Show(int command) {
  if (!m_hwnd) Create();
  ::ShowWindow(m_hwnd, command);
  ::UpdateWindow(m_hwnd);
}

void Form::Hide() { if (m_hwnd) ::ShowWindow(m_hwnd, SW_HIDE); }

void Form::SetCaption(const std::string& caption) {
  m_description.caption = caption;
  if (m_hwnd) ::SetWindowTextA(m_hwnd, caption.c_str());
}

void Form::SetClientSize(int width, int height) {
  m_description.clientWidth = width;
  m_description.clientHeight = height;
  if (!m_hwnd) {
    m_client->SetBounds(RectOfSize(width, height));
    return;
  }
  const SIZE outer = WindowSizeForClient(SIZE{m_scale.ToDevice(width), m_scale.ToDevice(height)},
                                         static_cast<DWORD>(::GetWindowLongPtrA(m_hwnd, GWL_STYLE)),
                                         static_cast<DWORD>(::GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE)), m_scale.dpi);
  ::SetWindowPos(m_hwnd, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Form::DeviceClientSize() const {
  RECT r{};
  if (m_hwnd && ::GetClientRect(m_hwnd, &r)) return SIZE{r.right, r.bottom};
  return SIZE{m_scale.ToDevice(m_client->Width()), m_scale.ToDevice(m_client->Height())};
}

void Form::ApplyDpi(int dpi, const RECT* suggested) {
  m_scale.dpi = dpi;
  m_client->NotifyScaleChanged();
  if (suggested) {
    // The suggested place, but never larger than the monitor's work area.
    const RECT r = ClampToWorkArea(*suggested);
    ::SetWindowPos(m_hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetClientSize(m_client->Width(), m_client->Height());
  }
  UpdateHints();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

bool Form::Close() {
  if (!m_hwnd) return true;
  ::SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
  return !m_hwnd || !::IsWindowVisible(m_hwnd);
}

void Form::DestroyHandle() {
  if (!m_hwnd) return;
  m_hints.reset();
  ::DestroyWindow(m_hwnd);
}

void Form::SetColor(TColor color) {
  m_color = color;
  InvalidateArea(m_client->ClientRect());
}

void Form::InvalidateArea(const Rect& area) {
  if (!m_hwnd) return;
  // Beyond 96 DPI a pixel more on each side: the drawing's edges are rounded by GDI.
  const RECT r = ToRECT(m_scale.Identity() ? area : m_scale.ToDevice(area).Inflated(1));
  ::InvalidateRect(m_hwnd, &r, FALSE);
}

void Form::UpdateNow() { if (m_hwnd) ::UpdateWindow(m_hwnd); }

void Form::ChildWindowsChanged(Control& subtree) {
  if (m_hwnd) ForEachChildWindow(subtree, [&](ChildWindowControl& c) { c.CreateWindowIn(m_hwnd); });
}

void Form::RenderTo(HDC dc) {
  SavedDcState state(dc);
  ApplyScale(dc, m_scale);
  RenderArea(dc, m_client->ClientRect());
}

void Form::RenderArea(HDC dc, const Rect& area) {
  if (auto colour = Resolve(HighContrast() ? clBtnFace : m_color))
    FillSolid(dc, area.Intersect(m_client->ClientRect()), *colour);
  for (auto& child : m_client->Children()) PaintControl(dc, *child, area);
}

// `area` is in the coordinates of the control's parent; controls outside it are not drawn.
void Form::PaintControl(HDC dc, Control& control, const Rect& area) {
  if (!control.Visible() || control.Bounds().Intersect(area).Empty()) return;
  SavedDcState state(dc);
  if (m_scale.Identity()) {
    ::OffsetViewportOrgEx(dc, control.Left(), control.Top(), nullptr);
  } else {
    const XFORM move{1, 0, 0, 1, static_cast<FLOAT>(control.Left()), static_cast<FLOAT>(control.Top())};
    ::ModifyWorldTransform(dc, &move, MWT_LEFTMULTIPLY);
  }
  ::IntersectClipRect(dc, 0, 0, control.Width(), control.Height());
  control.Paint(dc);
  const Rect inner = area.Offset(-control.Left(), -control.Top());
  for (auto& child : control.Children()) PaintControl(dc, *child, inner);
}

void Form::NotifyAccessible(DWORD event, const Control& control) const {
  if (!m_hwnd) return;
  if (const long id = AccessibleChildId(*m_client, control))
    ::NotifyWinEvent(event, m_hwnd, OBJID_CLIENT, id);
}

void Form::NotifyAccessibleReorder() const {
  if (m_hwnd) ::NotifyWinEvent(EVENT_OBJECT_REORDER, m_hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void Form::PostPress(Control& control) { PostAccessiblePress(m_hwnd, *m_client, control); }

LRESULT Form::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Form::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->m_hwnd = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ::SetPropA(hwnd, kFormProperty, self);
  }
  auto* self = reinterpret_cast<Form*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcA(hwnd, msg, wParam, lParam);

  if (msg == WM_NCDESTROY) {
    ForEachChildWindow(*self->m_client, [](ChildWindowControl& c) { c.WindowDestroyed(); });
    ::RemovePropA(hwnd, kFormProperty);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->m_hwnd = nullptr;
    self->m_mouse.Forget();
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
  return 0;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return Dispatch(msg, wParam, lParam); }

LRESULT Form::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The mouse, the keyboard's focus and the screen readers first, each with its messages.
  LRESULT result = 0;
  if (m_mouse.Message(msg, wParam, lParam, m_scale, result) || m_keys.Message(msg, wParam, result) ||
      AccessibleMessage(m_hwnd, *m_client, msg, wParam, lParam, result))
    return result;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SIZE:
      // The client control follows the client area; aligned controls follow it.
      if (wParam != SIZE_MINIMIZED)
        m_client->SetBounds(RectOfSize(m_scale.NearestLogical(LOWORD(lParam)), m_scale.NearestLogical(HIWORD(lParam))));
      return 0;
    case WM_DPICHANGED:
      ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      if (FormCloseQuery()) Hide();
      return 0;
    case WM_DESTROY:
      FormDestroyed();
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      // High contrast may have come or gone: everything is drawn again, the child windows too.
      ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      break;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // From one of the child windows: a notification, or the colours to draw it in.
      const HWND window = reinterpret_cast<HWND>(lParam);
      ChildWindowControl* c = window && ::GetParent(window) == m_hwnd ? ChildWindowControl::FromHandle(window) : nullptr;
      if (c && msg == WM_COMMAND) {
        c->Command(HIWORD(wParam));
        return 0;
      }
      if (c && msg != WM_COMMAND)
        if (HBRUSH brush = c->CtlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
      break;
    }
    default:
      break;
  }
  return DefaultHandler(msg, wParam, lParam);
}

void Form::Paint() {
  PaintPass pass(m_hwnd);
  // Only the area that needs it is drawn and copied.
  const SIZE client = DeviceClientSize();
  const RECT& needed = pass.Area();
  const Rect area = Rect{needed.left, needed.top, needed.right, needed.bottom}.Intersect(RectOfSize(client.cx, client.cy));
  if (!area.Empty()) {
    DoubleBuffer buffer(pass.Dc(), area);
    // Undone before the buffer is copied: the copy is in device pixels.
    SavedDcState scaled(buffer.Dc());
    ApplyScale(buffer.Dc(), m_scale);
    RenderArea(buffer.Dc(), m_scale.Covering(area).Intersect(m_client->ClientRect()));
  }
  ++m_paintCount;
}
