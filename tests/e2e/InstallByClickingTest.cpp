// The whole product as a person uses it: start the installer on a clean machine, click NEXT
// and Install, OK in the progress window's end state and OK on the closing report; then look at
// what it left. Also the folder checks of the install click.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include "common/Capture.h"
#include "common/ReaderListener.h"
#include "common/ScratchFolder.h"
#include "e2e/Harness.h"
#include "support/base/Paths.h"
#include "support/fs/Folders.h"
#include "support/win/UniqueHandle.h"

namespace {

constexpr char kMainCaption[] = "Corvane Quillon Installer";
constexpr char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}";

// A left click at client coordinates of `window` given at 96 DPI (where the window's scale puts
// them), through the system's input queue as a mouse would make it.
void ClickAt(HWND window, int x, int y) {
  const int dpi = WindowDpi(window);
  POINT p{::MulDiv(x, dpi, 96), ::MulDiv(y, dpi, 96)};
  ::ClientToScreen(window, &p);
  ::SetForegroundWindow(window);
  const int w = ::GetSystemMetrics(SM_CXSCREEN) - 1, h = ::GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT input[3] = {};
  for (auto& i : input) {
    i.type = INPUT_MOUSE;
    i.mi.dx = p.x * 65535 / w;
    i.mi.dy = p.y * 65535 / h;
  }
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input[0], sizeof(INPUT));
  ::Sleep(50);
  ::SendInput(2, &input[1], sizeof(INPUT));
  ::Sleep(100);
}

HWND ChildButton(HWND dialog, const std::string& caption) {
  for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
    if (WindowCaption(c) == caption) return c;
  return nullptr;
}

// The text of the message dialog titled `title`, pressing its button `button`.
bool Answer(const InstallerProcess& installer, const std::string& title, const std::string& button, DWORD timeoutMs) {
  HWND dialog = installer.WaitForWindow(title, timeoutMs);
  if (!dialog) return false;
  ::Sleep(200);
  HWND b = ChildButton(dialog, button);
  if (!b) return false;
  ::PostMessageA(b, BM_CLICK, 0, 0);
  return true;
}

// The caption of a dialog without a title: the installer's name without its extension.
std::string DefaultCaption() { return "qlx355"; }

void CleanMachine(const std::string& folder) {
  // A program that just ended may still hold the folder for a moment.
  for (int i = 0; i < 50 && ::GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) {
    RemoveTree(folder);
    ::Sleep(100);
  }
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
  ::DeleteFileA((AddTrailingBackslash(SpecialFolderPath(0)) + "qlx.lnk").c_str());
}

// The run log's messages from "InstallProgram.started" on, without time and heap fields and
// without the lines only an unattended run writes.
std::vector<std::string> RunMessages(const std::string& log) {
  std::vector<std::string> messages;
  bool started = false;
  for (const std::string& line : CrLfLines(log)) {
    const auto first = line.find(' ');
    const auto second = first == std::string::npos ? first : line.find(' ', first + 1);
    const auto mem = line.rfind("[Mem: ");
    if (second == std::string::npos || mem == std::string::npos || mem < second) continue;
    const std::string message = line.substr(second + 1, mem - second - 1);
    started = started || message == "InstallProgram.started";
    if (!started || message.rfind("Report: ", 0) == 0 || message.rfind("Exit code ", 0) == 0) continue;
    messages.push_back(message);
  }
  return messages;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  for (const auto& i : list)
    if (i == item) return true;
  return false;
}

// The installer started on a machine without an installation in `folder`, with its main
// window (nullptr when none came).
struct Started {
  InstallerProcess installer;
  HWND main;
};
Started StartOnCleanMachine(const std::string& folder, const std::string& installer = InstallerPath()) {
  CleanMachine(folder);
  Started started{InstallerProcess::Start(installer), nullptr};
  started.main = started.installer.WaitForWindow(kMainCaption, 20000);
  ::Sleep(300);
  return started;
}

