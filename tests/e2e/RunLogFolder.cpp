#include "e2e/RunLogFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "e2e/Harness.h"

std::string RunLogFolder() {
  char documents[MAX_PATH + 1] = {};
  ::SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, documents);
  return std::string(documents) + "\\corvane\\";
}

void StartAndClose(const std::string& exePath) {
  auto installer = InstallerProcess::Start(exePath);
  HWND main = installer.WaitForWindow("Corvane Quillon Installer", 20000);
  ASSERT_NE(main, nullptr) << "no main window";
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(installer.WaitForExit(10000));
  EXPECT_EQ(installer.ExitCode(), 0u);
}
