#include "ui/TaskbarProgress.h"

#include <shobjidl.h>

#include "support/win/ComPtr.h"

namespace {

class ShellTaskbar : public TaskbarProgress {
 public:
  explicit ShellTaskbar(HWND window) : m_window(window) {
    if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                  reinterpret_cast<void**>(m_list.put()))) ||
        FAILED(m_list->HrInit()))
      m_list.reset();
  }

  void Show(State state, std::uint64_t done, std::uint64_t total) override {
    if (!m_list) return;
    switch (state) {
      case State::None: m_list->SetProgressState(m_window, TBPF_NOPROGRESS); return;
      case State::Normal: m_list->SetProgressState(m_window, TBPF_NORMAL); break;
      case State::Paused: m_list->SetProgressState(m_window, TBPF_PAUSED); break;
      case State::Error: m_list->SetProgressState(m_window, TBPF_ERROR); break;
    }
    m_list->SetProgressValue(m_window, done, total);
  }

 private:
  HWND m_window;
  ComPtr<ITaskbarList3> m_list;
};

}  // namespace

std::unique_ptr<TaskbarProgress> ShellTaskbarProgress(HWND window) { return std::make_unique<ShellTaskbar>(window); }

UINT TaskbarButtonCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageA("TaskbarButtonCreated");
  return message;
}
