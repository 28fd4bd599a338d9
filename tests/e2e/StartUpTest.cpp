// The real installer, started under Wine: one main window, one copy at a time, exit code 0.
#include <gtest/gtest.h>

#include "e2e/Harness.h"

namespace {

constexpr char kCaption[] = "Corvane Quillon Installer";

TEST(StartUp, MainWindowHasItsFrameAndCaption) {
  auto installer = InstallerProcess::Start(InstallerPath());
  HWND main = installer.WaitForWindow(kCaption, 20000);
  ASSERT_NE(main, nullptr) << "no main window";

  const SIZE client = ClientSize(main);
  EXPECT_EQ(client.cx, 682);
  EXPECT_EQ(client.cy, 400);
  const LONG style = ::GetWindowLongA(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  // The main window carries the taskbar button: it has no owner.
  EXPECT_EQ(::GetWindow(main, GW_OWNER), nullptr);

  RECT frame{};
  ::GetWindowRect(main, &frame);
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((frame.left + frame.right) / 2, screenW / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, screenH / 2, 1);

  SaveScreenshot(main, "startup-main-window");
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(installer.WaitForExit(10000));
  EXPECT_EQ(installer.ExitCode(), 0u);
}

// Starts a copy that must not run: it ends within a few seconds, shows no window, exits with 0.
void ExpectSilentEnd(const char* what) {
  auto copy = InstallerProcess::Start(InstallerPath(), "/log");
  bool sawWindow = false;
  const DWORD start = ::GetTickCount();
  while (!copy.WaitForExit(20) && ::GetTickCount() - start < 5000)
    sawWindow = sawWindow || !copy.VisibleWindows().empty();
  ASSERT_TRUE(copy.WaitForExit(0)) << what << ": still running after 5 s";
  EXPECT_FALSE(sawWindow) << what;
  EXPECT_EQ(copy.ExitCode(), 0u) << what;
}

TEST(StartUp, SecondCopyEndsSilentlyWhileTheFirstRuns) {
  auto first = InstallerProcess::Start(InstallerPath());
  HWND main = first.WaitForWindow(kCaption, 20000);
  ASSERT_NE(main, nullptr);

  ExpectSilentEnd("second copy");

  // The first copy is untouched by the attempt and still ends normally.
  EXPECT_TRUE(::IsWindowVisible(main));
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.WaitForExit(10000));
  EXPECT_EQ(first.ExitCode(), 0u);
}

TEST(StartUp, GuardThatCannotBeMadeEndsSilently) {
  // Another kind of object holding the guard's name makes the mutex creation fail (null handle).
  const UniqueKernelHandle squatter(::CreateEventA(nullptr, TRUE, FALSE, "Corvane_Quillon_Start_Program"));
  ASSERT_TRUE(squatter);
  ExpectSilentEnd("no guard");
}

TEST(StartUp, QuitMessageEndsTheLoopWithExitCodeZero) {
  auto installer = InstallerProcess::Start(InstallerPath());
  HWND main = installer.WaitForWindow(kCaption, 20000);
  ASSERT_NE(main, nullptr);
  const DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
  // The value a quit message carries is not the exit code.
  ASSERT_TRUE(::PostThreadMessageA(thread, WM_QUIT, 7, 0));
  ASSERT_TRUE(installer.WaitForExit(10000));
  EXPECT_EQ(installer.ExitCode(), 0u);
}

TEST(StartUp, AfterTheFirstCopyEndsANewOneStarts) {
  for (int run = 0; run < 2; ++run) {
    auto installer = InstallerProcess::Start(InstallerPath());
    HWND main = installer.WaitForWindow(kCaption, 20000);
    ASSERT_NE(main, nullptr) << "run " << run;
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(installer.WaitForExit(10000));
  }
}

}  // namespace
