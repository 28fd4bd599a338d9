// The flat tool button: its looks, rendered, and its mouse rules, driven by the messages
// Windows sends to the form that hosts it.
#include "ui/AdvToolButton.h"

#include <functional>

#include <gtest/gtest.h>

#include "ui/AdvPanel.h"
#include "ui/InstallerFonts.h"
#include "win32/DrawTestSupport.h"

namespace {


// A main-window button at (100, 50) on a silver form, and one beside it.
struct Host {
  std::unique_ptr<Form> form = MakeHostForm(400, 200, clSilver);
  int clicks = 0;
  int otherClicks = 0;
  TAdvToolButton& button = form->Add(std::make_unique<TAdvToolButton>(
      "btnSetup", Rect{100, 50, 173, 72},
      TAdvToolButton::Props{.Caption = "NEXT", .Colours = kMainWindowButtonColours, .Font = kMainButtonFont,
                            .OnClick = [this](TAdvToolButton&) { ++clicks; }}));
  TAdvToolButton& other = form->Add(std::make_unique<TAdvToolButton>(
      "btnCancel", Rect{200, 50, 273, 72},
      TAdvToolButton::Props{.Caption = "Cancel", .Colours = kMainWindowButtonColours, .Font = kMainButtonFont,
                            .OnClick = [this](TAdvToolButton&) { ++otherClicks; }}));

