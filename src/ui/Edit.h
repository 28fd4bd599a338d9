#pragma once
// A single-line edit field (a real child window) in the control's font and colour on a white
// ground; optionally lower-case only, as the system converts what is typed or set.

#include <functional>
#include <string>

#include "support/win/UniqueHandle.h"
#include "ui/ChildWindowControl.h"

class TEdit : public ChildWindowControl {
 public:
  struct Props {
    std::string Text;
    bool LowerCase = false;
    TColor Color = clWindow;
    // The name a screen reader gives the field: the text of a label drawn beside it.
    std::string AccessibleLabel;
  };
  TEdit(std::string name, Rect bounds, Props props);

  std::string Text() const;
  void SetText(const std::string& text);

  std::function<void(TEdit&)> OnChange;

 protected:
  HWND MakeWindow(HWND parent, const Rect& bounds, DWORD style) override;
  void Command(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;

 private:
  std::string m_text;
  std::string m_accessibleLabel;
  bool m_lowerCase;
  TColor m_color;
  UniqueGdiObject m_brush;
};
