#pragma once
// The base of the program's top-level windows: one HWND that hosts a tree of windowless
// controls (and the few real child windows the system needs). A form is made in two steps:
// construct it with its description and layout, then Create() the window, so that the derived
// class already handles the first messages. Every WM_PAINT draws the area that needs it into
// one off-screen bitmap that is copied once; WM_ERASEBKGND does nothing. The mouse goes to the
// control under the cursor, to the pressed control while a button is held (capture), and hover
// is followed with TrackMouseEvent so that controls get enter and leave. Keys pass through
// PreviewKey() and then the form's keyboard rules (Tab order, default and escape buttons,
// accelerators) before the focused window sees them.

#include <memory>
#include <string>

#include <windows.h>

#include "ui/Control.h"
#include "ui/ControlHost.h"
#include "ui/DpiScale.h"
#include "ui/FormKeyboard.h"
#include "ui/MouseRouter.h"

class ChildWindowControl;
class HintWindow;

// How a form looks before it is created.
struct FormDescription {
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

class Form : public ControlHost {
 public:
  using Settings = FormDescription;

  explicit Form(const FormDescription& description);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  // Makes the window, centred on the screen and not yet visible, owned by `owner` when given.
  // Raises std::runtime_error when the system refuses.
  void Create(HWND owner = nullptr);
  HWND Handle() const override { return m_hwnd; }
  // The form behind one of the program's top-level windows (or a child of one); nullptr else.
  static Form* FromHandle(HWND hwnd);

  void Show(int command = SW_SHOW);
  void Hide();
  void SetCaption(const std::string& caption);
  // The client size in logical pixels; before Create() it sets the size the window is made with.
  void SetClientSize(int width, int height);
  std::string Caption() const override { return m_description.caption; }
  // Asks the form to close as the close box does (FormCloseQuery may refuse); true when closed.
  bool Close();
  // Destroys the window now (no question); the object stays.
  void DestroyHandle();

  // The client area as a control: every control of the form is below it.
  Control& Client() override { return *m_client; }
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

  // The window's scale: controls are laid out in pixels at 96 DPI and shown at the DPI of the
  // monitor the window is on (the system's until the window exists).
  const DpiScale& Scale() const override { return m_scale; }
  // The client area's size in device pixels.
  SIZE DeviceClientSize() const;

  // Draws the client area as WM_PAINT does, into any DC (at its origin, in device pixels).
  void RenderTo(HDC dc);
  // Number of WM_PAINT passes so far.
  long PaintCount() const { return m_paintCount; }

  // The mouse (MouseRouter), in logical client coordinates; (-1, -1) once it has left.
  Control* ControlAt(int x, int y) const override { return m_mouse.ControlAt(x, y); }
  POINT LastMousePosition() const override { return m_mouse.LastPosition(); }
  Control* HoverControl() const { return m_mouse.Hover(); }
  Control* CaptureControl() const { return m_mouse.Capture(); }

  // The keyboard (FormKeyboard): the button Enter presses (also shown as the default push
  // button) and the one Escape presses; the child window that gets the focus when the form is
  // shown or activated; the drawn control that has the focus, and the ones Enter (when no
  // button has the focus) and Escape press.
  void SetDefaultButton(ChildWindowControl* button) { m_keys.SetDefaultButton(button); }
  void SetEscapeButton(ChildWindowControl* button) { m_keys.SetEscapeButton(button); }
  ChildWindowControl* DefaultButton() const { return m_keys.DefaultButton(); }
  void SetInitialFocus(ChildWindowControl* control) { m_keys.SetInitialFocus(control); }
  Control* FocusedControl() const override { return m_keys.FocusedControl(); }
  void FocusControl(Control* control) override { m_keys.FocusControl(control); }
  void SetDefaultControl(Control* control) { m_keys.SetDefaultControl(control); }
  Control* DefaultControl() const override { return m_keys.DefaultControl(); }
  void SetEscapeControl(Control* control) { m_keys.SetEscapeControl(control); }

  // Tooltips for the controls' hints; Create() makes them when the form shows hints. Call
  // again after hinted controls move, show or hide.
  void SetShowHints(bool show) { m_showHints = show; }
  void UpdateHints();

  // Called by the message loops for every key message meant for this form or its children;
  // true when the form has handled it.
  bool TranslateKey(const MSG& msg) { return PreviewKey(msg) || m_keys.TranslateKey(msg); }

  void NotifyAccessible(DWORD event, const Control& control) const override;
  void NotifyAccessibleReorder() const override;
  void PostPress(Control& control) override;

  // Used by controls.
  void InvalidateArea(const Rect& area) override;
  void UpdateNow() override;
  void ControlEnabledChanged(Control& control) override { m_mouse.ControlEnabledChanged(control); }
  void ChildWindowsChanged(Control& subtree) override;

 protected:
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
  // The window's handle exists and its child windows are made.
  virtual void FormCreated() {}
  // The close box, Alt+F4 or Close(): true lets the window be hidden and destroyed.
  virtual bool FormCloseQuery() { return true; }
  // The window is being destroyed (WM_DESTROY).
  virtual void FormDestroyed() {}
  // Sees every key message first; true swallows it.
  virtual bool PreviewKey(const MSG& /*msg*/) { return false; }
  // Escape with no escape button.
  virtual void EscapePressed() {}

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  // WM_PAINT.
  void Paint();
  void RenderArea(HDC dc, const Rect& area);
  void PaintControl(HDC dc, Control& control, const Rect& area);
  // A new DPI: everything is measured, placed and drawn again; `suggested` (screen
  // coordinates) is where the system would put the window, nullptr to keep its place.
  void ApplyDpi(int dpi, const RECT* suggested);

  FormDescription m_description;
  DpiScale m_scale;
  std::unique_ptr<HintWindow> m_hints;
  bool m_showHints = false;
  HWND m_hwnd = nullptr;
  std::unique_ptr<Control> m_client;
  TColor m_color;
  FormKeyboard m_keys;
  MouseRouter m_mouse;
  long m_paintCount = 0;
};
