// Renders every drawn control in each state the windows use into build/gallery/*.png, and one
// composite picture of them all (gallery.png). Each state is reached the way a user reaches it:
// hot and pressed looks by mouse messages to the hosting form.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/base/Format.h"
#include "ui/AdvPanel.h"
#include "ui/AdvProgressBar.h"
#include "ui/AdvToolButton.h"
#include "ui/HighContrast.h"
#include "ui/InstProgressForm.h"
#include "ui/InstallerFonts.h"
#include "ui/JvGradient.h"
#include "ui/MainFormView.h"
#include "ui/Label.h"
#include "win32/DrawTestSupport.h"

namespace {

std::string GalleryPath(const std::string& name) {
  const std::string folder = ToWindowsPath(QLX_GALLERY_DIR);
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\" + name;
}


enum class ButtonState { Normal, Hot, Pressed, Disabled, Focused };
const char* Name(ButtonState s) {
  switch (s) {
    case ButtonState::Normal: return "normal";
    case ButtonState::Hot: return "hot";
    case ButtonState::Pressed: return "pressed";
    case ButtonState::Disabled: return "disabled";
    case ButtonState::Focused: return "focused";
  }
  return "";
}

void Drive(Form& form, TAdvToolButton& button, ButtonState state) {
  const Rect r = button.BoundsInForm();
  const int x = r.left + r.Width() / 2, y = r.top + r.Height() / 2;
  if (state == ButtonState::Hot || state == ButtonState::Pressed) SendMouse(form, WM_MOUSEMOVE, x, y);
  if (state == ButtonState::Pressed) SendMouse(form, WM_LBUTTONDOWN, x, y);
  if (state == ButtonState::Disabled) button.SetEnabled(false);
  if (state == ButtonState::Focused) {
    ::ShowWindow(form.Handle(), SW_SHOW);
    ::SetFocus(form.Handle());
    form.FocusControl(&button);
  }
}

struct Shot {
  std::string name;
  RgbImage image;
};

// The main window's welcome page as the installer shows it.
Shot WelcomePage(ButtonState nextState) {
  TMainFormView view("Corvane Quillon Installer");
  view.Create();
  view.MakeImage("QL");
  auto& title = view.Get<Label>("lbIns1");
  title.SetCaption("This will install Corvane Quillon");
  CentreHorizontally(title);
  Drive(view, view.Get<TAdvToolButton>("btnSetup"), nextState);
  return {std::string("welcome-page-next-") + Name(nextState), Render(view)};
}

// The progress window during a run.
Shot ProgressWindow(int percent, ButtonState pauseState) {
  TInstProgressForm form;
  form.Create();
  form.SetProgramName("Quillon");
  form.SetStage("Installing ...");
  form.SetTotal(123400);
  form.SetFileName("c:\\zt\\manuals\\qlx.pdf");
  for (int i = 1; i < 12; ++i) form.SetFileName("c:\\zt\\qlx.exe");
  form.SetPosition(percent * 1234);
  Drive(form, form.Get<TAdvToolButton>("btnPause"), pauseState);
  return {"progress-window-" + std::to_string(percent) + "-pause-" + Name(pauseState), Render(form)};
}

Shot VerticalPage() {
  auto form = MakeHostForm(489, 390, clBlack);
  form->Add(std::make_unique<TJvGradient>(
      "JvGradient2", Rect{0, 0, 489, 390},
      TJvGradient::Props{.Style = TGradientStyle::grVertical, .StartColor = clMaroon, .EndColor = clRed}));
  return {"gradient-vertical", Render(*form)};
}

Shot Bar(int percent) {
  auto form = MakeHostForm(457, 34, clRed);
  auto& bar = form->Add(std::make_unique<TAdvProgressBar>("pbar", Rect{12, 8, 445, 26}, TAdvProgressBar::Props{}));
  bar.SetPosition(percent);
  return {"progress-bar-" + std::to_string(percent), Render(*form)};
}

// Pastes `image` into `canvas` at (x, y).
void Paste(RgbImage& canvas, const RgbImage& image, int x, int y) {
  for (int row = 0; row < image.height && y + row < canvas.height; ++row)
    for (int col = 0; col < image.width && x + col < canvas.width; ++col)
      for (int ch = 0; ch < 3; ++ch)
        canvas.rgb[static_cast<size_t>(((y + row) * canvas.width + x + col) * 3 + ch)] =
            image.rgb[static_cast<size_t>((row * image.width + col) * 3 + ch)];
}

TEST(Gallery, RendersEveryControlInEachStateAndOneComposite) {
  std::vector<Shot> welcome, progress, bars;
  for (auto s : {ButtonState::Normal, ButtonState::Hot, ButtonState::Pressed, ButtonState::Disabled, ButtonState::Focused})
    welcome.push_back(WelcomePage(s));
  progress.push_back(ProgressWindow(0, ButtonState::Normal));
  progress.push_back(ProgressWindow(45, ButtonState::Hot));
  progress.push_back(ProgressWindow(75, ButtonState::Pressed));
  progress.push_back(ProgressWindow(95, ButtonState::Disabled));
  progress.push_back(ProgressWindow(100, ButtonState::Normal));
  for (int p : {0, 1, 2, 50, 69, 70, 89, 90, 99, 100}) bars.push_back(Bar(p));
  const Shot vertical = VerticalPage();

  for (const auto* group : {&welcome, &progress, &bars})
    for (const Shot& shot : *group) ASSERT_TRUE(WritePng(GalleryPath(shot.name + ".png"), shot.image)) << shot.name;
  ASSERT_TRUE(WritePng(GalleryPath(vertical.name + ".png"), vertical.image));

  // Composite: the welcome page normal and hot, the progress window at four moments, bars.
  const int gap = 8;
  RgbImage composite;
  composite.width = 682 * 2 + gap * 3;
  composite.height = gap + 400 + gap + 180 * 2 + gap * 2;
  composite.rgb.assign(static_cast<size_t>(composite.width * composite.height * 3), 0x30);
  Paste(composite, welcome[1].image, gap, gap);
  Paste(composite, welcome[2].image, 682 + 2 * gap, gap);
  int y = gap + 400 + gap;
  for (size_t i = 0; i < 4; ++i)
    Paste(composite, progress[i + 1].image, gap + static_cast<int>(i % 2) * (457 + gap), y + static_cast<int>(i / 2) * (180 + gap));
  int barY = y;
  for (int p : {1, 3, 5, 7, 9}) {
    Paste(composite, bars[static_cast<size_t>(p)].image, gap + 2 * (457 + gap), barY);
    barY += 34 + gap;
  }
  ASSERT_TRUE(WritePng(GalleryPath("gallery.png"), composite));

  // The pictures hold what they show: hot NEXT is maroon at its top, pressed NEXT grey.
  // (The page sits 4 pixels inside the page control at x = 185.)
  EXPECT_EQ(welcome[1].image.Pixel(185 + 4 + 318, 4 + 333), 0x800000u);
  EXPECT_EQ(welcome[2].image.Pixel(185 + 4 + 318, 4 + 333), 0xD2D3D8u);
  EXPECT_EQ(progress[2].image.Pixel(56, 139 + 7), 0xE98C01u);
}

// Whether the colour (0xRRGGBB) is one of `colours` or lies between two of them, as the edge of
// smoothed text does.
bool BlendOfTwo(const std::vector<std::uint32_t>& colours, std::uint32_t pixel) {
  const auto channel = [](std::uint32_t c, int i) { return static_cast<int>((c >> (16 - 8 * i)) & 0xFF); };
  for (std::uint32_t a : colours)
    for (std::uint32_t b : colours) {
      int widest = 0;
      for (int i = 1; i < 3; ++i)
        if (std::abs(channel(b, i) - channel(a, i)) > std::abs(channel(b, widest) - channel(a, widest))) widest = i;
      const int span = channel(b, widest) - channel(a, widest);
      const double t = span == 0 ? 0.0 : double(channel(pixel, widest) - channel(a, widest)) / span;
      if (t < 0 || t > 1) continue;
      bool onLine = true;
      for (int i = 0; i < 3 && onLine; ++i)
        onLine = std::abs(channel(pixel, i) - (channel(a, i) + t * (channel(b, i) - channel(a, i)))) <= 2.5;
      if (onLine) return true;
    }
  return false;
}

// In high contrast the windows take the system's colours only: no gradient band, no fixed
// colour; smoothed text edges blend two of them. (The welcome page's product picture is left
// out: a picture, not behind text.)
TEST(Gallery, HighContrastUsesTheSystemColoursOnly) {
  const ScopedHighContrast on(true);
  std::vector<std::uint32_t> allowed;
  for (int index : {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                    COLOR_GRAYTEXT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}) {
    const COLORREF c = ::GetSysColor(index);
    allowed.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
  }
  const Shot shots[] = {WelcomePage(ButtonState::Focused), ProgressWindow(45, ButtonState::Hot),
                        ProgressWindow(100, ButtonState::Normal)};
  for (const Shot& shot : shots) {
    ASSERT_TRUE(WritePng(GalleryPath("high-contrast-" + shot.name + ".png"), shot.image)) << shot.name;
    int foreign = 0;
    for (int y = 0; y < shot.image.height; ++y)
      for (int x = 0; x < shot.image.width; ++x) {
        const bool picture = shot.name.rfind("welcome", 0) == 0 && x >= 38 && x < 143 + 8 && y >= 19 && y < 124 + 8;
        if (!picture && !BlendOfTwo(allowed, shot.image.Pixel(x, y))) ++foreign;
      }
    EXPECT_EQ(foreign, 0) << shot.name;
  }
}

}  // namespace
