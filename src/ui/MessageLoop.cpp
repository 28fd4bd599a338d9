#include "ui/MessageLoop.h"

#include <exception>
#include <vector>

#include "support/run/Application.h"
#include "ui/Form.h"

namespace {
// A key handler's failure is shown like any other and the key goes no further.
bool TranslateKeyOf(Form& form, const MSG& msg) {
  try {
    return form.TranslateKey(msg);
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
  return true;
}
}  // namespace

void DispatchOneMessage(MSG& msg) {
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
    if (Form* form = Form::FromHandle(msg.hwnd))
      if (TranslateKeyOf(*form, msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got < 0) return 0;
    DispatchOneMessage(msg);
  }
}

bool ProcessPendingMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    DispatchOneMessage(msg);
  }
  return true;
}

namespace {
struct ThreadWindows {
  HWND except;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM param) {
  auto* windows = reinterpret_cast<ThreadWindows*>(param);
  if (hwnd != windows->except && ::IsWindowEnabled(hwnd) && ::IsWindowVisible(hwnd)) windows->found.push_back(hwnd);
  return TRUE;
}

// Disables the windows behind a modal form and gives them back when it ends.
class DisabledWindows {
 public:
  explicit DisabledWindows(HWND modal) : m_owner(::GetWindow(modal, GW_OWNER)) {
    ThreadWindows windows{modal, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&windows));
    // The owner chain is disabled even when hidden: a hidden owner must not take input either.
    for (HWND o = m_owner; o; o = ::GetWindow(o, GW_OWNER))
      if (::IsWindowEnabled(o) && !::IsWindowVisible(o)) windows.found.push_back(o);
    m_disabled = std::move(windows.found);
    for (HWND w : m_disabled) ::EnableWindow(w, FALSE);
  }
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;
  ~DisabledWindows() {
    for (HWND w : m_disabled)
      if (::IsWindow(w)) ::EnableWindow(w, TRUE);
    if (m_owner && ::IsWindow(m_owner) && ::IsWindowVisible(m_owner)) ::SetActiveWindow(m_owner);
  }

 private:
  HWND m_owner;
  std::vector<HWND> m_disabled;
};
}  // namespace

bool RunModal(Form& form, const std::function<bool()>& done) {
  DisabledWindows disabled(form.Handle());
  MSG msg;
  while (!done()) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (got < 0) return false;
    DispatchOneMessage(msg);
  }
  return true;
}

HWND TopmostThreadWindow() {
  const DWORD thread = ::GetCurrentThreadId();
  for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT))
    if (::GetWindowThreadProcessId(w, nullptr) == thread && ::IsWindowVisible(w) && Form::FromHandle(w)) return w;
  return nullptr;
}
