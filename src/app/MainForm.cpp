#include "app/MainForm.h"

#include <string>

#include "app/Product.h"

namespace {
std::string MainCaption() {
  std::string caption = kMainCaptionFormat;
  caption.replace(caption.find("%s"), 2, kProductName);
  return caption;
}
}  // namespace

TMainForm::TMainForm() {
  // A single, non-sizeable border with system menu and minimise box; the window itself carries
  // the taskbar button.
  CreateFrame(Frame{
      .className = "TMainForm",
      .caption = MainCaption(),
      .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
      .exStyle = WS_EX_APPWINDOW,
      .clientWidth = kClientWidth,
      .clientHeight = kClientHeight,
      .icon = ::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON"),
  });
  FormCreate();
}

void TMainForm::FormCreate() {}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandler(msg, wParam, lParam);
  }
}
