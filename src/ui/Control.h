#pragma once
// Base of the windowless controls: a node in the tree that a Form hosts. A control has bounds
// relative to its parent, an alignment, visibility, an enabled flag, a font of its own or its
// parent's, paints into the DC it is given (origin at its top-left, clipped to its bounds) and
// receives the mouse from the form.

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "support/win/UniqueHandle.h"
#include "ui/Geometry.h"
#include "ui/Colour.h"
#include "ui/ControlHost.h"
#include "ui/DpiScale.h"
#include "ui/Font.h"

class Form;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class Control {
 public:
  explicit Control(std::string name, Rect bounds = {}, TAlign align = TAlign::alNone);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  const std::string& Name() const { return m_name; }

  // The tree. Add() takes ownership and returns the child for further set-up.
  template <typename T>
  T& Add(std::unique_ptr<T> child) {
    T& ref = *child;
    AddChild(std::move(child));
    return ref;
  }
  Control* Parent() const { return m_parent; }
  const std::vector<std::unique_ptr<Control>>& Children() const { return m_children; }
  // Depth-first search by name (this control included); nullptr when absent.
  Control* Find(std::string_view name);
  template <typename T>
  T& Get(std::string_view name) {
    auto* found = dynamic_cast<T*>(Find(name));
    if (!found) throw std::logic_error("No control " + std::string(name) + " of that kind");
    return *found;
  }

  // Geometry relative to the parent.
  const Rect& Bounds() const { return m_bounds; }
  int Left() const { return m_bounds.left; }
  int Top() const { return m_bounds.top; }
  int Width() const { return m_bounds.Width(); }
  int Height() const { return m_bounds.Height(); }
  Rect ClientRect() const { return RectOfSize(Width(), Height()); }
  void SetBounds(const Rect& bounds);
  void SetLeft(int left) { SetBounds(m_bounds.Offset(left - m_bounds.left, 0)); }
  void SetTop(int top) { SetBounds(m_bounds.Offset(0, top - m_bounds.top)); }
  void SetSize(int width, int height) {
    SetBounds(Rect{m_bounds.left, m_bounds.top, m_bounds.left + width, m_bounds.top + height});
  }
  TAlign Align() const { return m_align; }
  void SetAlign(TAlign align);
  // The bounds in the form's client coordinates.
  Rect BoundsInForm() const;
  // The same in device pixels, where the form's scale puts them.
  Rect DeviceBoundsInForm() const { return Scale().ToDevice(BoundsInForm()); }
  // The scale of the window that shows it (96 DPI while it is in none).
  DpiScale Scale() const;

  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  // Shown when it and all its parents are visible.
  bool Showing() const;
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool enabled);

  // The control's own font, or its parent's when it has none (the root's default otherwise).
  const TFont& Font() const;
  bool ParentFont() const { return !m_font.has_value(); }
  void SetFont(const TFont& font);
  void SetParentFont();
  // The font as a GDI object, made when first asked for and kept while the font is unchanged;
  // at `scale` for what the system draws in device pixels (child windows).
  HFONT FontHandle(const DpiScale& scale = {}) const;

  // Ask for a repaint of the control's area with the next paint, or paint it now.
  void Invalidate();
  void Repaint();

  // The window that hosts the tree (nullptr while the control is in none).
  ControlHost* Host() const;

  // What a screen reader is told: the role (None: not told at all), the name and the value.
  enum class AccessibleRole { None, StaticText, PushButton, ProgressBar };
  virtual AccessibleRole Role() const { return AccessibleRole::None; }
  virtual std::string AccessibleName() const { return {}; }
  virtual std::string AccessibleValue() const { return {}; }
  // Read after the name and role ("OK, button, Installation Successful."); "" for none.
  const std::string& AccessibleDescription() const { return m_description; }
  void SetAccessibleDescription(std::string text);

  // Keyboard: a control that takes the focus is a tab stop of its form, in reading order, and
  // Enter or Space presses it while it has the focus.
  virtual bool TakesFocus() const { return false; }
  virtual void Press() {}
  // Whether it has the keyboard focus now (its form's window has it, and the form gave it on).
  bool Focused() const;

  // Shown as a tooltip over the control when the form shows hints; "" for none.
  virtual std::string Hint() const { return {}; }

  // The mouse pointer over this control; nullptr takes the parent's (the arrow at the root).
  HCURSOR Cursor() const { return m_cursor; }
  void SetCursor(HCURSOR cursor) { m_cursor = cursor; }

  // Painting: the DC's origin is the control's top-left and the clip its bounds.
  virtual void Paint(HDC dc);

  // Mouse hooks; coordinates are relative to the control. Only controls that want the mouse get
  // them; the others (labels, backgrounds) let it through to what lies under them.
  virtual bool WantsMouse() const { return false; }
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void MouseDown(int /*x*/, int /*y*/) {}
  virtual void MouseMove(int /*x*/, int /*y*/) {}
  virtual void MouseUp(int /*x*/, int /*y*/) {}
  virtual void CaptureLost() {}

 protected:
  virtual void EnabledChanged() { Invalidate(); }
  virtual void FontChanged() {}
  // The control's place in the form or whether it is showing may have changed (its own bounds
  // or visibility, or an ancestor's). Controls with a window of their own follow it here.
  virtual void PlacementChanged() {}
  // The form's scale changed, or the control came into a form drawn at another scale than 96
  // DPI: what is measured or made at device resolution is made again.
  virtual void ScaleChanged() {}
  // Tells screen readers that something they read of this control changed (an EVENT_OBJECT_
  // code); nothing for a control they are not told of.
  void NotifyAccessible(DWORD event) const;
  // A control at the root of a form's tree knows its host.
  void AttachHost(ControlHost* host) { m_host = host; }
  friend class Form;

 private:
  void AddChild(std::unique_ptr<Control> child);
  void Realign();
  void NotifyFontChanged();
  void NotifyPlacementChanged();
  void NotifyScaleChanged();

  std::string m_name;
  Rect m_bounds;
  TAlign m_align;
  bool m_visible = true;
  bool m_enabled = true;
  std::optional<TFont> m_font;
  Control* m_parent = nullptr;
  ControlHost* m_host = nullptr;
  std::vector<std::unique_ptr<Control>> m_children;
  mutable UniqueGdiObject m_fontHandle;
  mutable TFont m_fontHandleFont;
  HCURSOR m_cursor = nullptr;
  std::string m_description;
};

// Centres the control in its parent: Left = (parent width - width) div 2, rounding toward zero,
// so a control wider than its parent gets a negative left edge. Without a parent it stays put.
void CentreHorizontally(Control& control);
