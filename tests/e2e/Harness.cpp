#include "e2e/Harness.h"

#include <cstdlib>
#include <stdexcept>

#include "common/Capture.h"

std::string InstallerPath() {
  // A run as another user points at a copy it can read.
  const char* other = std::getenv("QLX_INSTALLER");
  return ToWindowsPath(other && *other ? other : QLX_INSTALLER_PATH);
}

InstallerProcess InstallerProcess::Start(const std::string& exePath, const std::string& arguments) {
  std::string commandLine = "\"" + exePath + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
    throw std::runtime_error("cannot start " + exePath);
  ::CloseHandle(pi.hThread);
  InstallerProcess p;
  p.m_process.reset(pi.hProcess);
  p.m_pid = pi.dwProcessId;
  return p;
}

InstallerProcess::~InstallerProcess() {
  if (m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(m_process.get(), 99);
    ::WaitForSingleObject(m_process.get(), 5000);
  }
}

std::vector<HWND> InstallerProcess::VisibleWindows() const {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{m_pid, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lParam) WINAPI -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid && ::IsWindowVisible(hwnd)) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND InstallerProcess::WaitForWindow(const std::string& caption, DWORD timeoutMs) const {
  const DWORD start = ::GetTickCount();
  do {
    for (HWND hwnd : VisibleWindows())
      if (WindowCaption(hwnd) == caption) return hwnd;
    if (::WaitForSingleObject(m_process.get(), 50) == WAIT_OBJECT_0) return nullptr;
  } while (::GetTickCount() - start < timeoutMs);
  return nullptr;
}

bool InstallerProcess::WaitForExit(DWORD timeoutMs) const {
  return ::WaitForSingleObject(m_process.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD InstallerProcess::ExitCode() const {
  DWORD code = 0;
  ::GetExitCodeProcess(m_process.get(), &code);
  return code;
}

std::string WindowCaption(HWND hwnd) {
  char text[512] = {};
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

SIZE ClientSize(HWND hwnd) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

std::string SaveScreenshot(HWND hwnd, const std::string& name) {
  // A window that has just appeared may not have painted yet: have it paint now, wait until
  // its thread has handled that, and give the X server a moment to show the result.
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  ::Sleep(300);
  // The 32-bit prefix and the screen at another DPI run the same tests: keep their pictures apart.
  BOOL wow64 = FALSE;
  ::IsWow64Process(::GetCurrentProcess(), &wow64);
  const int dpi = WindowDpi(hwnd);
  const std::string path =
      ArtifactPath(name + (wow64 ? "" : "-win32") + (dpi == 96 ? "" : "-dpi" + std::to_string(dpi)) + ".png");
  WritePng(path, CaptureWindow(hwnd));
  return path;
}

void PressKeys(HWND window, std::initializer_list<WORD> keys) {
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  // Active, the window's thread has its focus window.
  ::SetForegroundWindow(window);
  ::Sleep(200);
  for (WORD key : keys) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const HWND target = ::GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : window;
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    ::Sleep(300);
  }
}
