#include "app/MainForm.h"

#include <string>

#include "support/Product.h"
#include "support/Folders.h"
#include "support/Format.h"
#include "support/Paths.h"
#include "support/RunLog.h"
#include "support/System.h"

TMainForm::TMainForm() {
  // A single, non-sizeable border with system menu and minimise box; the window itself carries
  // the taskbar button.
  CreateFrame(Frame{
      .className = "TMainForm",
      .caption = Format(kMainCaptionFormat, kProductName),
      .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
      .exStyle = WS_EX_APPWINDOW,
      .clientWidth = kClientWidth,
      .clientHeight = kClientHeight,
      .icon = ::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON"),
  });
  FormCreate();
}

void TMainForm::FormCreate() {
  // The log comes first, so that every later step of the run leaves its line.
  SetLogEnabled(true);
  StartRunLog(CommonDocumentsFolder() + "corvane\\" + NamePart(OwnFilePath()));
  LogText("FormCreate: start");
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandler(msg, wParam, lParam);
  }
}
