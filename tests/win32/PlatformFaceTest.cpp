// The platform face. A program whose manifest asks for version 6 of the common controls gets
// the side-by-side library when it loads it by name; Wine's copy still calls itself 5.81, so
// here the face choice is checked on its inputs and the platform dialog is called directly.
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "ui/CustomAdvTaskDialog.h"

namespace {

HWND g_seen = nullptr;

void CALLBACK CloseTaskDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = ::FindWindowA(nullptr, "Information");
  if (!dialog) return;
  g_seen = dialog;
  ::KillTimer(nullptr, timer);
  ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(PlatformFace, ChosenOnlyWhereSystemAndCommonControlsAreVersionSix) {
  EXPECT_TRUE(ChoosePlatformFace(6, 6, false));
  EXPECT_TRUE(ChoosePlatformFace(10, 6, false));
  EXPECT_FALSE(ChoosePlatformFace(6, 5, false));
  EXPECT_FALSE(ChoosePlatformFace(5, 6, false));
  EXPECT_FALSE(ChoosePlatformFace(6, 6, true));
}

TEST(PlatformFace, TheManifestGivesTheSideBySideLibrary) {
  HMODULE module = ::LoadLibraryA("comctl32.dll");
  ASSERT_NE(module, nullptr);
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(module, path, MAX_PATH);
  EXPECT_NE(std::string(path).find("winsxs"), std::string::npos) << path;
  ::FreeLibrary(module);
}

TEST(PlatformFace, ThePlatformDialogEndsWithThePressedButton) {
  TCustomAdvTaskDialog dialog;
  dialog.Title = "Information";
  dialog.Instruction = "Platform face\\nsecond line";
  dialog.CommonButtons = cbYes | cbCancel;
  dialog.Icon = TTaskDialogIcon::tiInformation;
  dialog.AllowCancellation = true;
  ::SetTimer(nullptr, 0, 50, &CloseTaskDialog);
  EXPECT_EQ(dialog.ExecutePlatformFace(), IDCANCEL);
  EXPECT_NE(g_seen, nullptr);
}

}  // namespace