TEST(InstallByClicking, NextInstallOkInstallsTheProduct) {
  const std::string folder = "c:\\zt\\";
  auto [installer, main] = StartOnCleanMachine(folder);
  ASSERT_NE(main, nullptr);
  SaveScreenshot(main, "main-window-welcome");
  HWND progress = nullptr;
  // A click that lands before the window takes input is made again, as a person would.
  for (int attempt = 0; attempt < 3 && !progress; ++attempt) {
    ClickAt(main, 541, 347);  // NEXT
    ::Sleep(300);
    if (attempt == 0) SaveScreenshot(main, "main-window-install-page");
    ClickAt(main, 596, 356);  // Install
    progress = installer.WaitForWindow("Installation Progress", 10000);
  }
  ASSERT_NE(progress, nullptr) << "no progress window";
  // OK shows in the end state, where the strip was empty before.
  HWND report = nullptr;
  for (int i = 0; i < 300 && !report; ++i) {
    if (::IsWindowVisible(progress)) ClickAt(progress, 228, 158);
    report = ::FindWindowA("TAdvMessageForm", "Quillon");
    ::Sleep(100);
  }
  ASSERT_NE(report, nullptr) << "no closing report";
  SaveScreenshot(report, "closing-report");
  ASSERT_TRUE(Answer(installer, "Quillon", "OK", 5000));
  ASSERT_TRUE(installer.WaitForExit(20000));
  EXPECT_EQ(installer.ExitCode(), 0u);

  const std::vector<std::string> files = FilesBelow(folder);
  BOOL wow64 = FALSE;
  ::IsWow64Process(::GetCurrentProcess(), &wow64);
  // The sample payload's 31 files, the DOSBox files on 64-bit Windows, and the record.
  EXPECT_EQ(files.size(), wow64 ? 35u : 32u);
  for (const char* f : {"qlx.exe", "qlx.ico", "unins.exe", "quon.exe", "unins5100.dat"})
    EXPECT_TRUE(Contains(files, f)) << f;
  EXPECT_EQ(Contains(files, "dosbox\\dosbox.exe"), wow64 != FALSE);
  const std::string record = ReadWholeFile(folder + "unins5100.dat");
  EXPECT_NE(record.find("Install_Dir=c:\\zt\r\n"), std::string::npos) << record;
  EXPECT_NE(record.find("Shortcuts=qlx.lnk"), std::string::npos) << record;

  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  const auto value = [&](const char* name) {
    char text[512] = {};
    DWORD size = sizeof text - 1;
    return ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS
               ? std::string(text, strnlen(text, size))
               : std::string("(none)");
  };
  EXPECT_EQ(value("UnInstallString"), "c:\\zt\\unins.exe c:\\zt\\unins5100.dat");
  EXPECT_EQ(value("QuietUninstallString"), "c:\\zt\\unins.exe c:\\zt\\unins5100.dat /VERYSILENT");
  EXPECT_EQ(value("DisplayIcon"), "c:\\zt\\qlx.ico");
  EXPECT_EQ(value("InstallLocation"), "c:\\zt\\");
  EXPECT_EQ(value("DisplayVersion") + " " + value("Publisher"), "3.55.0.0 Corvane");
  // The size of the files written, the record aside, in KiB.
  std::uint64_t bytes = 0;
  for (const std::string& f : files) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (f != "unins5100.dat" && ::GetFileAttributesExA((folder + f).c_str(), GetFileExInfoStandard, &data))
      bytes += data.nFileSizeLow;
  }
  DWORD kib = 0, kibSize = sizeof kib;
  ::RegQueryValueExA(key, "EstimatedSize", nullptr, nullptr, reinterpret_cast<BYTE*>(&kib), &kibSize);
  EXPECT_EQ(kib, (bytes + 1023) / 1024);
  ::RegCloseKey(key);
  EXPECT_NE(::GetFileAttributesA((AddTrailingBackslash(SpecialFolderPath(0)) + "qlx.lnk").c_str()),
            INVALID_FILE_ATTRIBUTES);

  const std::string log = ReadWholeFile(CommonDocumentsFolder() + "corvane\\qlx355.log");
  for (const char* line : {"FormCreate: start", "Default Install to Dir set to c:\\zt (Exists=false).",
                           "BtnSetupClick.started", "BtnInstallClick.started", "BtnInstallClick.InstallProgram",
                           "InstallProgram.started", "InstallProgram.File saved c:\\zt\\qlx.exe"})
    EXPECT_NE(log.find(line), std::string::npos) << line;

  // A very silent install leaves the same: files, record, entry, links and the run's log lines.
  const std::vector<std::string> clickedMessages = RunMessages(log);
  CleanMachine(folder);
  auto unattended = InstallerProcess::Start(InstallerPath(), "/verysilent");
  ASSERT_TRUE(unattended.WaitForExit(60000));
  EXPECT_EQ(unattended.ExitCode(), 0u);
  EXPECT_EQ(FilesBelow(folder), files);
  EXPECT_EQ(ReadWholeFile(folder + "unins5100.dat"), record);
  EXPECT_NE(::GetFileAttributesA((AddTrailingBackslash(SpecialFolderPath(0)) + "qlx.lnk").c_str()),
            INVALID_FILE_ATTRIBUTES);
  const std::vector<std::string> unattendedMessages = RunMessages(ReadWholeFile(CommonDocumentsFolder() + "corvane\\qlx355.log"));
  EXPECT_EQ(unattendedMessages, clickedMessages);

  // Started again over the installed copy: the same version is already there; Cancel ends
  // the program before anything is done.
  auto again = InstallerProcess::Start(InstallerPath());
  HWND question = again.WaitForWindow("Information", 20000);
  ASSERT_NE(question, nullptr) << "no version question";
  SaveScreenshot(question, "version-question");
  // By the keyboard: Tab from the default Yes to Cancel; Enter presses the focused Cancel.
  PressKeys(question, {VK_TAB, VK_RETURN});
  ASSERT_TRUE(again.WaitForExit(20000));
  EXPECT_EQ(again.ExitCode(), 0u);
  const std::string secondLog = ReadWholeFile(CommonDocumentsFolder() + "corvane\\qlx355.log");
  EXPECT_NE(secondLog.find("formCreate: Install Cancelled"), std::string::npos) << secondLog;
  EXPECT_EQ(secondLog.find("InstallProgram.started"), std::string::npos);
  CleanMachine(folder);
}

