#pragma once
// A screen reader's ear for the tests, out of the process it listens to or in it.

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>
#include <oleacc.h>

// What a screen reader hears of a process (0: of every one): "focus NEXT", "name Resume",
// "value 40%", "reorder", each read (as a reader does) when the event reaches this thread; a
// focus event carries the description too ("focus OK: Installation Successful."). Events reach
// this thread only while it takes its messages, which Until() does.
class ReaderListener {
 public:
  explicit ReaderListener(DWORD process) {
    s_heard = &m_heard;
    m_hook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_VALUECHANGE, nullptr, &Heard, process, 0,
                               WINEVENT_OUTOFCONTEXT);
  }
  ~ReaderListener() {
    if (m_hook) ::UnhookWinEvent(m_hook);
    s_heard = nullptr;
  }
  bool Until(const std::string& line, DWORD timeoutMs = 20000) {
    const DWORD start = ::GetTickCount();
    while (std::find(m_heard.begin(), m_heard.end(), line) == m_heard.end()) {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
      if (::GetTickCount() - start > timeoutMs) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
  }
  const std::vector<std::string>& HeardSoFar() const { return m_heard; }

 private:
  static void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG child, DWORD, DWORD) {
    if (!s_heard || objectId != OBJID_CLIENT) return;
    if (event == EVENT_OBJECT_REORDER) {
      s_heard->push_back("reorder");
      return;
    }
    const char* kind = event == EVENT_OBJECT_FOCUS         ? "focus"
                       : event == EVENT_OBJECT_NAMECHANGE  ? "name"
                       : event == EVENT_OBJECT_VALUECHANGE ? "value"
                                                           : nullptr;
    IAccessible* object = nullptr;
    VARIANT id{};
    if (!kind || FAILED(::AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId), static_cast<DWORD>(child), &object, &id)) || !object) return;
    const auto read = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, BSTR*)) {
      BSTR text = nullptr;
      char buffer[256] = {};
      if (SUCCEEDED((object->*question)(id, &text)) && text)
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
      ::SysFreeString(text);
      return std::string(buffer);
    };
    std::string line = std::string(kind) + " " +
                       read(event == EVENT_OBJECT_VALUECHANGE ? &IAccessible::get_accValue : &IAccessible::get_accName);
    if (const std::string description = read(&IAccessible::get_accDescription);
        event == EVENT_OBJECT_FOCUS && !description.empty())
      line += ": " + description;
    object->Release();
    s_heard->push_back(line);
  }

  static inline std::vector<std::string>* s_heard = nullptr;
  std::vector<std::string> m_heard;
  HWINEVENTHOOK m_hook = nullptr;
};
