// Unattended installs end to end: which windows show, and every exit code the machine can be
// made to give here.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "common/ScratchFolder.h"
#include "e2e/Harness.h"
#include "support/fs/Folders.h"
#include "support/win/UniqueHandle.h"

namespace {

bool FileIsPresentForTest(const std::string& path) {
  const DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string RunLog() { return ReadWholeFile(CommonDocumentsFolder() + "corvane\\qlx355.log"); }

std::string LastLine(const std::string& log) {
  const auto lines = CrLfLines(log);
  return lines.empty() ? std::string() : lines.back();
}

// Waits for the end, watching the process's windows meanwhile; returns their captions.
std::vector<std::string> WatchUntilExit(const InstallerProcess& p, DWORD timeoutMs) {
  std::vector<std::string> seen;
  const DWORD start = ::GetTickCount();
  while (!p.WaitForExit(20) && ::GetTickCount() - start < timeoutMs)
    for (HWND w : p.VisibleWindows()) {
      const std::string caption = WindowCaption(w);
      bool known = false;
      for (const auto& s : seen) known = known || s == caption;
      if (!known) seen.push_back(caption);
    }
  return seen;
}

struct Folder {
  std::string path;
  explicit Folder(std::string p) : path(std::move(p)) { RemoveTree(path); }
  ~Folder() { RemoveTree(path); }
};

TEST(SilentInstall, VerySilentShowsNoWindowAndSaysHowItEnded) {
  Folder folder("c:\\qlxverysilent\\");
  // A run stopped halfway through DOSBox left dosbox.exe, and SDL_net.dll only staged: a DOSBox
  // that cannot start, which this run completes.
  ASSERT_TRUE(::CreateDirectoryA(folder.path.c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA((folder.path + "dosbox").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(folder.path + "dosbox\\dosbox.exe", "MZ earlier"));
  ASSERT_TRUE(WriteWholeFile(folder.path + "dosbox\\SDL_net.dll.qlx-new", "half"));
  auto installer = InstallerProcess::Start(InstallerPath(), "\"/dir=c:\\qlxverysilent\" /VERYSILENT");
  const auto windows = WatchUntilExit(installer, 60000);
  ASSERT_TRUE(installer.WaitForExit(0));
  EXPECT_EQ(installer.ExitCode(), 0u);
  EXPECT_TRUE(windows.empty()) << windows.front();
  EXPECT_TRUE(FileIsPresentForTest(folder.path + "qlx.exe"));
  EXPECT_TRUE(FileIsPresentForTest(folder.path + "unins5100.dat"));
  EXPECT_NE(ReadWholeFile(folder.path + "dosbox\\dosbox.exe"), "MZ earlier");
  EXPECT_TRUE(FileIsPresentForTest(folder.path + "dosbox\\SDL_net.dll"));
  EXPECT_FALSE(FileIsPresentForTest(folder.path + "dosbox\\SDL_net.dll.qlx-new"));
  const std::string log = RunLog();
  EXPECT_NE(log.find("FindDosbox = False: <>"), std::string::npos);
  EXPECT_NE(log.find("FormCreate: start[Mem:"), std::string::npos);
  const auto lines = CrLfLines(log);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_NE(lines[2].find(" Mode: very silent[Mem: "), std::string::npos) << lines[2];
  EXPECT_NE(log.find("Report: Quillon, version 3.55.0.0, was installed successfully."), std::string::npos);
  EXPECT_NE(LastLine(log).find(" Exit code 0: installed[Mem: "), std::string::npos) << LastLine(log);
}

TEST(SilentInstall, SilentShowsTheProgressWindowAndTheReportButNoMainWindow) {
  Folder folder("c:\\qlxsilent\\");
  auto installer = InstallerProcess::Start(InstallerPath(), "\"/dir=c:\\qlxsilent\" /silent");
  HWND report = installer.WaitForWindow("Quillon", 60000);
  ASSERT_NE(report, nullptr) << "the closing report is shown without /suppressmsgboxes";
  for (HWND c = ::GetWindow(report, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
    if (WindowCaption(c) == "OK") ::PostMessageA(c, BM_CLICK, 0, 0);
  ASSERT_TRUE(installer.WaitForExit(20000));
  EXPECT_EQ(installer.ExitCode(), 0u);
  const std::string log = RunLog();
  EXPECT_NE(log.find("Mode: silent"), std::string::npos);
  EXPECT_EQ(log.find("Report: "), std::string::npos);

  // With /suppressmsgboxes: the progress window, then nothing to answer.
  RemoveTree(folder.path);
  auto quiet = InstallerProcess::Start(InstallerPath(), "\"/dir=c:\\qlxsilent\" /silent /suppressmsgboxes");
  const auto windows = WatchUntilExit(quiet, 60000);
  ASSERT_TRUE(quiet.WaitForExit(0));
  EXPECT_EQ(quiet.ExitCode(), 0u);
  for (const auto& caption : windows) EXPECT_EQ(caption, "Installation Progress");
}

TEST(SilentInstall, ExitCodes) {
  // 2: a refused folder, logged instead of shown; also with /silent, where no dialog may wait.
  for (const char* mode : {"/verysilent", "/silent"}) {
    auto p = InstallerProcess::Start(InstallerPath(), std::string("\"/dir=c:\\windows\\qlx\" ") + mode);
    const auto windows = WatchUntilExit(p, 30000);
    ASSERT_TRUE(p.WaitForExit(0)) << mode;
    EXPECT_TRUE(windows.empty()) << mode << ": " << windows.front();
    EXPECT_EQ(p.ExitCode(), 2u);
    EXPECT_NE(RunLog().find("Report: c:\\windows\\qlx\\ is a protected windows folder"), std::string::npos);
    EXPECT_NE(LastLine(RunLog()).find("Exit code 2: refused folder <c:\\windows\\qlx\\>"), std::string::npos);
  }
  // The user's own system folders, and the folder above every profile: no uninstall could
  // empty them, so nothing goes there.
  for (const std::string& folder : {SpecialFolderPath(0x10), SpecialFolderPath(5), std::string("c:\\users")}) {
    auto p = InstallerProcess::Start(InstallerPath(), "\"/dir=" + folder + "\" /verysilent");
    ASSERT_TRUE(p.WaitForExit(30000));
    EXPECT_EQ(p.ExitCode(), 2u) << folder;
    EXPECT_NE(RunLog().find("is a protected windows folder"), std::string::npos) << folder;
    EXPECT_FALSE(FileIsPresentForTest(folder + "\\qlx.exe")) << folder;
  }
  // 1: another copy is running (an interactive second copy still ends with 0).
  {
    // A folder without an installed copy, so that no version question comes first.
    auto first = InstallerProcess::Start(InstallerPath(), "\"/dir=c:\\qlxnone\"");
    ASSERT_NE(first.WaitForWindow("Corvane Quillon Installer", 20000), nullptr);
    auto second = InstallerProcess::Start(InstallerPath(), "/verysilent");
    ASSERT_TRUE(second.WaitForExit(20000));
    EXPECT_EQ(second.ExitCode(), 1u);
  }
  // 6: a file held open by another program is not written; the rest is installed.
  {
    Folder folder("c:\\qlxpartial\\");
    ::CreateDirectoryA(folder.path.c_str(), nullptr);
    ASSERT_TRUE(WriteWholeFile(folder.path + "quon.exe", "old"));
    UniqueFileHandle held(::CreateFileA((folder.path + "quon.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    auto p = InstallerProcess::Start(InstallerPath(), "\"/dir=c:\\qlxpartial\" /verysilent");
    ASSERT_TRUE(p.WaitForExit(60000));
    EXPECT_EQ(p.ExitCode(), 6u);
    EXPECT_NE(LastLine(RunLog()).find("Exit code 6: installed, 1 of "), std::string::npos) << LastLine(RunLog());
    held.reset();
    EXPECT_EQ(ReadWholeFile(folder.path + "quon.exe"), "old");
  }
  // 6 too: an older desktop link that cannot be replaced (held open) is no link made.
  {
    Folder folder("c:\\qlxlink\\");
    const std::string link = SpecialFolderPath(0) + "\\qlx.lnk";
    ASSERT_TRUE(WriteWholeFile(link, "an older link"));
    UniqueFileHandle held(::CreateFileA(link.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                        nullptr));
    ASSERT_TRUE(held);
    auto p = InstallerProcess::Start(InstallerPath(), "\"/dir=c:\\qlxlink\" /verysilent");
    ASSERT_TRUE(p.WaitForExit(60000));
    EXPECT_EQ(p.ExitCode(), 6u);
    EXPECT_NE(RunLog().find("InstallProgram.Shortcut NOT saved " + link), std::string::npos) << RunLog();
    held.reset();
    EXPECT_EQ(ReadWholeFile(link), "an older link");
    ::DeleteFileA(link.c_str());
  }
  // 5: the progress window closed during the run.
  {
    Folder folder("c:\\qlxcancel\\");
    auto p = InstallerProcess::Start(InstallerPath(), "\"/dir=c:\\qlxcancel\" /silent /suppressmsgboxes");
    HWND progress = p.WaitForWindow("Installation Progress", 30000);
    ASSERT_NE(progress, nullptr);
    ::PostMessageA(progress, WM_CLOSE, 0, 0);
    ASSERT_TRUE(p.WaitForExit(60000));
    EXPECT_EQ(p.ExitCode(), 5u);
    EXPECT_NE(LastLine(RunLog()).find("Exit code 5: cancelled after "), std::string::npos) << LastLine(RunLog());
  }
  // 3: a damaged item in a copy of the installer.
  {
    ScratchFolder scratch("damaged");
    const std::string copy = scratch / "qlx355.exe";
    ASSERT_TRUE(::CopyFileA(InstallerPath().c_str(), copy.c_str(), FALSE));
    HANDLE update = ::BeginUpdateResourceA(copy.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    char garbage[64] = "QLPK but not an item of this installer";
    ASSERT_TRUE(::UpdateResourceA(update, RT_RCDATA, "RS_README", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), garbage,
                                  sizeof garbage));
    ASSERT_TRUE(::EndUpdateResourceA(update, FALSE));
    Folder folder("c:\\qlxdamaged\\");
    auto p = InstallerProcess::Start(copy, "\"/dir=c:\\qlxdamaged\" /verysilent");
    ASSERT_TRUE(p.WaitForExit(60000));
    EXPECT_EQ(p.ExitCode(), 3u);
    const std::string log = RunLog();
    EXPECT_NE(log.find("Report: The installer is damaged (rs_readme: "), std::string::npos) << log;
    EXPECT_NE(LastLine(log).find("Exit code 3: damaged installer"), std::string::npos) << LastLine(log);
    EXPECT_FALSE(FileIsPresentForTest(folder.path + "qlx.exe"));
  }
}

}  // namespace
