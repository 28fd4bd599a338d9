// Every window of both programs at the DPI of the prefix it runs in (96, 144 and 192, each with
// a large screen of its own), read back from the screen into build/gallery/dpi<N>-*.png and
// checked at its scale. Then a DPI change as the system announces it.
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ui/AdvMessageForm.h"
#include "ui/AdvToolButton.h"
#include "ui/ChildWindowControl.h"
#include "ui/InstProgressForm.h"
#include "ui/Label.h"
#include "ui/MainFormView.h"
#include "ui/PageControl.h"
#include "ui/WindowDpi.h"
#include "win32/DrawTestSupport.h"

namespace {

// The form on the screen as WM_PAINT drew it, child windows included.
RgbImage OnScreen(Form& form) {
  ::SetWindowPos(form.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ::ShowWindow(form.Handle(), SW_SHOWNA);
  ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const SIZE size = form.DeviceClientSize();
  HDC dc = ::GetDC(form.Handle());
  RgbImage image = CaptureDc(dc, size.cx, size.cy);
  ::ReleaseDC(form.Handle(), dc);
  ::ShowWindow(form.Handle(), SW_HIDE);
  return image;
}

// The device pixel in the middle of logical pixel (x, y).
std::uint32_t At(const RgbImage& image, const DpiScale& s, int x, int y) {
  return image.Pixel((s.ToDevice(x) + s.ToDevice(x + 1) - 1) / 2, (s.ToDevice(y) + s.ToDevice(y + 1) - 1) / 2);
}

// Pixels of the label's text outside its rectangle: drawn at the scale, unclipped, on a ground
// unlike its text, with room around it.
int TextOutside(Label& label, const DpiScale& s) {
  const int w = s.ToDevice(label.Width()), h = s.ToDevice(label.Height()), room = s.ToDevice(40);
  Canvas canvas(w + room, h + room);
  const Rgb text = Resolve(label.Font().Color).value_or(Rgb{});
  const Rgb ground{uint8_t(255 - text.r), uint8_t(255 - text.g), uint8_t(255 - text.b)};
  FillSolid(canvas.Dc(), RectOfSize(w + room, h + room), ground);
  {
    SavedDcState scaled(canvas.Dc());
    ApplyScale(canvas.Dc(), s);
    label.Paint(canvas.Dc());
  }
  const RgbImage image = CaptureDc(canvas.Dc(), w + room, h + room);
  int outside = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) outside += (x >= w || y >= h) && image.Pixel(x, y) != Hex(ground);
  return outside;
}

// Labels' text inside their rectangles; child windows and their fonts at their scaled places.
void ExpectPlacedAtScale(Control& control, const DpiScale& s, const std::string& shot) {
  if (auto* label = dynamic_cast<Label*>(&control); label && label->Showing() && !label->Caption().empty()) {
    EXPECT_EQ(TextOutside(*label, s), 0) << shot << ": " << label->Caption();
  }
  if (auto* child = dynamic_cast<ChildWindowControl*>(&control); child && child->Handle()) {
    RECT r{};
    ::GetWindowRect(child->Handle(), &r);
    ::MapWindowPoints(nullptr, ::GetParent(child->Handle()), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((Rect{r.left, r.top, r.right, r.bottom}), child->DeviceBoundsInForm()) << shot << ": " << child->Name();
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(child->Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, s.FontHeight(child->Font().Height)) << shot << ": " << child->Name();
  }
  for (auto& c : control.Children()) ExpectPlacedAtScale(*c, s, shot);
}

using Pixels = std::vector<std::tuple<int, int, std::uint32_t>>;

void Check(Form& form, const std::string& shot, const Pixels& pixels) {
  const DpiScale s = form.Scale();
  EXPECT_EQ(s.dpi, SystemDpi());
  const RgbImage image = OnScreen(form);
  EXPECT_TRUE(image.width == s.ToDevice(form.Client().Width()) && image.height == s.ToDevice(form.Client().Height()));
  const std::string folder = ToWindowsPath(QLX_GALLERY_DIR);
  ::CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WritePng(folder + "\\dpi" + std::to_string(s.dpi) + "-" + shot + ".png", image));
  for (const auto& [x, y, colour] : pixels) EXPECT_EQ(At(image, s, x, y), colour) << shot << " at " << x << "," << y;
  ExpectPlacedAtScale(form.Client(), s, shot);
}

void Press(Form& form, const char* button) {
  const Rect r = form.Get<TAdvToolButton>(button).DeviceBoundsInForm();
  SendMouse(form, WM_MOUSEMOVE, r.left + 2, r.top + 2);
  SendMouse(form, WM_LBUTTONDOWN, r.left + 2, r.top + 2);
}

void Fill(TInstProgressForm& form) {
  form.SetProgramName("Quillon");
  form.SetStage("Installing ...");
  form.SetTotal(123400);
  for (int i = 0; i < 12; ++i) form.SetFileName("c:\\zt\\manuals\\qlx.pdf");
  form.SetPosition(75 * 1234);
}

TEST(DpiGallery, EveryWindowAtTheScreensDpi) {
  TMainFormView view("Corvane Quillon Installer");
  view.Create();
  view.MakeImage("QL");
  view.Get<Label>("lbIns1").SetCaption("This will install Corvane Quillon");
  // The picture's yellow frame and red ground; NEXT pressed is grey at its top.
  Press(view, "btnSetup");
  Check(view, "main-window-welcome",
        {{38, 19, 0xFFFF00}, {38 + 4, 69, 0xFFFF00}, {38 + 5, 69, 0xFF0000}, {142, 123, 0xFFFF00}, {507, 337, 0xD2D3D8}});
  SendMouse(view, WM_LBUTTONUP, 0, 0);
  auto& pages = view.Get<TPageControl>("PageControl1");
  pages.SetActivePage(view.Get<TTabSheet>("TabSheet2"));
  Check(view, "main-window-install", {});
  pages.SetActivePage(view.Get<TTabSheet>("TabSheet3"));
  Check(view, "main-window-reinstall", {});

  for (const char* caption : {"Installation Progress", "Uninstall Progress"}) {
    TInstProgressForm form;
    form.SetCaption(caption);
    form.Create();
    Fill(form);
    Press(form, "btnPause");
    Check(form, caption[0] == 'I' ? "install-progress" : "uninstall-progress", {{56, 139 + 7, 0xE98C01}});
  }

  for (const auto icon : {TTaskDialogIcon::tiQuestion, TTaskDialogIcon::tiShield}) {
    TCustomAdvTaskDialog d;
    d.Instruction = "Are you sure you want to completely remove Quillon and all of its components?";
    d.Icon = icon;
    d.CommonButtons = cbYes | cbNo;
    TAdvMessageForm form(d);
    form.Create();
    // The strip's line along its top, its fill below.
    const int strip = form.Layout().stripTop;
    Check(form, icon == TTaskDialogIcon::tiShield ? "dialog-shield" : "dialog-question",
          {{2, strip, 0xDFDFDF}, {2, strip + 1, 0xF0F0F0}});
  }
}

// The window moved to a monitor of another DPI: it takes the suggested rectangle, clamped to
// the monitor's work area, and lays itself out again at the new scale.
TEST(DpiGallery, ANewDpiLaysTheWindowOutAgain) {
  TInstProgressForm form;
  form.Create();
  Fill(form);
  const int width = form.Client().Width(), height = form.Client().Height();
  const DpiScale s{form.Scale().dpi * 2};
  // Under Wine the frame keeps its size: the suggestion is the frame around the scaled client.
  RECT window{}, client{};
  ::GetWindowRect(form.Handle(), &window);
  ::GetClientRect(form.Handle(), &client);
  RECT suggested{window.left, window.top, window.right - client.right + s.ToDevice(width),
                 window.bottom - client.bottom + s.ToDevice(height)};
  ::SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(s.dpi, s.dpi), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.Scale(), s);
  EXPECT_TRUE(form.DeviceClientSize().cx == s.ToDevice(width) && form.DeviceClientSize().cy == s.ToDevice(height));
  Press(form, "btnPause");
  EXPECT_EQ(At(OnScreen(form), s, 56, 139 + 7), 0xE98C01u);
  SendMouse(form, WM_LBUTTONUP, 0, 0);

  MONITORINFO monitor{sizeof monitor};
  ::GetMonitorInfoA(::MonitorFromWindow(form.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT work = monitor.rcWork;
  RECT huge{work.left - 50, work.top - 50, work.right + 4000, work.bottom + 4000};
  ::SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(s.dpi * 2, s.dpi * 2), reinterpret_cast<LPARAM>(&huge));
  ::GetWindowRect(form.Handle(), &window);
  EXPECT_TRUE(window.left >= work.left && window.top >= work.top && window.right <= work.right &&
              window.bottom <= work.bottom);
}

}  // namespace