  Host() { ::ShowWindow(form->Handle(), SW_SHOWNOACTIVATE); }
  void Move(int x, int y) { SendMouse(*form, WM_MOUSEMOVE, x, y); }
  void Down(int x, int y) { SendMouse(*form, WM_LBUTTONDOWN, x, y); }
  void Up(int x, int y) { SendMouse(*form, WM_LBUTTONUP, x, y); }
};

struct LookCase {
  const char* what;
  const ToolButtonColours* colours;
  bool rounded;
  bool enabled;
  bool hot, pressed;
  int w, h;
  std::vector<std::pair<int, uint32_t>> columnX2;  // y, colour in column x = 2
};

TEST(AdvToolButton, LooksOfTheWindowsButtons) {
  const LookCase cases[] = {
      {"main normal", &kMainWindowButtonColours, false, true, false, false, 73, 22,
       {{0, 0xC0C0C0}, {1, 0xFF0000}, {11, 0xBF0000}, {20, 0x880000}, {21, 0x880000}}},
      {"main hot", &kMainWindowButtonColours, false, true, true, false, 73, 22, {{0, 0xC0C0C0}, {1, 0x800000}, {21, 0x080000}}},
      {"main pressed", &kMainWindowButtonColours, false, true, true, true, 73, 22,
       {{0, 0xC0C0C0}, {1, 0xD2D3D8}, {20, 0xD2D3D8}, {21, 0xC0C0C0}}},
      {"main disabled keeps the normal face", &kMainWindowButtonColours, false, false, true, true, 73, 22,
       {{1, 0xFF0000}, {21, 0x880000}}},
      {"progress normal", &kProgressWindowButtonColours, true, true, false, false, 114, 26, {{1, 0xFF0000}, {25, 0x100000}}},
      {"progress hot", &kProgressWindowButtonColours, true, true, true, false, 114, 26, {{1, 0xFF0000}, {25, 0xEA8301}}},
      {"progress pressed", &kProgressWindowButtonColours, true, true, true, true, 114, 26, {{1, 0xE98C01}, {25, 0xFE0900}}},
  };
  for (const auto& c : cases) {
    Host host;
    host.button.SetColours(*c.colours);
    host.button.SetRounded(c.rounded);
    host.button.SetSize(c.w, c.h);
    if (c.hot) host.Move(101, 51);
    if (c.pressed) host.Down(101, 51);
    host.button.SetEnabled(c.enabled);
    const RgbImage img = Render(*host.form);
    for (const auto& [y, colour] : c.columnX2) EXPECT_EQ(img.Pixel(100 + 2, 50 + y), colour) << c.what << " row " << y;
    // The face never moves: the left margin column stays the form's colour.
    EXPECT_EQ(img.Pixel(100, 50 + c.h / 2), 0xC0C0C0u) << c.what;
  }
}

TEST(AdvToolButton, OutlinesWhenABorderColourIsSet) {
  Host host;
  ToolButtonColours bordered = kProgressWindowButtonColours;
  bordered.BorderColor = clYellow;
  host.button.SetColours(bordered);
  host.button.SetRounded(true);
  RgbImage img = Render(*host.form);
  // Rounded: the corner is cut (the form shows), the edges are yellow.
  EXPECT_EQ(img.Pixel(100, 50), 0xC0C0C0u);
  EXPECT_EQ(img.Pixel(136, 50), 0xFFFF00u);
  EXPECT_EQ(img.Pixel(100, 61), 0xFFFF00u);
  EXPECT_EQ(img.Pixel(172, 61), 0xFFFF00u);
  // Square: a rectangle outline around the bands, one pixel in, corners included.
  host.button.SetRounded(false);
  img = Render(*host.form);
  EXPECT_EQ(img.Pixel(100, 50), 0xC0C0C0u);
  EXPECT_EQ(img.Pixel(101, 51), 0xFFFF00u);
  EXPECT_EQ(img.Pixel(171, 70), 0xFFFF00u);
  EXPECT_EQ(img.Pixel(102, 52), 0xEF0000u);  // band 1 of red to black
}

// Which of the given colours occur in the button's caption area.
std::pair<bool, bool> CaptionHas(const RgbImage& img, uint32_t a, uint32_t b) {
  bool hasA = false, hasB = false;
  for (int y = 52; y < 70; ++y)
    for (int x = 110; x < 163; ++x) {
      hasA |= img.Pixel(x, y) == a;
      hasB |= img.Pixel(x, y) == b;
    }
  return {hasA, hasB};
}

TEST(AdvToolButton, DisabledCaptionIsEmbossedInTheSystemGreys) {
  Host host;
  const uint32_t shadow = SysHex(COLOR_BTNSHADOW);
  const uint32_t highlight = SysHex(COLOR_BTNHIGHLIGHT);
  auto [shadowShown, whiteShown] = CaptionHas(Render(*host.form), shadow, 0xFFFFFF);
  EXPECT_FALSE(shadowShown);
  EXPECT_TRUE(whiteShown);
  host.button.SetEnabled(false);
  auto [disabledShadow, disabledHighlight] = CaptionHas(Render(*host.form), shadow, highlight);
  EXPECT_TRUE(disabledShadow);
  EXPECT_TRUE(disabledHighlight);
}

TEST(AdvToolButton, ClickAndItsLooksAlongTheWay) {
  Host host;
  host.Move(136, 61);
  EXPECT_TRUE(host.button.Hot());
  EXPECT_EQ(host.button.Visual(), ToolButtonVisual::Hot);
  host.Down(136, 61);
  EXPECT_EQ(host.button.Visual(), ToolButtonVisual::Down);
  EXPECT_EQ(host.form->CaptureControl(), &host.button);
  EXPECT_EQ(::GetCapture(), host.form->Handle());
  host.Up(136, 61);
  EXPECT_EQ(host.clicks, 1);
  EXPECT_EQ(::GetCapture(), nullptr);
  // Released under the mouse: hot again, not pressed.
  EXPECT_TRUE(host.button.Hot());
  EXPECT_FALSE(host.button.Down());
}

// The keyboard: focus in reading order, its cue, and what Enter, Space and Escape press.
TEST(AdvToolButton, KeyboardFocusItsCueAndTheKeys) {
  Host host;
  Form& form = *host.form;
  const auto key = [&](WPARAM vk) {
    const MSG msg{form.Handle(), WM_KEYDOWN, vk, 0, 0, {}};
    return form.TranslateKey(msg);
  };
  const RgbImage unfocused = Render(form);
  ::SetFocus(form.Handle());
  form.FocusControl(&host.button);
  ASSERT_TRUE(host.button.Focused());
  const RgbImage focused = Render(form);
  // A dotted rectangle inside the face: pixels change only 3 or more pixels inside the button.
  int changed = 0;
  for (int y = 0; y < focused.height; ++y)
    for (int x = 0; x < focused.width; ++x)
      if (focused.Pixel(x, y) != unfocused.Pixel(x, y)) {
        ++changed;
        EXPECT_TRUE(x >= 103 && x < 170 && y >= 53 && y < 69) << x << "," << y;
      }
  EXPECT_GT(changed, 40);

  form.SetDefaultControl(&host.other);
  form.SetEscapeControl(&host.other);
  EXPECT_TRUE(key(VK_RETURN));  // the focused button, not the default
  EXPECT_TRUE(key(VK_SPACE));
  EXPECT_EQ(host.clicks, 2);
  EXPECT_TRUE(key(VK_TAB));  // on to the next in reading order
  EXPECT_TRUE(host.other.Focused());
  EXPECT_FALSE(host.button.Focused());
  EXPECT_TRUE(key(VK_TAB));  // and round
  EXPECT_TRUE(host.button.Focused());
  EXPECT_TRUE(key(VK_ESCAPE));
  EXPECT_EQ(host.otherClicks, 1);
  form.FocusControl(nullptr);
  EXPECT_TRUE(key(VK_RETURN));  // no button has the focus: the default
  EXPECT_EQ(host.otherClicks, 2);
  EXPECT_EQ(Render(form).Pixel(110, 60), unfocused.Pixel(110, 60));
}

struct PressCase {
  const char* what;
  std::vector<std::pair<int, int>> movesWhilePressed;  // relative to the button
  std::pair<int, int> release;                          // relative to the button
  int clicks;
  bool hotAfter;
};

TEST(AdvToolButton, PressMoveAndReleaseRules) {
  const PressCase cases[] = {
      {"release inside", {}, {36, 11}, 1, true},
      {"release on the bottom row (y = height)", {}, {36, 22}, 1, false},
      {"release one row lower", {}, {36, 23}, 0, false},
      {"release on the right edge (x = width)", {}, {73, 11}, 0, false},
      {"release on the last column", {}, {72, 11}, 1, true},
      {"moved out and released outside", {{200, 11}}, {200, 11}, 0, false},
      {"moved out and back in", {{-50, 11}, {10, 10}}, {10, 10}, 1, true},
      {"released above", {{36, -1}}, {36, -1}, 0, false},
  };
  for (const auto& c : cases) {
    Host host;
    host.Move(136, 61);
    host.Down(136, 61);
    for (const auto& [x, y] : c.movesWhilePressed) {
      host.Move(100 + x, 50 + y);
      EXPECT_EQ(host.button.Down(), InsidePressArea(x, y, 73, 22)) << c.what;
    }
    host.Up(100 + c.release.first, 50 + c.release.second);
    EXPECT_EQ(host.clicks, c.clicks) << c.what;
    EXPECT_EQ(host.otherClicks, 0) << c.what;
    EXPECT_FALSE(host.button.Down()) << c.what;
    EXPECT_FALSE(host.button.Dragging()) << c.what;
    EXPECT_EQ(host.button.Hot(), c.hotAfter) << c.what;
    if (!c.hotAfter) {
      EXPECT_EQ(host.button.Visual(), ToolButtonVisual::Normal) << c.what;
    }
  }
}

TEST(AdvToolButton, PressedThenReleasedOverAnotherButtonClicksNeither) {
  Host host;
  host.Move(136, 61);
  host.Down(136, 61);
  host.Move(236, 61);
  EXPECT_FALSE(host.other.Hot());  // the pressed button holds the mouse
  host.Up(236, 61);
  EXPECT_EQ(host.clicks, 0);
  EXPECT_EQ(host.otherClicks, 0);
  EXPECT_FALSE(host.button.Hot());
  EXPECT_TRUE(host.other.Hot());
}

TEST(AdvToolButton, DisabledButtonIgnoresTheMouse) {
  Host host;
  host.button.SetEnabled(false);
  host.Move(136, 61);
  host.Down(136, 61);
  host.Up(136, 61);
  EXPECT_EQ(host.clicks, 0);
  EXPECT_FALSE(host.button.Hot());
  EXPECT_FALSE(host.button.Down());
  EXPECT_EQ(host.form->CaptureControl(), nullptr);
  // Enabled again under the resting mouse: hot at once.
  host.button.SetEnabled(true);
  EXPECT_TRUE(host.button.Hot());
  host.Down(136, 61);
  host.Up(136, 61);
  EXPECT_EQ(host.clicks, 1);
}

// Enabling looks at where the mouse is now: over the button, over another one, or gone from
// the window.
TEST(AdvToolButton, EnablingTakesTheHotLookOnlyUnderTheMouse) {
  struct Case {
    const char* what;
    std::function<void(Host&)> mouse;
    bool hot;
  };
  const Case cases[] = {
      {"resting on it", [](Host& h) { h.Move(136, 61); }, true},
      {"on the other button", [](Host& h) { h.Move(236, 61); }, false},
      {"left the window from it",
       [](Host& h) {
         h.Move(136, 61);
         ::SendMessageA(h.form->Handle(), WM_MOUSELEAVE, 0, 0);
       },
       false},
  };
  for (const auto& c : cases) {
    Host host;
    host.button.SetEnabled(false);
    c.mouse(host);
    host.button.SetEnabled(true);
    EXPECT_EQ(host.button.Hot(), c.hot) << c.what;
    // Whatever it became, it loses the hot look when the mouse goes elsewhere.
    host.Move(10, 10);
    EXPECT_FALSE(host.button.Hot()) << c.what;
    EXPECT_EQ(host.button.Visual(), ToolButtonVisual::Normal) << c.what;
  }
}

TEST(AdvToolButton, DisablingWhilePressedAbandonsThePress) {
  Host host;
  host.Move(136, 61);
  host.Down(136, 61);
  host.button.SetEnabled(false);
  EXPECT_FALSE(host.button.Dragging());
  EXPECT_EQ(::GetCapture(), nullptr);
  host.Up(136, 61);
  EXPECT_EQ(host.clicks, 0);
}

TEST(AdvToolButton, LosingTheCaptureAbandonsThePress) {
  Host host;
  host.Move(136, 61);
  host.Down(136, 61);
  ::SendMessageA(host.form->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(host.button.Down());
  EXPECT_FALSE(host.button.Dragging());
  host.Up(136, 61);
  EXPECT_EQ(host.clicks, 0);
}

TEST(AdvToolButton, HandlerMayReplaceItselfWhileItRuns) {
  Host host;
  std::vector<std::string> calls;
  TAdvToolButton::ClickHandler resume;
  TAdvToolButton::ClickHandler pause = [&](TAdvToolButton& b) {
    b.SetOnClick(resume);
    b.SetCaption("Resume");
    calls.push_back("pause");
  };
  resume = [&](TAdvToolButton& b) {
    b.SetOnClick(pause);
    b.SetCaption("Pause");
    calls.push_back("resume");
  };
  host.button.SetOnClick(pause);
  for (int i = 0; i < 3; ++i) {
    host.Down(136, 61);
    host.Up(136, 61);
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"pause", "resume", "pause"}));
  EXPECT_EQ(host.button.Caption(), "Resume");
}

