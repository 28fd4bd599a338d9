#include "ui/Control.h"

#include "ui/Gdi.h"
#include "ui/Layout.h"

Control::Control(std::string name, Rect bounds, TAlign align)
    : m_name(std::move(name)), m_bounds(bounds), m_align(align) {}

Control::~Control() = default;

Control* Control::Find(std::string_view name) {
  if (m_name == name) return this;
  for (auto& child : m_children)
    if (Control* found = child->Find(name)) return found;
  return nullptr;
}

void Control::AddChild(std::unique_ptr<Control> child) {
  child->m_parent = this;
  m_children.push_back(std::move(child));
  Control& added = *m_children.back();
  if (added.Align() != TAlign::alNone) Realign();
  added.NotifyFontChanged();
  added.Invalidate();
  if (ControlHost* host = Host()) {
    if (!host->Scale().Identity()) added.NotifyScaleChanged();
    host->ChildWindowsChanged(added);
  }
}

DpiScale Control::Scale() const {
  const ControlHost* host = Host();
  return host ? host->Scale() : DpiScale{};
}

void Control::NotifyScaleChanged() {
  ScaleChanged();
  for (auto& child : m_children) child->NotifyScaleChanged();
}

void Control::SetBounds(const Rect& bounds) {
  if (bounds == m_bounds) return;
  const bool resized = bounds.Width() != m_bounds.Width() || bounds.Height() != m_bounds.Height();
  Invalidate();
  m_bounds = bounds;
  Invalidate();
  if (resized) Realign();
  NotifyPlacementChanged();
}

void Control::SetAlign(TAlign align) {
  if (align == m_align) return;
  m_align = align;
  if (m_parent) m_parent->Realign();
}

// Edges first in the order top, bottom, left, right, each taking its strip off what is left;
// client-aligned controls get the rest.
void Control::Realign() {
  Rect rest = ClientRect();
  for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (auto& child : m_children) {
      if (child->Align() != pass || !child->Visible()) continue;
      const int w = child->Width(), h = child->Height();
      switch (pass) {
        case TAlign::alTop:
          child->SetBounds(Rect{rest.left, rest.top, rest.right, rest.top + h});
          rest.top += h;
          break;
        case TAlign::alBottom:
          child->SetBounds(Rect{rest.left, rest.bottom - h, rest.right, rest.bottom});
          rest.bottom -= h;
          break;
        case TAlign::alLeft:
          child->SetBounds(Rect{rest.left, rest.top, rest.left + w, rest.bottom});
          rest.left += w;
          break;
        case TAlign::alRight:
          child->SetBounds(Rect{rest.right - w, rest.top, rest.right, rest.bottom});
          rest.right -= w;
          break;
        case TAlign::alClient:
          child->SetBounds(rest);
          break;
        case TAlign::alNone:
          break;
      }
    }
  }
}

Rect Control::BoundsInForm() const {
  Rect r = m_bounds;
  for (const Control* p = m_parent; p; p = p->m_parent) r = r.Offset(p->m_bounds.left, p->m_bounds.top);
  return r;
}

void Control::SetVisible(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  NotifyAccessible(visible ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE);
  if (m_parent && m_align != TAlign::alNone) m_parent->Realign();
  // Invalidate ignores hidden controls, so the area is given to the form directly.
  if (ControlHost* host = Host()) host->InvalidateArea(BoundsInForm());
  NotifyPlacementChanged();
}

void Control::NotifyPlacementChanged() {
  PlacementChanged();
  for (auto& child : m_children) child->NotifyPlacementChanged();
}

bool Control::Focused() const {
  const ControlHost* host = Host();
  return host && host->FocusedControl() == this && ::GetFocus() == host->Handle();
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->m_parent)
    if (!c->m_visible) return false;
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  if (ControlHost* host = Host()) host->ControlEnabledChanged(*this);
  EnabledChanged();
  NotifyAccessible(EVENT_OBJECT_STATECHANGE);
}

void Control::SetAccessibleDescription(std::string text) {
  if (text == m_description) return;
  m_description = std::move(text);
  NotifyAccessible(EVENT_OBJECT_DESCRIPTIONCHANGE);
}

void Control::NotifyAccessible(DWORD event) const {
  if (Role() == AccessibleRole::None) return;
  if (ControlHost* host = Host()) host->NotifyAccessible(event, *this);
}

const TFont& Control::Font() const {
  static const TFont kDefault{};
  for (const Control* c = this; c; c = c->m_parent)
    if (c->m_font) return *c->m_font;
  return kDefault;
}

void Control::SetFont(const TFont& font) {
  m_font = font;
  NotifyFontChanged();
  Invalidate();
}

void Control::SetParentFont() {
  m_font.reset();
  NotifyFontChanged();
  Invalidate();
}

void Control::NotifyFontChanged() {
  FontChanged();
  for (auto& child : m_children)
    if (child->ParentFont()) child->NotifyFontChanged();
}

HFONT Control::FontHandle(const DpiScale& scale) const {
  TFont font = Font();
  font.Height = scale.FontHeight(font.Height);
  if (!m_fontHandle || !(m_fontHandleFont == font)) {
    m_fontHandle = MakeFont(font);
    m_fontHandleFont = font;
  }
  return static_cast<HFONT>(m_fontHandle.get());
}

void Control::Invalidate() {
  if (!Showing()) return;
  if (ControlHost* host = Host()) host->InvalidateArea(BoundsInForm());
}

void Control::Repaint() {
  Invalidate();
  if (ControlHost* host = Host()) host->UpdateNow();
}

ControlHost* Control::Host() const {
  const Control* c = this;
  while (c->m_parent) c = c->m_parent;
  return c->m_host;
}

void Control::Paint(HDC) {}

void CentreHorizontally(Control& control) {
  if (const Control* parent = control.Parent()) control.SetLeft(CentredLeft(parent->Width(), control.Width()));
}
