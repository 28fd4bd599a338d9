#include "ui/FormKeyboard.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "ui/ChildWindowControl.h"
#include "ui/ReadingOrder.h"

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

FormKeyboard::FormKeyboard(ControlHost& host, std::function<void()> escape) : m_host(host), m_escape(std::move(escape)) {}

void FormKeyboard::SetDefaultButton(ChildWindowControl* button) {
  if (m_defaultButton && m_defaultButton != button && m_defaultButton->Handle())
    ::SendMessageA(m_defaultButton->Handle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  m_defaultButton = button;
  if (button && button->Handle()) {
    ::SendMessageA(button->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    // First in the tab order.
    ::SetWindowPos(button->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void FormKeyboard::WindowCreated() {
  if (m_defaultButton) SetDefaultButton(m_defaultButton);
}

void FormKeyboard::FocusControl(Control* control) {
  if (m_focusedControl) m_focusedControl->Invalidate();
  m_focusedControl = control;
  if (!control) return;
  const HWND window = m_host.Handle();
  if (window && ::GetFocus() != window) ::SetFocus(window);
  control->Invalidate();
  // Screen readers follow the focus: "NEXT, button".
  AnnounceFocusLater();
}

void FormKeyboard::SetDefaultControl(Control* control) {
  Control* before = std::exchange(m_defaultControl, control);
  if (before == control) return;
  if (before) m_host.NotifyAccessible(EVENT_OBJECT_STATECHANGE, *before);
  if (control) m_host.NotifyAccessible(EVENT_OBJECT_STATECHANGE, *control);
}

ChildWindowControl* FormKeyboard::ChildControlOf(HWND child) const {
  if (!child || ::GetParent(child) != m_host.Handle()) return nullptr;
  return ChildWindowControl::FromHandle(child);
}

bool FormKeyboard::PressAccelerator(char letter) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  ChildWindowControl* match = nullptr;
  ForEachChildWindow(m_host.Client(), [&](ChildWindowControl& c) {
    if (!match && c.Accelerator() == letter && c.Showing() && c.Enabled()) match = &c;
  });
  if (!match) return false;
  match->Click();
  return true;
}

bool FormKeyboard::TranslateKey(const MSG& msg) {
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const bool alt = ::GetKeyState(VK_MENU) < 0;
  switch (msg.message) {
    case WM_KEYDOWN:
      if (ctrl || alt) return false;
      if (msg.wParam == VK_TAB) {
        const bool back = ::GetKeyState(VK_SHIFT) < 0;
        if (MoveFocus(back)) return true;
        if (HWND next = ::GetNextDlgTabItem(m_host.Handle(), ::GetFocus(), back)) ::SetFocus(next);
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
        else if (m_escape)
          m_escape();
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

bool FormKeyboard::MoveFocus(bool back) {
  std::vector<Control*> found;
  CollectTabStops(m_host.Client(), found);
  if (std::none_of(found.begin(), found.end(), [](Control* c) { return c->TakesFocus(); })) return false;
  std::vector<Rect> places;
  for (Control* c : found) places.push_back(c->BoundsInForm());
  std::vector<Control*> stops;
  for (std::size_t i : ReadingOrder(places)) stops.push_back(found[i]);
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

void FormKeyboard::PressDefault() {
  if (m_focusedControl && m_focusedControl->Focused()) {
    m_focusedControl->Press();
    return;
  }
  // A push button with the focus is what Enter presses; the default one only otherwise.
  if (const HWND focus = ::GetFocus(); IsPushButton(focus) && ::IsChild(m_host.Handle(), focus)) {
    ::SendMessageA(focus, BM_CLICK, 0, 0);
    return;
  }
  if (m_defaultButton)
    m_defaultButton->Click();
  else if (m_defaultControl && m_defaultControl->Showing() && m_defaultControl->Enabled())
    m_defaultControl->Press();
}

void FormKeyboard::Activated(bool active) {
  if (!active) {
    // Remember which child had the focus, to give it back on return.
    if (ChildWindowControl* c = ChildControlOf(::GetFocus())) m_focus = c;
  } else if (m_focusedControl && m_focusedControl->Showing()) {
    ::SetFocus(m_host.Handle());
    m_focusedControl->Invalidate();
    AnnounceFocusLater();
  } else if (m_focus && m_focus->Handle() && ::IsWindowVisible(m_focus->Handle())) {
    m_focus->Focus();
  } else if (m_defaultButton && m_defaultButton->Handle()) {
    m_defaultButton->Focus();
  }
}

bool FormKeyboard::Message(UINT msg, WPARAM wParam, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_ACTIVATE:
      Activated(LOWORD(wParam) != WA_INACTIVE);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The focused drawn control shows its cue only while the form's window has the focus.
      if (m_focusedControl) m_focusedControl->Invalidate();
      if (msg == WM_SETFOCUS) AnnounceFocusLater();
      return false;
    case WM_SHOWWINDOW:
      if (wParam) AnnounceFocusLater();
      return false;
    case kAnnounceFocusMessage:
      AnnounceFocus();
      return true;
    default:
      return false;
  }
}

// Posted, so that it follows the system's own focus event for the window (raised inside
// SetFocus) and is raised once however many changes led to it.
void FormKeyboard::AnnounceFocusLater() {
  const HWND window = m_host.Handle();
  if (!window || m_focusAnnouncePending) return;
  m_focusAnnouncePending = ::PostMessageA(window, kAnnounceFocusMessage, 0, 0) != FALSE;
}

void FormKeyboard::AnnounceFocus() {
  m_focusAnnouncePending = false;
  const HWND window = m_host.Handle();
  if (window && ::IsWindowVisible(window) && ::GetFocus() == window && m_focusedControl && m_focusedControl->Showing())
    m_host.NotifyAccessible(EVENT_OBJECT_FOCUS, *m_focusedControl);
}
