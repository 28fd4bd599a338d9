#pragma once
// The drawn flat push button: a vertical gradient face that changes between the normal, hot and
// pressed looks, a centred caption (embossed grey when disabled), and a click when the left
// button is released over it. It is a tab stop of its form; with the keyboard focus it shows a
// dotted rectangle inside its face, and Enter or Space clicks it. Its face never moves when
// pressed.

#include <functional>
#include <optional>
#include <string>

#include "ui/Control.h"
#include "ui/ToolButtonLook.h"

class TAdvToolButton : public Control {
 public:
  using ClickHandler = std::function<void(TAdvToolButton&)>;

  struct Props {
    std::string Caption;
    ToolButtonColours Colours{};
    bool Rounded = false;
    bool Flat = true;
    bool ShowCaption = true;
    std::optional<TFont> Font;  // the parent's when not given
    std::string Hint;
    ClickHandler OnClick;
  };

  TAdvToolButton(std::string name, Rect bounds, Props props);

  const std::string& Caption() const { return m_props.Caption; }
  void SetCaption(std::string caption);
  const ToolButtonColours& Colours() const { return m_props.Colours; }
  void SetColours(const ToolButtonColours& colours);
  void SetRounded(bool rounded);
  void SetShowCaption(bool show);
  std::string Hint() const override { return m_props.Hint; }
  void SetHint(std::string hint) { m_props.Hint = std::move(hint); }
  // The handler may replace itself while it runs.
  void SetOnClick(ClickHandler handler) { m_props.OnClick = std::move(handler); }

  bool Hot() const { return m_hot; }
  bool Down() const { return m_down; }
  bool Dragging() const { return m_dragging; }
  ToolButtonVisual Visual() const { return VisualFor(Enabled(), m_hot, m_down); }

  // Fires the click event as a completed press does.
  void Click();
  bool TakesFocus() const override;
  AccessibleRole Role() const override { return AccessibleRole::PushButton; }
  std::string AccessibleName() const override { return m_props.Caption; }
  void Press() override { Click(); }

  void Paint(HDC dc) override;

  bool WantsMouse() const override { return true; }
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(int x, int y) override;
  void CaptureLost() override;

 protected:
  void EnabledChanged() override;

 private:
  void PaintPlain(HDC dc);
  bool CanBecomeHot() const;
  void UpdateHotFromCursor();

  Props m_props;
  bool m_hot = false;
  bool m_down = false;
  bool m_dragging = false;
};
