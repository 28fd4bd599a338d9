#include "ui/Form.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <stdexcept>
#include <utility>
#include <vector>

#include <windowsx.h>

#include "support/Application.h"
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
// Posted to the form itself: the focus event for the focused drawn control, and a press a
// screen reader asked for (wParam: the control's child id).
constexpr UINT kAnnounceFocusMessage = WM_APP + 0x3A0;
constexpr UINT kPressMessage = WM_APP + 0x3A1;

template <typename F>
void ForEachChildWindow(Control& control, F&& f) {
  if (auto* child = dynamic_cast<ChildWindowControl*>(&control)) f(*child);
  for (auto& c : control.Children()) ForEachChildWindow(*c, f);
}
}  // namespace

Form::Form(const FormDescription& description)
    : m_description(description),
      m_scale{SystemDpi()},
      m_client(std::make_unique<Control>("", RectOfSize(description.clientWidth, description.clientHeight))),
      m_color(description.color) {
  m_client->AttachForm(this);
  m_client->SetFont(description.font);
}

Form::~Form() {
  m_hints.reset();
  DestroyHandle();
  m_hover = nullptr;
  m_capture = nullptr;
}

void Form::Create(HWND owner) {
  if (m_hwnd) return;
  const FormDescription& d = m_description;
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!::GetClassInfoExA(instance, d.className, &wc)) {
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Form::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = d.icon;
    wc.lpszClassName = d.className;
    if (!::RegisterClassExA(&wc)) throw std::runtime_error("Cannot register window class");
  }

  const SIZE outer = WindowSizeForClient(SIZE{m_scale.ToDevice(d.clientWidth), m_scale.ToDevice(d.clientHeight)}, d.style,
                                         d.exStyle, m_scale.dpi);
  const int width = outer.cx;
  const int height = outer.cy;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  // WS_EX_CONTROLPARENT lets Tab move into and out of the child windows.
  if (!::CreateWindowExA(d.exStyle | WS_EX_CONTROLPARENT, d.className, d.caption.c_str(), d.style & ~WS_VISIBLE, x, y,
                         width, height, owner, nullptr, instance, this))
    throw std::runtime_error("Cannot create window");
  // The monitor the window came up on may have a DPI of its own.
  if (const int dpi = WindowDpi(m_hwnd); dpi != m_scale.dpi) ApplyDpi(dpi, nullptr);
  ForEachChildWindow(*m_client, [&](ChildWindowControl& c) { c.CreateWindowIn(m_hwnd); });
  if (m_defaultButton) SetDefaultButton(m_defaultButton);
  if (m_showHints) {
    m_hints = std::make_unique<HintWindow>(m_hwnd);
    UpdateHints();
  }
  FormCreated();
}

void Form::UpdateHints() {
  if (m_hints) m_hints->Update(*m_client);
}

Form* Form::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  HWND root = ::GetAncestor(hwnd, GA_ROOT);
  return root ? static_cast<Form*>(::GetPropA(root, kFormProperty)) : nullptr;
}

void Form::Show(int command) {
  if (!m_hwnd) Create();
  ::ShowWindow(m_hwnd, command);
  ::UpdateWindow(m_hwnd);
}

