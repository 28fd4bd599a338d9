#include "app/MainForm.h"

#include <string>

#include "support/Folders.h"
#include "support/Format.h"
#include "support/Paths.h"
#include "support/Product.h"
#include "support/RunLog.h"
#include "support/System.h"

namespace {
FormDescription MainFormDescription() {
  // A single, non-sizeable border with system menu and minimise box; the window itself carries
  // the taskbar button.
  return FormDescription{
      .className = "TMainForm",
      .caption = Format(kMainCaptionFormat, kProductName),
      .clientWidth = TMainForm::kClientWidth,
      .clientHeight = TMainForm::kClientHeight,
      .color = clRed,
      .font = TFont{.Name = "Tahoma", .Height = -15, .Bold = true, .Color = clWhite},
      .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
      .exStyle = WS_EX_APPWINDOW,
      .icon = ::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON"),
  };
}
}  // namespace

TMainForm::TMainForm() : Form(MainFormDescription()) {}

void TMainForm::FormCreated() { FormCreate(); }

void TMainForm::FormCreate() {
  // The log comes first, so that every later step of the run leaves its line.
  SetLogEnabled(true);
  StartRunLog(CommonDocumentsFolder() + "corvane\\" + NamePart(OwnFilePath()));
  LogText("FormCreate: start");
}

// The main window closes for good: the program ends with it.
bool TMainForm::FormCloseQuery() {
  DestroyHandle();
  return false;
}

void TMainForm::FormDestroyed() { ::PostQuitMessage(0); }
