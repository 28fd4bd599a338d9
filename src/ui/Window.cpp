#include "ui/Window.h"

#include <exception>
#include <stdexcept>

#include "support/Application.h"

Window::~Window() {
  if (m_hwnd) {
    // Detach first: messages sent during destruction must not reach a half-destroyed object.
    ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_hwnd);
  }
}

void Window::CreateFrame(const Frame& frame) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!::GetClassInfoExA(instance, frame.className, &wc)) {
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = frame.icon;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = frame.className;
    if (!::RegisterClassExA(&wc)) throw std::runtime_error("Cannot register window class");
  }

  RECT r{0, 0, frame.clientWidth, frame.clientHeight};
  ::AdjustWindowRectEx(&r, frame.style, FALSE, frame.exStyle);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  HWND hwnd = ::CreateWindowExA(frame.exStyle, frame.className, frame.caption.c_str(), frame.style, x, y,
                                width, height, nullptr, nullptr, instance, this);
  if (!hwnd) throw std::runtime_error("Cannot create window");
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(msg, wParam, lParam);
}

LRESULT Window::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->m_hwnd = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcA(hwnd, msg, wParam, lParam);

  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->m_hwnd = nullptr;
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
  return 0;
}

void RunMessageLoop() {
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}
