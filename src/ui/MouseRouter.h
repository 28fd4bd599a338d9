#pragma once
// A form's mouse, in logical client coordinates: the control under the cursor (the hover, with
// enter and leave, followed with TrackMouseEvent), the pressed control while a button is held
// (capture), and the pointer's shape.

#include <windows.h>

#include "ui/DpiScale.h"

class Control;
class ControlHost;

class MouseRouter {
 public:
  explicit MouseRouter(ControlHost& host) : m_host(host) {}

  // The topmost visible, enabled control under (x, y) that takes the mouse.
  Control* ControlAt(int x, int y) const;
  // The pointer over (x, y): the nearest control's up the tree that has one; nullptr for the
  // window's own.
  HCURSOR CursorAt(int x, int y) const;
  POINT LastPosition() const { return m_last; }
  Control* Hover() const { return m_hover; }
  Control* Capture() const { return m_capture; }

  // A mouse message to the form's window (device coordinates, mapped through `scale`); false
  // when it is none, or when the window's default handling is to follow (`result` then unset).
  bool Message(UINT msg, WPARAM wParam, LPARAM lParam, const DpiScale& scale, LRESULT& result);

  void Move(int x, int y);
  void Leave();
  void Down(int x, int y);
  void Up(int x, int y);
  // Another window took the mouse (`taker`); the press is abandoned.
  void CaptureChanged(HWND taker);
  void CancelMode();
  // A control was enabled or disabled: the hover and the capture follow.
  void ControlEnabledChanged(Control& control);
  // The window is gone.
  void Forget();

 private:
  void At(int x, int y);
  void SetHover(Control* control);
  POINT ToControl(const Control& control, int x, int y) const;

  ControlHost& m_host;
  Control* m_hover = nullptr;
  Control* m_capture = nullptr;
  bool m_trackingLeave = false;
  POINT m_last{-1, -1};
};
