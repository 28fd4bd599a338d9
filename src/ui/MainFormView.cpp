#include "ui/MainFormView.h"

#include "ui/AdvPanel.h"
#include "ui/AdvToolButton.h"
#include "ui/Cursors.h"
#include "ui/Edit.h"
#include "ui/Image.h"
#include "ui/InstallerFonts.h"
#include "ui/JvGradient.h"
#include "ui/Label.h"
#include "ui/PageControl.h"
#include "ui/ProductPicture.h"

namespace {

FormDescription MainFormDescription(std::string caption) {
  // A single, non-sizeable border with system menu and minimise box; the window itself carries
  // the taskbar button.
  return FormDescription{
      .className = "TMainForm",
      .caption = std::move(caption),
      .clientWidth = TMainFormView::kClientWidth,
      .clientHeight = TMainFormView::kClientHeight,
      .color = clRed,
      .font = kMainButtonFont,
      .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
      .exStyle = WS_EX_APPWINDOW,
      .icon = ::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON"),
  };
}

const TFont kYellow15{.Name = "Tahoma", .Height = -15, .Bold = true, .Color = clYellow};
const TFont kYellow16{.Name = "Tahoma", .Height = -16, .Bold = true, .Color = clYellow};
const TFont kYellowRegular15{.Name = "Tahoma", .Height = -15, .Bold = false, .Color = clYellow};
const TFont kWhite16{.Name = "Tahoma", .Height = -16, .Bold = true, .Color = clWhite};
const TFont kWhite9{.Name = "Tahoma", .Height = -9, .Bold = true, .Color = clWhite};
const TFont kSilverRegular15{.Name = "Tahoma", .Height = -15, .Bold = false, .Color = clSilver};
const TFont kBlackRegular15{.Name = "Tahoma", .Height = -15, .Bold = false, .Color = clBlack};

template <typename T, typename... A>
T& Put(Control& parent, A&&... args) {
  return parent.Add(std::make_unique<T>(std::forward<A>(args)...));
}

Label& Text(Control& parent, const char* name, int left, int top, const char* caption,
            std::optional<TFont> font = std::nullopt) {
  return Put<Label>(parent, name, Rect{left, top, left, top}, Label::Props{.Caption = caption, .Font = font});
}

TAdvToolButton& Button(Control& parent, const char* name, int left, int top, const char* caption, int width = 73) {
  return Put<TAdvToolButton>(parent, name, Rect{left, top, left + width, top + 22},
                             TAdvToolButton::Props{.Caption = caption, .Colours = kMainWindowButtonColours,
                                                   .Font = kMainButtonFont});
}

TTabSheet& Page(TPageControl& pages, const char* name, TGradientStyle style, const char* gradientName) {
  TTabSheet& page = pages.AddPage(std::make_unique<TTabSheet>(name));
  Put<TJvGradient>(page, gradientName, Rect{0, 0, 489, 390},
                   TJvGradient::Props{.Style = style, .StartColor = clMaroon, .EndColor = clRed});
  return page;
}

}  // namespace

// The layout table: one line per control, only what differs from the defaults.
TMainFormView::TMainFormView(std::string caption)
    : Form(MainFormDescription(std::move(caption))),
      AdvPanel1(Put<TAdvPanel>(Client(), "AdvPanel1", Rect{0, 0, 185, 400},
                               TAdvPanel::Props{.Align = TAlign::alLeft, .Color = RgbColour(0xFF, 0x4D, 0x00),
                                                .ColorTo = clMaroon, .BevelOuter = TPanelBevel::bvNone,
                                                .Font = kMainPanelFont})),
      Image1(Put<TImage>(AdvPanel1, "Image1", Rect{38, 19, 143, 124})),
      lbP1Progname(Text(AdvPanel1, "lbP1Progname", 29, 253, "")),
      lbP1ProgVer(Text(AdvPanel1, "lbP1ProgVer", 47, 293, "Version 3.5")),
      lbVersion(Text(AdvPanel1, "lbVersion", 63, 377, "", kWhite9)),
      PageControl1(Put<TPageControl>(Client(), "PageControl1", Rect{185, 0, 682, 400})),
      TabSheet1(Page(PageControl1, "TabSheet1", TGradientStyle::grPyramid, "JvGradient1")),
      TabSheet2(Page(PageControl1, "TabSheet2", TGradientStyle::grVertical, "JvGradient2")),
      TabSheet3(Page(PageControl1, "TabSheet3", TGradientStyle::grVertical, "JvGradient3")),
      lbIns1(Text(TabSheet1, "lbIns1", 240, 13, "", kYellow15)),
      lbIns2(Text(TabSheet1, "lbIns2", 240, 34, "", kYellow15)),
      btnCancel(Button(TabSheet1, "btnCancel", 100, 332, "Cancel")),
      btnSetup(Button(TabSheet1, "btnSetup", 316, 332, "NEXT")),
      edInstallDir(Put<TEdit>(TabSheet2, "edInstallDir", Rect{64, 35, 351, 61},
                              TEdit::Props{.Text = "c:\\zt", .LowerCase = true, .AccessibleLabel = "Install Folder:"})),
      btnBrowse(Button(TabSheet2, "btnBrowse", 354, 37, "Browse")),
      BtnCancel2(Button(TabSheet2, "BtnCancel2", 45, 341, "Cancel")),
      btnInstall(Button(TabSheet2, "btnInstall", 371, 341, "Install")),
      lbReins1(Text(TabSheet3, "lbReins1", 209, 29, "", kYellow16)),
      lbReins2(Text(TabSheet3, "lbReins2", 209, 58, "", kYellow16)),
      lbInstallDir(Text(TabSheet3, "lbInstallDir", 200, 186, "c:\\zt", kWhite16)),
      btnCancel3(Button(TabSheet3, "btnCancel3", 45, 344, "Cancel")),
      BtnFullInstall(Button(TabSheet3, "BtnFullInstall", 195, 344, "New Install", 100)),
      btnReinstall(Button(TabSheet3, "btnReinstall", 344, 344, "Re-Install", 100)) {
  // The fixed texts nobody changes at run time.
  Text(AdvPanel1, "Label1", 42, 165, "INSTALLING", kWhite16);
  Text(AdvPanel1, "Label2", 40, 205, "Corvane\xAE");
  Text(TabSheet1, "lbDetails", 51, 251, "Click NEXT to install this program, CANCEL to close", kYellow15);
  Text(TabSheet1, "Label3", 51, 272, "without installing.", kYellow15);
  Text(TabSheet2, "Label4", 63, 13, "Install Folder:", kSilverRegular15);
  Text(TabSheet3, "Label5", 56, 187, "Installing to folder:  ", kYellowRegular15);

  AdvPanel1.SetCursor(DragCursor());
  TabSheet3.SetFont(kWhite16);
  edInstallDir.SetFont(kBlackRegular15);
}

void TMainFormView::MakeImage(const std::string& label) {
  Image1.SetDrawing([label](HDC dc, int width, int height, const DpiScale& scale) {
    DrawProductPicture(dc, width, height, label, scale);
  });
}
