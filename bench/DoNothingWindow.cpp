// The floor for start-up: a Windows program that shows one plain window and nothing else, with
// the same static runtime as the installer.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "QlxDoNothing";
  ::RegisterClassA(&wc);
  HWND hwnd = ::CreateWindowExA(0, "QlxDoNothing", "Do nothing", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 682,
                                400, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(hwnd, show);
  ::UpdateWindow(hwnd);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  return 0;
}
