#include "ui/Edit.h"

#include <algorithm>
#include <vector>

#include "ui/Gdi.h"
#include "ui/HighContrast.h"

TEdit::TEdit(std::string name, Rect bounds, Props props)
    : ChildWindowControl(std::move(name), bounds),
      m_accessibleLabel(std::move(props.AccessibleLabel)),
      m_lowerCase(props.LowerCase),
      m_color(props.Color) {
  SetText(props.Text);
}

std::string TEdit::Text() const {
  if (!Handle()) return m_text;
  const int length = ::GetWindowTextLengthA(Handle());
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int got = ::GetWindowTextA(Handle(), buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<std::size_t>(std::clamp(got, 0, length)));
}

void TEdit::SetText(const std::string& text) {
  m_text = text;
  // The window converts what it is given; the text kept before it exists does the same.
  if (m_lowerCase && !m_text.empty()) ::CharLowerBuffA(m_text.data(), static_cast<DWORD>(m_text.size()));
  if (Handle()) ::SetWindowTextA(Handle(), m_text.c_str());
}

HWND TEdit::MakeWindow(HWND parent, const Rect& bounds, DWORD style) {
  // An edit field takes its accessible name from the static window just before it in z-order,
  // even a hidden one: one of no size, never shown, so the picture stays as it is. The form's
  // window owns it and destroys it with itself.
  if (!m_accessibleLabel.empty())
    ::CreateWindowExA(0, "STATIC", m_accessibleLabel.c_str(), WS_CHILD | SS_LEFT, bounds.left, bounds.top, 0, 0, parent,
                      nullptr, ::GetModuleHandleA(nullptr), nullptr);
  return ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", m_text.c_str(),
                           style | ES_AUTOHSCROLL | (m_lowerCase ? ES_LOWERCASE : 0), bounds.left, bounds.top,
                           bounds.Width(), bounds.Height(), parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

void TEdit::Command(WORD code) {
  if (code != EN_CHANGE) return;
  m_text = Text();
  if (auto handler = OnChange) handler(*this);
}

HBRUSH TEdit::CtlColor(HDC dc) {
  if (HighContrast()) {
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
  }
  const Rgb ground = Resolve(m_color).value_or(Rgb{255, 255, 255});
  if (!m_brush) m_brush = MakeBrush(ground);
  if (auto text = Resolve(Font().Color)) ::SetTextColor(dc, ToColorRef(*text));
  ::SetBkColor(dc, ToColorRef(ground));
  return static_cast<HBRUSH>(m_brush.get());
}
