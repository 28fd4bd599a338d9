#include "ui/Button.h"

#include <cctype>

TButton::TButton(std::string name, Rect bounds, Props props)
    : ChildWindowControl(std::move(name), bounds), m_caption(std::move(props.Caption)), m_modalResult(props.ModalResult) {
  SetTabStop(props.TabStop);
}

void TButton::SetCaption(const std::string& caption) {
  m_caption = caption;
  if (Handle()) ::SetWindowTextA(Handle(), caption.c_str());
}

void TButton::SetDefault(bool isDefault) {
  m_default = isDefault;
  if (Handle()) ::SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

char TButton::Accelerator() const { return AcceleratorOf(m_caption); }

void TButton::Click() {
  if (!Enabled() || !Showing()) return;
  // The handler may end the form's life; nothing of the button is touched after it.
  auto handler = OnClick;
  if (handler) handler(*this);
}

HWND TButton::MakeWindow(HWND parent, const Rect& bounds, DWORD style) {
  return ::CreateWindowExA(0, "BUTTON", m_caption.c_str(), style | (m_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                           bounds.left, bounds.top, bounds.Width(), bounds.Height(), parent, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

void TButton::Command(WORD code) {
  if (code == BN_CLICKED) Click();
}

char AcceleratorOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}
