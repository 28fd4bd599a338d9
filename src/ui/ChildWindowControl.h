#pragma once
// A control that owns a real child window, for what the system must draw and run itself (an
// edit field, a push button). The window follows the control: it is made when the form's
// window exists, placed at the control's bounds in the form, shown while the control is
// showing and enabled with it. The form routes WM_COMMAND and WM_CTLCOLOR* to it.

#include <functional>
#include <string>

#include <windows.h>

#include "support/win/UniqueHandle.h"
#include "ui/Control.h"

class ChildWindowControl : public Control {
 public:
  ChildWindowControl(std::string name, Rect bounds);

  HWND Handle() const { return m_window.get(); }
  // Makes the window as a child of `parent` (once); called by the form.
  void CreateWindowIn(HWND parent);
  static ChildWindowControl* FromHandle(HWND window);
  // The form's window is going, and this one with it.
  void WindowDestroyed() { (void)m_window.release(); }

  // Whether Tab stops here.
  bool TabStop() const { return m_tabStop; }
  void SetTabStop(bool tabStop);
  void Focus();

  // A notification from the window (the high word of WM_COMMAND's wParam).
  virtual void Command(WORD /*code*/) {}
  // The brush for WM_CTLCOLOR*, with the DC's colours set; nullptr for the system's.
  virtual HBRUSH CtlColor(HDC /*dc*/) { return nullptr; }
  // Buttons: the accelerator letter in lower case (0 for none) and a click as the user makes it.
  virtual char Accelerator() const { return 0; }
  virtual void Click() {}

 protected:
  // Makes the system window with the given bounds in the parent's client coordinates.
  virtual HWND MakeWindow(HWND parent, const Rect& bounds, DWORD style) = 0;
  void PlacementChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void ScaleChanged() override;
  void Paint(HDC) override {}

 private:
  // The font the window is given: the control's, at the form's scale.
  HFONT WindowFont();

  UniqueWindow m_window;
  bool m_tabStop = true;
};

// Each child-window control below `control` (itself included).
void ForEachChildWindow(Control& control, const std::function<void(ChildWindowControl&)>& f);