// The client area's children as a screen reader reads them from another process: "name
// (role)", the role as its number.
std::vector<std::string> AccessibleChildren(HWND window) {
  std::vector<std::string> children;
  IAccessible* client = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&client))) ||
      !client)
    return children;
  long count = 0;
  client->get_accChildCount(&count);
  for (long i = 1; i <= count; ++i) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = i;
    BSTR name = nullptr;
    VARIANT role{};
    client->get_accName(child, &name);
    client->get_accRole(child, &role);
    char text[256] = {};
    if (name) ::WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
    ::SysFreeString(name);
    children.push_back(std::string(text) + " (" + std::to_string(role.vt == VT_I4 ? role.lVal : -1) + ")");
  }
  client->Release();
  return children;
}

bool Has(const std::vector<std::string>& children, const std::string& name, long role) {
  return Contains(children, name + " (" + std::to_string(role) + ")");
}

TEST(InstallByClicking, TheKeyboardAloneInstalls) {
  ::CoInitialize(nullptr);
  const std::string folder = "c:\\zt\\";
  // The run waits at its first file, its progress window answering, until the reader below has
  // read it.
  const UniqueKernelHandle held(::CreateEventA(nullptr, TRUE, FALSE, "qlx-test-held"));
  const UniqueKernelHandle release(::CreateEventA(nullptr, TRUE, FALSE, "qlx-test-release"));
  ::SetEnvironmentVariableA("QLX_HOLD_AT", "1:InstallProgram.file: ");
  ReaderListener reader(0);
  auto [installer, main] = StartOnCleanMachine(folder, ToWindowsPath(QLX_STOPPING_INSTALLER_PATH));
  ::SetEnvironmentVariableA("QLX_HOLD_AT", nullptr);
  ASSERT_NE(main, nullptr);
  // A screen reader names the drawn buttons and texts of each page.
  const std::vector<std::string> welcome = AccessibleChildren(main);
  EXPECT_TRUE(Has(welcome, "NEXT", ROLE_SYSTEM_PUSHBUTTON) && Has(welcome, "Cancel", ROLE_SYSTEM_PUSHBUTTON) &&
              Has(welcome, "This will install Corvane Quillon", ROLE_SYSTEM_STATICTEXT))
      << ::testing::PrintToString(welcome);
  // The reader hears the focused button when the window shows, and each Tab.
  EXPECT_TRUE(reader.Until("focus NEXT")) << ::testing::PrintToString(reader.HeardSoFar());
  // NEXT has the focus: Tab to Cancel and on round to NEXT, then Space presses it. On the
  // install page the focus is in the folder field and Enter presses Install.
  PressKeys(main, {VK_TAB, VK_TAB, VK_SPACE});
  // The page switch, and the field by the label drawn beside it.
  for (const char* heard : {"focus Cancel", "reorder", "focus Install Folder:"})
    EXPECT_TRUE(reader.Until(heard)) << heard << ": " << ::testing::PrintToString(reader.HeardSoFar());
  const std::vector<std::string> installPage = AccessibleChildren(main);
  EXPECT_TRUE(Has(installPage, "Install", ROLE_SYSTEM_PUSHBUTTON) && Has(installPage, "Browse", ROLE_SYSTEM_PUSHBUTTON) &&
              std::any_of(installPage.begin(), installPage.end(),
                          [](const std::string& c) { return c.find("(42)") != std::string::npos; }))
      << ::testing::PrintToString(installPage);
  PressKeys(main, {VK_RETURN});
  HWND progress = installer.WaitForWindow("Installation Progress", 20000);
  ASSERT_NE(progress, nullptr) << "no progress window";
  ASSERT_EQ(::WaitForSingleObject(held.get(), 120000), WAIT_OBJECT_0);
  const std::vector<std::string> running = AccessibleChildren(progress);
  EXPECT_TRUE(Has(running, "Installation Progress", ROLE_SYSTEM_PROGRESSBAR) && Has(running, "Pause", ROLE_SYSTEM_PUSHBUTTON))
      << ::testing::PrintToString(running);
  EXPECT_TRUE(reader.Until("focus Pause")) << ::testing::PrintToString(reader.HeardSoFar());
  ::SetEvent(release.get());
  // The end: the caption change, and the outcome read with the button that has the focus (its
  // child id the same while the labels above it hide).
  for (const char* heard : {"name OK", "focus OK: Installation Successful.", "value 100%"})
    EXPECT_TRUE(reader.Until(heard)) << heard << ": " << ::testing::PrintToString(reader.HeardSoFar());
  // OK has the focus in the end state; Space presses it.
  SaveScreenshot(progress, "progress-end-focused-ok");
  PressKeys(progress, {VK_SPACE});
  HWND report = installer.WaitForWindow("Quillon", 20000);
  ASSERT_NE(report, nullptr) << "no closing report";
  PressKeys(report, {VK_RETURN});
  ASSERT_TRUE(installer.WaitForExit(20000));
  EXPECT_EQ(installer.ExitCode(), 0u);
  EXPECT_TRUE(::GetFileAttributesA((folder + "qlx.exe").c_str()) != INVALID_FILE_ATTRIBUTES);
  const std::string log = ReadWholeFile(CommonDocumentsFolder() + "corvane\\qlx355.log");
  EXPECT_NE(log.find("BtnInstallClick.InstallProgram"), std::string::npos);
  CleanMachine(folder);
  ::CoUninitialize();
}