void Form::Hide() {
  if (m_hwnd) ::ShowWindow(m_hwnd, SW_HIDE);
}

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
    RECT r = *suggested;
    MONITORINFO monitor{sizeof monitor};
    if (::GetMonitorInfoA(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) {
      const RECT& work = monitor.rcWork;
      const LONG width = std::min(r.right - r.left, work.right - work.left);
      const LONG height = std::min(r.bottom - r.top, work.bottom - work.top);
      r.left = std::clamp(r.left, work.left, work.right - width);
      r.top = std::clamp(r.top, work.top, work.bottom - height);
      r.right = r.left + width;
      r.bottom = r.top + height;
    }
    ::SetWindowPos(m_hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetClientSize(m_client->Width(), m_client->Height());
  }
  UpdateHints();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

POINT Form::LogicalPoint(LPARAM lParam) const {
  return POINT{m_scale.ToLogical(GET_X_LPARAM(lParam)), m_scale.ToLogical(GET_Y_LPARAM(lParam))};
}

std::string Form::Caption() const { return m_description.caption; }

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

void Form::SetDefaultButton(ChildWindowControl* button) {
  if (m_defaultButton && m_defaultButton != button && m_defaultButton->Handle())
    ::SendMessageA(m_defaultButton->Handle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  m_defaultButton = button;
  if (button && button->Handle()) {
    ::SendMessageA(button->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    // First in the tab order.
    ::SetWindowPos(button->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void Form::InvalidateArea(const Rect& area) {
  if (!m_hwnd) return;
  // Beyond 96 DPI a pixel more on each side: the drawing's edges are rounded by GDI.
  const RECT r = ToRECT(m_scale.Identity() ? area : m_scale.ToDevice(area).Inflated(1));
  ::InvalidateRect(m_hwnd, &r, FALSE);
}

void Form::UpdateNow() {
  if (m_hwnd) ::UpdateWindow(m_hwnd);
}

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

Control* Form::ControlAt(int x, int y) const { return Hit(*m_client, x, y, true); }

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
  if (!m_trackingLeave && m_hwnd) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hwnd, 0};
    m_trackingLeave = ::TrackMouseEvent(&tme) != FALSE;
  }
  // While a control holds the mouse, others do not see it come and go.
  if (!m_capture) SetHover(ControlAt(x, y));
}

void Form::ControlEnabledChanged(Control& control) {
  if (!control.Enabled() && m_capture == &control) {
    m_capture = nullptr;
    if (::GetCapture() == m_hwnd) ::ReleaseCapture();
  }
  // The control under the resting mouse may have changed (a disabled one takes no mouse, an
  // enabled one does): the hover follows, so that the control now under the mouse is the one
  // that later hears the mouse leave.
  if (!m_capture) SetHover(ControlAt(m_lastMouse.x, m_lastMouse.y));
}

ChildWindowControl* Form::ChildControlOf(HWND child) const {
  if (!child || ::GetParent(child) != m_hwnd) return nullptr;
  return ChildWindowControl::FromHandle(child);
}

bool Form::PressAccelerator(char letter) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  ChildWindowControl* match = nullptr;
  ForEachChildWindow(*m_client, [&](ChildWindowControl& c) {
    if (!match && c.Accelerator() == letter && c.Showing() && c.Enabled()) match = &c;
  });
  if (!match) return false;
  match->Click();
  return true;
}

bool Form::TranslateKey(const MSG& msg) {
  if (PreviewKey(msg)) return true;
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const bool alt = ::GetKeyState(VK_MENU) < 0;
  switch (msg.message) {
    case WM_KEYDOWN:
      if (ctrl || alt) return false;
      if (msg.wParam == VK_TAB) {
        const bool back = ::GetKeyState(VK_SHIFT) < 0;
        if (MoveFocus(back)) return true;
        if (HWND next = ::GetNextDlgTabItem(m_hwnd, ::GetFocus(), back)) ::SetFocus(next);
        return true;
      }
      if (msg.wParam == VK_RETURN) {
        PressDefault();
        return true;
      }
      if (msg.wParam == VK_SPACE && m_focusedControl && m_focusedControl->Focused()) {
        m_focusedControl->Press();
        return true;
      }
      if (msg.wParam == VK_ESCAPE) {
        if (m_escapeButton)
          m_escapeButton->Click();
        else if (m_escapeControl && m_escapeControl->Showing() && m_escapeControl->Enabled())
          m_escapeControl->Press();
        else
          EscapePressed();
        return true;
      }
      return false;
    case WM_SYSCHAR:
      // Alt + an accelerator letter.
      return PressAccelerator(static_cast<char>(msg.wParam));
    case WM_CHAR: {
      // A plain letter presses its button unless an edit field takes the typing.
      HWND focus = ::GetFocus();
      char cls[16] = {};
      if (focus && ::GetClassNameA(focus, cls, sizeof cls) && ::lstrcmpiA(cls, "Edit") == 0) return false;
      return std::isalpha(static_cast<unsigned char>(msg.wParam)) && PressAccelerator(static_cast<char>(msg.wParam));
    }
    default:
      return false;
  }
}

namespace {
// Tab stops: drawn controls that take the focus and child windows that are tab stops.
void CollectTabStops(Control& control, std::vector<Control*>& stops) {
  if (!control.Showing() || !control.Enabled()) return;
  if (auto* child = dynamic_cast<ChildWindowControl*>(&control)) {
    const HWND window = child->Handle();
    if (window && ::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
        (::GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP))
      stops.push_back(&control);
  } else if (control.TakesFocus()) {
    stops.push_back(&control);
  }
  for (const auto& c : control.Children()) CollectTabStops(*c, stops);
}

bool IsPushButton(HWND window) {
  char name[16] = {};
  if (!window || !::GetClassNameA(window, name, sizeof name) || ::lstrcmpiA(name, "Button") != 0) return false;
  const LONG type = ::GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}
}  // namespace

void Form::FocusControl(Control* control) {
  if (m_focusedControl) m_focusedControl->Invalidate();
  m_focusedControl = control;
  if (!control) return;
  if (m_hwnd && ::GetFocus() != m_hwnd) ::SetFocus(m_hwnd);
  control->Invalidate();
  // Screen readers follow the focus: "NEXT, button".
  AnnounceFocusLater();
}

void Form::SetDefaultControl(Control* control) {
  Control* before = m_defaultControl;
  m_defaultControl = control;
  if (before == control) return;
  if (before) NotifyAccessible(EVENT_OBJECT_STATECHANGE, *before);
  if (control) NotifyAccessible(EVENT_OBJECT_STATECHANGE, *control);
}

void Form::NotifyAccessible(DWORD event, const Control& control) const {
  if (!m_hwnd) return;
  if (const long id = AccessibleChildId(*const_cast<Form*>(this), control))
    ::NotifyWinEvent(event, m_hwnd, OBJID_CLIENT, id);
}

void Form::NotifyAccessibleReorder() const {
  if (m_hwnd) ::NotifyWinEvent(EVENT_OBJECT_REORDER, m_hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void Form::PostPress(Control& control) {
  if (m_hwnd) ::PostMessageA(m_hwnd, kPressMessage, static_cast<WPARAM>(AccessibleChildId(*this, control)), 0);
}

// Posted, so that it follows the system's own focus event for the window (raised inside
// SetFocus) and is raised once however many changes led to it.
void Form::AnnounceFocusLater() {
  if (!m_hwnd || m_focusAnnouncePending) return;
  m_focusAnnouncePending = ::PostMessageA(m_hwnd, kAnnounceFocusMessage, 0, 0) != FALSE;
}

void Form::AnnounceFocus() {
  m_focusAnnouncePending = false;
  if (m_hwnd && ::IsWindowVisible(m_hwnd) && ::GetFocus() == m_hwnd && m_focusedControl && m_focusedControl->Showing())
    NotifyAccessible(EVENT_OBJECT_FOCUS, *m_focusedControl);
}

bool Form::MoveFocus(bool back) {
  std::vector<Control*> stops;
  CollectTabStops(*m_client, stops);
  if (std::none_of(stops.begin(), stops.end(), [](Control* c) { return c->TakesFocus(); })) return false;
  // Reading order: by row, then from the left.
  std::stable_sort(stops.begin(), stops.end(), [](Control* a, Control* b) {
    const Rect ra = a->BoundsInForm(), rb = b->BoundsInForm();
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  Control* current = m_focusedControl && m_focusedControl->Focused() ? m_focusedControl : ChildControlOf(::GetFocus());
  const auto at = std::find(stops.begin(), stops.end(), current);
  const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(stops.size());
  std::ptrdiff_t index = at == stops.end() ? (back ? count - 1 : 0) : (at - stops.begin() + (back ? count - 1 : 1)) % count;
  Control* next = stops[static_cast<std::size_t>(index)];
  if (auto* child = dynamic_cast<ChildWindowControl*>(next)) {
    FocusControl(nullptr);
    child->Focus();
  } else {
    FocusControl(next);
  }
  return true;
}

void Form::PressDefault() {
  if (m_focusedControl && m_focusedControl->Focused()) {
    m_focusedControl->Press();
    return;
  }
  // A push button with the focus is what Enter presses; the default one only otherwise.
  if (const HWND focus = ::GetFocus(); IsPushButton(focus) && ::IsChild(m_hwnd, focus)) {
    ::SendMessageA(focus, BM_CLICK, 0, 0);
    return;
  }
  if (m_defaultButton)
    m_defaultButton->Click();
  else if (m_defaultControl && m_defaultControl->Showing() && m_defaultControl->Enabled())
    m_defaultControl->Press();
}

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
    self->m_hover = nullptr;
    self->m_capture = nullptr;
    self->m_trackingLeave = false;
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
  switch (msg) {
    case WM_ERASEBKGND:
    case WM_PAINT:
      return PaintMessage(msg, wParam, lParam);
    case WM_SIZE:
    case WM_DPICHANGED:
    case WM_CLOSE:
    case WM_DESTROY:
    case WM_ACTIVATE:
      return LifeCycleMessage(msg, wParam, lParam);
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ChildWindowMessage(msg, wParam, lParam);
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      return MouseMessage(msg, wParam, lParam);
    case WM_GETOBJECT:
      if (const LRESULT answer = AnswerGetObject(m_hwnd, wParam, lParam)) return answer;
      return DefaultHandler(msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The focused drawn control shows its cue only while the form's window has the focus.
      if (m_focusedControl) m_focusedControl->Invalidate();
      if (msg == WM_SETFOCUS) AnnounceFocusLater();
      return DefaultHandler(msg, wParam, lParam);
    case WM_SHOWWINDOW:
      if (wParam) AnnounceFocusLater();
      return DefaultHandler(msg, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      // High contrast may have come or gone: everything is drawn again, the child windows too.
      ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      return DefaultHandler(msg, wParam, lParam);
    case kAnnounceFocusMessage:
      AnnounceFocus();
      return 0;
    case kPressMessage: {
      const std::vector<Control*> children = AccessibleChildren(*this);
      const auto id = static_cast<std::size_t>(wParam);
      Control* control = id >= 1 && id <= children.size() ? children[id - 1] : nullptr;
      if (control && control->Role() == Control::AccessibleRole::PushButton && control->Showing() &&
          control->Enabled())
        control->Press();
      return 0;
    }
    default:
      return DefaultHandler(msg, wParam, lParam);
  }
}

LRESULT Form::PaintMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;

    case WM_PAINT: {
      PaintPass pass(m_hwnd);
      // Only the area that needs it is drawn and copied.
      const SIZE client = DeviceClientSize();
      const Rect area =
          Rect{pass.Area().left, pass.Area().top, pass.Area().right, pass.Area().bottom}.Intersect(RectOfSize(client.cx, client.cy));
      if (!area.Empty()) {
        DoubleBuffer buffer(pass.Dc(), area);
        // Undone before the buffer is copied: the copy is in device pixels.
        SavedDcState scaled(buffer.Dc());
        ApplyScale(buffer.Dc(), m_scale);
        RenderArea(buffer.Dc(), m_scale.Covering(area).Intersect(m_client->ClientRect()));
      }
      ++m_paintCount;
      return 0;
    }

    default:
      return DefaultHandler(msg, wParam, lParam);
  }
}

LRESULT Form::LifeCycleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
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

    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        // Remember which child had the focus, to give it back on return.
        if (ChildWindowControl* c = ChildControlOf(::GetFocus())) m_focus = c;
      } else if (m_focusedControl && m_focusedControl->Showing()) {
        ::SetFocus(m_hwnd);
        m_focusedControl->Invalidate();
        AnnounceFocusLater();
      } else if (m_focus && m_focus->Handle() && ::IsWindowVisible(m_focus->Handle())) {
        m_focus->Focus();
      } else if (m_defaultButton && m_defaultButton->Handle()) {
        m_defaultButton->Focus();
      }
      return 0;

    default:
      return DefaultHandler(msg, wParam, lParam);
  }
}

LRESULT Form::ChildWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  ChildWindowControl* c = ChildControlOf(reinterpret_cast<HWND>(lParam));
  switch (msg) {
    case WM_COMMAND:
      if (c) {
        c->Command(HIWORD(wParam));
        return 0;
      }
      return DefaultHandler(msg, wParam, lParam);

    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (c)
        if (HBRUSH brush = c->CtlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
      return DefaultHandler(msg, wParam, lParam);

    default:
      return DefaultHandler(msg, wParam, lParam);
  }
}

LRESULT Form::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == m_hwnd && LOWORD(lParam) == HTCLIENT) {
        POINT p{};
        ::GetCursorPos(&p);
        ::ScreenToClient(m_hwnd, &p);
        p = POINT{m_scale.ToLogical(p.x), m_scale.ToLogical(p.y)};
        for (Control* c = Hit(*m_client, p.x, p.y, false); c; c = c->Parent())
          if (c->Cursor()) {
            ::SetCursor(c->Cursor());
            return TRUE;
          }
      }
      return DefaultHandler(msg, wParam, lParam);

    case WM_MOUSEMOVE: {
      const auto [x, y] = LogicalPoint(lParam);
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
      const auto [x, y] = LogicalPoint(lParam);
      MouseAt(x, y);
      if (m_hover && !m_capture) {
        m_capture = m_hover;
        ::SetCapture(m_hwnd);
        const POINT p = ToControl(*m_capture, x, y);
        m_capture->MouseDown(p.x, p.y);
      }
      return 0;
    }

    case WM_LBUTTONUP: {
      const auto [x, y] = LogicalPoint(lParam);
      m_lastMouse = POINT{x, y};
      if (Control* pressed = std::exchange(m_capture, nullptr)) {
        if (::GetCapture() == m_hwnd) ::ReleaseCapture();
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
      if (m_capture && reinterpret_cast<HWND>(lParam) != m_hwnd) std::exchange(m_capture, nullptr)->CaptureLost();
      return 0;

    case WM_CANCELMODE:
      if (m_capture) ::ReleaseCapture();
      return DefaultHandler(msg, wParam, lParam);

    default:
      return DefaultHandler(msg, wParam, lParam);
  }
}
