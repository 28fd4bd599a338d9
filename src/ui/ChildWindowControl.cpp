#include "ui/ChildWindowControl.h"

ChildWindowControl::ChildWindowControl(std::string name, Rect bounds) : Control(std::move(name), bounds) {}

void ChildWindowControl::CreateWindowIn(HWND parent) {
  if (m_window) return;
  DWORD style = WS_CHILD | (m_tabStop ? WS_TABSTOP : 0) | (Showing() ? WS_VISIBLE : 0) | (Enabled() ? 0 : WS_DISABLED);
  m_window.reset(MakeWindow(parent, DeviceBoundsInForm(), style));
  if (!m_window) return;
  ::SetWindowLongPtrA(m_window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SendMessageA(m_window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont()), FALSE);
}

// The system draws the window in device pixels: its font is made at the scaled height.
HFONT ChildWindowControl::WindowFont() { return FontHandle(Scale()); }

ChildWindowControl* ChildWindowControl::FromHandle(HWND window) {
  return window ? reinterpret_cast<ChildWindowControl*>(::GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

void ChildWindowControl::SetTabStop(bool tabStop) {
  m_tabStop = tabStop;
  if (!m_window) return;
  LONG_PTR style = ::GetWindowLongPtrA(m_window.get(), GWL_STYLE);
  style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  ::SetWindowLongPtrA(m_window.get(), GWL_STYLE, style);
}

void ChildWindowControl::Focus() {
  if (m_window) ::SetFocus(m_window.get());
}

void ChildWindowControl::PlacementChanged() {
  if (!m_window) return;
  const Rect r = DeviceBoundsInForm();
  ::SetWindowPos(m_window.get(), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(m_window.get(), Showing() ? SW_SHOWNA : SW_HIDE);
}

void ChildWindowControl::EnabledChanged() {
  if (m_window) ::EnableWindow(m_window.get(), Enabled());
}

void ChildWindowControl::FontChanged() {
  if (m_window) ::SendMessageA(m_window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont()), TRUE);
}

void ChildWindowControl::ScaleChanged() {
  FontChanged();
  PlacementChanged();
}

void ForEachChildWindow(Control& control, const std::function<void(ChildWindowControl&)>& f) {
  if (auto* child = dynamic_cast<ChildWindowControl*>(&control)) f(*child);
  for (auto& c : control.Children()) ForEachChildWindow(*c, f);
}
