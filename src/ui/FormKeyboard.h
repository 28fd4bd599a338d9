#pragma once
// A form's keyboard: Tab and Shift+Tab over its tab stops in reading order, Enter and Escape
// with their buttons, accelerator letters, and the focus among the drawn controls (the form's
// own window then holds the keyboard focus) with its screen-reader event.

#include <functional>

#include <windows.h>

class ChildWindowControl;
class Control;
class ControlHost;

class FormKeyboard {
 public:
  // Posted to the form's window: the focus event for the focused drawn control.
  static constexpr UINT kAnnounceFocusMessage = WM_APP + 0x3A0;

  // `escape` runs for Escape when no button or control takes it.
  FormKeyboard(ControlHost& host, std::function<void()> escape);

  void SetDefaultButton(ChildWindowControl* button);
  void SetEscapeButton(ChildWindowControl* button) { m_escapeButton = button; }
  ChildWindowControl* DefaultButton() const { return m_defaultButton; }
  void SetInitialFocus(ChildWindowControl* control) { m_focus = control; }
  Control* FocusedControl() const { return m_focusedControl; }
  void FocusControl(Control* control);
  void SetDefaultControl(Control* control);
  Control* DefaultControl() const { return m_defaultControl; }
  void SetEscapeControl(Control* control) { m_escapeControl = control; }

  // A key message for the form or one of its children; true when the keyboard rules took it.
  bool TranslateKey(const MSG& msg);

  // The form's window is made.
  void WindowCreated();
  // A message to the form's window about activation, the focus or showing; true when it is
  // done with (`result` set), false when the window's default handling is to follow.
  bool Message(UINT msg, WPARAM wParam, LRESULT& result);

 private:
  bool PressAccelerator(char letter);
  // False when the form has no drawn tab stop.
  bool MoveFocus(bool back);
  void PressDefault();
  void Activated(bool active);
  void AnnounceFocusLater();
  void AnnounceFocus();
  ChildWindowControl* ChildControlOf(HWND child) const;

  ControlHost& m_host;
  std::function<void()> m_escape;
  ChildWindowControl* m_defaultButton = nullptr;
  ChildWindowControl* m_escapeButton = nullptr;
  ChildWindowControl* m_focus = nullptr;
  Control* m_focusedControl = nullptr;
  Control* m_defaultControl = nullptr;
  Control* m_escapeControl = nullptr;
  bool m_focusAnnouncePending = false;
};
