#pragma once
// A text label. Transparent labels draw only their text, over whatever lies under them; opaque
// ones fill their bounds with their colour first. With AutoSize the bounds follow the text.

#include <optional>
#include <string>
#include <string_view>

#include "ui/Control.h"

class Label : public Control {
 public:
  struct Props {
    std::string Caption;
    std::optional<TFont> Font;  // the parent's when not given
    bool Transparent = true;
    TColor Color = clBtnFace;
    bool AutoSize = true;
    bool WordWrap = false;  // lines break at word ends within the width, tabs are expanded
  };

  // `bounds` gives the position; its size is used only without AutoSize.
  Label(std::string name, Rect bounds, Props props);

  const std::string& Caption() const { return m_caption; }
  AccessibleRole Role() const override { return AccessibleRole::StaticText; }
  std::string AccessibleName() const override { return m_caption; }
  // `announce` false: screen readers are not told of this change (a text that changes many
  // times a second is told of a few times a second by its owner).
  void SetCaption(std::string caption, bool announce = true);
  bool Transparent() const { return m_transparent; }
  void SetTransparent(bool transparent);

  // Width and height of the caption, or of any text, in the label's font.
  SIZE TextSize() const { return MeasureText(m_caption); }
  SIZE MeasureText(std::string_view text) const;

  void Paint(HDC dc) override;

 protected:
  void FontChanged() override { AdjustSize(); }
  void ScaleChanged() override { AdjustSize(); }

 private:
  void AdjustSize();

  std::string m_caption;
  bool m_transparent;
  TColor m_color;
  bool m_autoSize;
  bool m_wordWrap;
};
