#pragma once
// What a control asks of the window that hosts its tree (a form), and what the form's screen
// reader object reads of it: its window, scale and caption, repainting, the focus and the mouse,
// screen-reader events. Controls know their host through this and nothing more.

#include <string>

#include <windows.h>

#include "ui/DpiScale.h"
#include "ui/Geometry.h"

class Control;

class ControlHost {
 public:
  // The host behind one of the program's top-level windows (or a child of one); nullptr else.
  static ControlHost* FromWindow(HWND window);

  virtual HWND Handle() const = 0;
  virtual const DpiScale& Scale() const = 0;
  virtual std::string Caption() const = 0;
  // The root of the tree: the client area.
  virtual Control& Client() = 0;

  // An area in logical client coordinates to be drawn again, soon or now.
  virtual void InvalidateArea(const Rect& area) = 0;
  virtual void UpdateNow() = 0;
  virtual void ControlEnabledChanged(Control& control) = 0;
  virtual void ChildWindowsChanged(Control& subtree) = 0;

  // The keyboard: the focused drawn control, and the one Enter presses.
  virtual Control* FocusedControl() const = 0;
  virtual void FocusControl(Control* control) = 0;
  virtual Control* DefaultControl() const = 0;
  // The mouse, in logical client coordinates.
  virtual POINT LastMousePosition() const = 0;
  virtual Control* ControlAt(int x, int y) const = 0;

  // Screen readers: an EVENT_OBJECT_ code for one control, the children's showing changed as a
  // whole, and a press asked for from outside (done once the asker's call has returned).
  virtual void NotifyAccessible(DWORD event, const Control& control) const = 0;
  virtual void NotifyAccessibleReorder() const = 0;
  virtual void PostPress(Control& control) = 0;

 protected:
  ~ControlHost() = default;
};
