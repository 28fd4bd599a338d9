#include "ui/Hints.h"

#include <commctrl.h>

namespace {

// Loads the common controls from the system folder once and registers the tooltip class.
bool CommonControlsReady() {
  static const bool ready = [] {
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    HMODULE module = ::LoadLibraryA((std::string(folder, length) + "\\comctl32.dll").c_str());
    if (!module) return false;
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(::GetProcAddress(module, "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    return init && init(&icc);
  }();
  return ready;
}

template <typename F>
void ForEachHinted(Control& control, F&& f) {
  if (!control.Hint().empty() && control.Showing()) f(control);
  for (auto& child : control.Children()) ForEachHinted(*child, f);
}

}  // namespace

HintWindow::HintWindow(HWND form) : m_form(form) {
  if (!CommonControlsReady()) return;
  m_tip.reset(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr));
}

void HintWindow::Update(Control& root) {
  if (!m_tip) return;
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.hwnd = m_form;
  for (UINT id = 0; id < m_tools; ++id) {
    info.uId = id;
    ::SendMessageA(m_tip.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  m_tools = 0;
  m_texts.clear();
  ForEachHinted(root, [&](Control& c) { m_texts.push_back(c.Hint()); });
  // The texts are kept while the tools live: the tooltip holds pointers to them.
  std::size_t index = 0;
  ForEachHinted(root, [&](Control& c) {
    info.uFlags = TTF_SUBCLASS;
    info.uId = m_tools++;
    const Rect r = c.DeviceBoundsInForm();
    info.rect = RECT{r.left, r.top, r.right, r.bottom};
    info.lpszText = m_texts[index++].data();
    ::SendMessageA(m_tip.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  });
}
