#pragma once
// Tooltips for the drawn controls of one form: the system's tooltip window (the common
// controls are loaded at run time from the system folder, never imported) showing each
// control's hint over its area while the control is showing.

#include <string>
#include <vector>

#include <windows.h>

#include "support/win/UniqueHandle.h"
#include "ui/Control.h"

class HintWindow {
 public:
  explicit HintWindow(HWND form);

  // Sets the tools from the controls below `root` that have a hint and are showing.
  void Update(Control& root);
  HWND Handle() const { return m_tip.get(); }

 private:
  HWND m_form;
  UniqueWindow m_tip;
  UINT m_tools = 0;
  std::vector<std::string> m_texts;
};