// The install click refuses protected folders (also in their other spellings) with the
// message, and the field is reset; after OK the window is still there to try again.
TEST(InstallByClicking, ProtectedFoldersAreRefused) {
  // Wine's short names differ from Windows': ask for the alias of the Program Files folder.
  char shortName[MAX_PATH] = {};
  ASSERT_GT(::GetShortPathNameA(ProgramFilesFolder().c_str(), shortName, MAX_PATH), 0u);
  const std::string programFiles = ProgramFilesFolder();
  const std::string dirs[] = {"c:\\windows", std::string(shortName) + "\\x",
                              "c:\\windows\\..\\" + NamePart(programFiles) + "\\x", "d:\\windows\\games",
                              programFiles + "\\x"};
  for (const std::string& dir : dirs) {
    auto installer = InstallerProcess::Start(InstallerPath(), "\"/dir=" + dir + "\"");
    HWND main = installer.WaitForWindow(kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    ::Sleep(300);
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < 3 && !dialog; ++attempt) {
      ClickAt(main, 541, 347);  // NEXT (on the install page the place is empty)
      ::Sleep(200);
      ClickAt(main, 596, 356);  // Install
      dialog = installer.WaitForWindow(DefaultCaption(), 5000);
    }
    ASSERT_NE(dialog, nullptr) << dir;
    EXPECT_TRUE(Answer(installer, DefaultCaption(), "OK", 5000)) << dir;
    ::Sleep(200);
    EXPECT_TRUE(::IsWindowVisible(main)) << dir;
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(installer.WaitForExit(10000)) << dir;
    const std::string log = ReadWholeFile(CommonDocumentsFolder() + "corvane\\qlx355.log");
    EXPECT_NE(log.find("BtnInstallClick. Cancelled - bad install directory."), std::string::npos) << dir;
    EXPECT_EQ(log.find("InstallProgram.started"), std::string::npos) << dir;
  }
}

}  // namespace