// The pause pattern: the first click waits in a nested message loop until a second click on
// the same button, dispatched by that loop, ends the wait.
TEST(AdvToolButton, ClickInsideTheNestedLoopOfAnEarlierClick) {
  Host host;
  bool paused = false;
  int depth = 0, deepest = 0;
  host.button.SetOnClick([&](TAdvToolButton&) {
    deepest = std::max(deepest, ++depth);
    if (!paused) {
      paused = true;
      const LPARAM at = MAKELPARAM(136, 61);
      ::PostMessageA(host.form->Handle(), WM_MOUSEMOVE, 0, at);
      ::PostMessageA(host.form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
      ::PostMessageA(host.form->Handle(), WM_LBUTTONUP, 0, at);
      MSG msg;
      while (paused && ::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    } else {
      paused = false;
    }
    --depth;
  });
  host.Move(136, 61);
  host.Down(136, 61);
  host.Up(136, 61);
  EXPECT_FALSE(paused);
  EXPECT_EQ(deepest, 2);
  EXPECT_FALSE(host.button.Dragging());
  EXPECT_FALSE(host.button.Down());
  EXPECT_TRUE(host.button.Hot());
  EXPECT_EQ(host.form->CaptureControl(), nullptr);
}

TEST(AdvToolButton, ButtonOnAPanelTakesThePanelFontAndPosition) {
  auto form = MakeHostForm(457, 180);
  auto& strip = form->Add(std::make_unique<TAdvPanel>(
      "AdvPanel2", Rect{0, 0, 457, 41},
      TAdvPanel::Props{.Align = TAlign::alBottom, .Color = clRed, .ColorTo = clMaroon, .Font = kProgressPanelFont}));
  int clicks = 0;
  auto& pause = strip.Add(std::make_unique<TAdvToolButton>(
      "btnPause", Rect{54, 6, 168, 32},
      TAdvToolButton::Props{.Caption = "Pause", .Colours = kProgressWindowButtonColours, .Rounded = true,
                            .OnClick = [&](TAdvToolButton&) { ++clicks; }}));
  EXPECT_EQ(strip.Bounds(), (Rect{0, 139, 457, 180}));
  EXPECT_EQ(pause.Font(), kProgressPanelFont);
  EXPECT_EQ(pause.BoundsInForm(), (Rect{54, 145, 168, 171}));
  ::ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  SendMouse(*form, WM_MOUSEMOVE, 60, 150);
  SendMouse(*form, WM_LBUTTONDOWN, 60, 150);
  SendMouse(*form, WM_LBUTTONUP, 60, 150);
  EXPECT_EQ(clicks, 1);
  // The panel itself does not take the mouse.
  SendMouse(*form, WM_LBUTTONDOWN, 10, 150);
  EXPECT_EQ(form->CaptureControl(), nullptr);
}

}  // namespace
