#pragma once
// A top-level window that hosts a tree of windowless controls. Every WM_PAINT draws the whole
// client area (the form's colour, then each visible control in tree order) into one off-screen
// bitmap that is copied once; WM_ERASEBKGND does nothing. The mouse goes to the control under
// the cursor, to the pressed control while a button is held (capture), and hover is followed with
// TrackMouseEvent so that controls get enter and leave.

#include <memory>
#include <string>

#include "ui/Control.h"
#include "ui/Window.h"

class Form : public Window {
 public:
  struct Settings {
    const char* className = "QlxForm";
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    TColor color = clBtnFace;
    TFont font{};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    HICON icon = nullptr;
  };

  explicit Form(const Settings& settings);
  ~Form() override;

  // The client area as a control: every control of the form is below it.
  Control& Client() { return *m_client; }
  template <typename T>
  T& Add(std::unique_ptr<T> child) {
    return m_client->Add(std::move(child));
  }
  template <typename T>
  T& Get(std::string_view name) {
    return m_client->Get<T>(name);
  }

  TColor Color() const { return m_color; }
  void SetColor(TColor color);

  // Draws the client area as WM_PAINT does, into any DC (at its origin).
  void RenderTo(HDC dc);
  // Number of WM_PAINT passes so far.
  long PaintCount() const { return m_paintCount; }

  // The topmost visible, enabled control under (x, y) that takes the mouse.
  Control* ControlAt(int x, int y) const;
  // Client coordinates of the last mouse message; (-1, -1) once the mouse has left the window.
  POINT LastMousePosition() const { return m_lastMouse; }
  Control* HoverControl() const { return m_hover; }
  Control* CaptureControl() const { return m_capture; }

  // Used by controls.
  void InvalidateArea(const Rect& area);
  void UpdateNow();
  void ControlEnabledChanged(Control& control);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintControl(HDC dc, Control& control);
  void MouseAt(int x, int y);
  void SetHover(Control* control);
  POINT ToControl(const Control& control, int x, int y) const;

  std::unique_ptr<Control> m_client;
  TColor m_color;
  Control* m_hover = nullptr;
  Control* m_capture = nullptr;
  bool m_trackingLeave = false;
  POINT m_lastMouse{-1, -1};
  long m_paintCount = 0;
};
