#pragma once
// Base of the program's top-level windows: registers the class, owns the HWND, and forwards
// messages to a member handler (the `this` pointer is stored at WM_NCCREATE). An exception
// thrown by a handler is caught here and shown, never passed through the window system.

#include <string>

#include <windows.h>

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return m_hwnd; }

 protected:
  Window() = default;

  struct Frame {
    const char* className;
    std::string caption;
    DWORD style;
    DWORD exStyle;
    int clientWidth;
    int clientHeight;
    HICON icon;
  };
  // Creates the window with the given client size, centred on the screen, not yet visible.
  void CreateFrame(const Frame& frame);

  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND m_hwnd = nullptr;
};

// Runs the thread's message loop until a quit message arrives.
void RunMessageLoop();
