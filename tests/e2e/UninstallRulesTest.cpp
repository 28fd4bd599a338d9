// The uninstaller against installed states made here: hostile and damaged records, the
// conditional and rename rules with sibling programs present and absent, and its modes (the
// question, another copy running). Everything outside the install folder must stay as it was.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "common/ScratchFolder.h"
#include "e2e/Harness.h"
#include "e2e/UninstallHarness.h"
#include "product/UninstallRecord.h"
#include "support/base/Text.h"
#include "support/fs/Folders.h"
#include "support/win/UniqueHandle.h"

namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Clicks the dialog's push button with this caption (with or without its "&").
void ClickButton(HWND dialog, const std::string& caption) {
  for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
    if (WindowCaption(c) == caption || WindowCaption(c) == "&" + caption) {
      ::PostMessageA(c, BM_CLICK, 0, 0);
      return;
    }
  ADD_FAILURE() << "no button " << caption;
}

class UninstallRules : public testing::Test {
 protected:
  void SetUp() override {
    RemoveProductTraces();
    ASSERT_TRUE(EnsureFolder(m_dir));
  }
  void TearDown() override { RemoveProductTraces(); }

  // The record of `m_dir` with the given lines after the installer's first five.
  void WriteRecord(const std::vector<std::pair<std::string, std::string>>& lines) {
    UninstallRecord record(InstallFolder::FromText(m_dir).value());
    for (const auto& [key, value] : lines) record.AddLine(key, value);
    ASSERT_TRUE(WriteWholeFile(m_dir + "unins5100.dat", record.Text()));
  }
  void Seed(const std::vector<std::string>& names, const std::string& content = "x") {
    for (const std::string& name : names) {
      std::string folder = m_dir + name.substr(0, name.find_last_of('\\') + 1);
      EnsureFolder(folder);
      ASSERT_TRUE(WriteWholeFile(m_dir + name, content));
    }
  }
  // The built uninstaller, run from outside the folder, with the record's path.
  DWORD Uninstall(const std::string& switches = " /VERYSILENT") {
    return RunCommandLine(Quoted(UninstallerPath()) + " " + Quoted(m_dir + "unins5100.dat") + switches);
  }

  ScratchFolder m_scratch{"uninsrules"};
  std::string m_dir = m_scratch / "outer\\zt\\";
};

TEST_F(UninstallRules, HostileEntriesAreRefusedAndNothingOutsideIsTouched) {
  const std::string outside = m_scratch / "x";
  ASSERT_TRUE(WriteWholeFile(outside, "outside"));
  ASSERT_TRUE(WriteWholeFile(m_scratch / "outer\\keep.txt", "outside"));
  const std::string winIni = SpecialFolderPath(36) + "\\win.ini";
  const bool winIniThere = FileExists(winIni);
  Seed({"qlx.exe", "user.txt", "a.txt", "sub\\b.txt"});
  WriteRecord({{"File_List", "..\\..\\x,c:\\windows\\win.ini," + outside + ",qlx.exe,qlx.exe::$DATA,*,nul,"},
               {"Extra_List", "*,*.*,..\\*.txt,sub\\..\\..\\keep.txt|9"},
               {"Rename_List", "..\\y.txt|a.txt"},
               {"Conditional_list", "nothere.exe|..\\*.*;nothere.exe|c:\\*.*"},
               {"Del_if_Empty", "..,c:\\,sub\\..\\.."},
               {"Group_Folder", "c:\\"},
               {"Shortcuts", "..\\..\\x"}});
  EXPECT_EQ(Uninstall(), 3u);
  EXPECT_TRUE(FileExists(outside));
  EXPECT_TRUE(FileExists(m_scratch / "outer\\keep.txt"));
  EXPECT_EQ(FileExists(winIni), winIniThere);
  EXPECT_EQ(FilesBelow(m_dir), (std::vector<std::string>{"a.txt", "sub\\b.txt", "user.txt"}));
  const std::vector<std::string> log = UninstallLogLines();
  EXPECT_TRUE(Contains(log, "Uninstall.Refused File_List entry ..\\..\\x"));
  EXPECT_TRUE(Contains(log, "Uninstall.Refused File_List entry c:\\windows\\win.ini (drive letter)"));
  EXPECT_TRUE(Contains(log, "Uninstall.Refused Extra_List entry *"));
  EXPECT_TRUE(Contains(log, "Uninstall.Refused Group_Folder entry c:\\"));
  EXPECT_TRUE(Contains(log, "Uninstall.Removed " + AsciiLower(m_dir) + "qlx.exe"));
  EXPECT_NE(log.back().find("Exit code 3:"), std::string::npos) << log.back();
}

TEST_F(UninstallRules, DamagedRecordsEndWithCode2AndTouchNothing) {
  Seed({"qlx.exe"});
  const std::string other = m_scratch / "other\\";
  std::string otherFolder = other;
  ASSERT_TRUE(EnsureFolder(otherFolder));
  ASSERT_TRUE(WriteWholeFile(other + "qlx.exe", "another installation"));
  const std::string cases[] = {
      "Install_Dir=" + m_dir + "\r\nFile_List=qlx.exe,\r\n",                   // no section head
      "[Uninstall]\r\nFile_List=qlx.exe,\r\n",                                  // no Install_Dir
      "[Uninstall]\r\nInstall_Dir=" + other + "\r\nFile_List=qlx.exe,\r\n",     // another folder
      "[Uninstall]\r\nInstall_Dir=" + m_scratch.Path() + "\r\nFile_List=x,\r\n",  // the folder above
  };
  for (const std::string& text : cases) {
    ASSERT_TRUE(WriteWholeFile(m_dir + "unins5100.dat", text));
    EXPECT_EQ(Uninstall(), 2u) << text;
    EXPECT_EQ(FilesBelow(m_dir), (std::vector<std::string>{"qlx.exe", "unins5100.dat"})) << text;
    EXPECT_TRUE(FileExists(other + "qlx.exe"));
    EXPECT_NE(UninstallLogLines().back().find("Exit code 2: bad or missing record"), std::string::npos);
  }
  EXPECT_EQ(RunCommandLine(Quoted(UninstallerPath()) + " " + Quoted(m_dir + "missing.dat") + " /VERYSILENT"), 2u);
  EXPECT_EQ(RunCommandLine(Quoted(UninstallerPath()) + " /VERYSILENT"), 2u);

  // A sound record named through a device, verbatim or network path is none the installer
  // wrote; named relative to the folder the uninstaller starts in, it is the one there.
  WriteRecord({{"File_List", "qlx.exe,"}});
  for (const std::string& named : {"\\\\?\\" + m_dir + "unins5100.dat", "\\\\.\\" + m_dir + "unins5100.dat",
                                   std::string("\\\\?\\UNC\\server\\share\\zt\\unins5100.dat"),
                                   std::string("\\\\server\\share\\zt\\unins5100.dat")}) {
    EXPECT_EQ(RunCommandLine(Quoted(UninstallerPath()) + " " + Quoted(named) + " /VERYSILENT"), 2u) << named;
    EXPECT_EQ(FilesBelow(m_dir), (std::vector<std::string>{"qlx.exe", "unins5100.dat"})) << named;
  }
  // The finishing copy's switch from a plain command line, with any process handle (and a
  // folder identity of the right form, so that the handle is what is refused).
  const std::string kAnyFolder = "00000000-0000000000000000";
  for (const char* handle : {"4", "1234"}) {
    const std::string line = Quoted(UninstallerPath()) + " /SELFREMOVE=" + handle + " " + kAnyFolder + " - " +
                             Quoted(m_dir + "qlx.exe|" + m_dir + "unins5100.dat");
    EXPECT_EQ(RunCommandLine(line), 2u) << line;
    EXPECT_EQ(FilesBelow(m_dir), (std::vector<std::string>{"qlx.exe", "unins5100.dat"})) << line;
  }
  // A copy made as the uninstaller makes it, but started by another program (this test) with a
  // handle of that program: no finishing copy of an uninstaller, it acts on nothing and waits
  // for nothing.
  char temp[MAX_PATH + 1] = {};
  ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
  const std::string copy = std::string(temp) + "qlx-unins-" + std::to_string(::GetCurrentProcessId()) + ".exe";
  ASSERT_TRUE(::CopyFileA(UninstallerPath().c_str(), copy.c_str(), FALSE));
  HANDLE self = nullptr;
  ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self,
                                SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0));
  const UniqueKernelHandle ownProcess(self);
  std::string line = Quoted(copy) + " /SELFREMOVE=" + std::to_string(reinterpret_cast<std::uintptr_t>(self)) + " " +
                     kAnyFolder + " - " + Quoted(m_dir + "unins.exe|" + m_dir + "unins5100.dat");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION copyStarted{};
  ASSERT_TRUE(
      ::CreateProcessA(copy.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, temp, &startup, &copyStarted));
  const UniqueKernelHandle copyProcess(copyStarted.hProcess), copyThread(copyStarted.hThread);
  EXPECT_EQ(::WaitForSingleObject(copyProcess.get(), 60000), WAIT_OBJECT_0);
  DWORD copyCode = 0;
  ::GetExitCodeProcess(copyProcess.get(), &copyCode);
  EXPECT_EQ(copyCode, 2u);
  ::DeleteFileA(copy.c_str());
  EXPECT_EQ(FilesBelow(m_dir), (std::vector<std::string>{"qlx.exe", "unins5100.dat"}));
  char started[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, started);
  ASSERT_TRUE(::SetCurrentDirectoryA((m_scratch / "outer").c_str()));
  const DWORD relative = RunCommandLine(Quoted(UninstallerPath()) + " zt\\unins5100.dat /VERYSILENT");
  ::SetCurrentDirectoryA(started);
  EXPECT_EQ(relative, 0u);
  EXPECT_TRUE(WaitUntilGone(m_dir));

  // A drive root and the Windows folder as install folders, each with its own record in it.
  const std::string victim = "qlx-uninstall-victim.txt";
  for (const std::string& root : {std::string("c:\\"), SpecialFolderPath(36) + "\\"}) {
    ASSERT_TRUE(WriteWholeFile(root + victim, "system"));
    ASSERT_TRUE(WriteWholeFile(root + "qlx-test-record.dat",
                               "[Uninstall]\r\nInstall_Dir=" + root + "\r\nFile_List=" + victim + ",\r\n"));
    EXPECT_EQ(RunCommandLine(Quoted(UninstallerPath()) + " " + root + "qlx-test-record.dat /VERYSILENT"), 2u) << root;
    EXPECT_TRUE(FileExists(root + victim)) << root;
    EXPECT_TRUE(Contains(UninstallLogLines(), "Uninstall.Record refused"));
    ::DeleteFileA((root + victim).c_str());
    ::DeleteFileA((root + "qlx-test-record.dat").c_str());
  }
}

TEST_F(UninstallRules, SiblingProgramsKeepWhatTheyNeed) {
  // Tessel is installed beside: its renamed program goes back, its shared files stay. Pyx is
  // not: its renamed program goes back too, its other files go. A large *.wlb holds user data.
  Seed({"qlx.exe", "tessel.exe", "quonw.exe", "quonpyx.exe", "quonpyx.dat", "a.wl3", "dosbox.conf",
        "dosbox\\dosbox.exe", "small.wlb"});
  Seed({"large.wlb"}, std::string(3 * 1024, 'u'));
  const std::vector<std::pair<std::string, std::string>> lists = {{"File_List", "qlx.exe,"},
                                                                  {"Extra_List", kExtraList},
                                                                  {"Rename_List", kRenameList},
                                                                  {"Conditional_list", kConditionalList},
                                                                  {"Del_if_Empty", kDelIfEmpty}};
  WriteRecord(lists);
  EXPECT_EQ(Uninstall(), 3u);
  EXPECT_EQ(FilesBelow(m_dir),
            (std::vector<std::string>{"dosbox.conf", "dosbox\\dosbox.exe", "dospyx.exe", "dostessel.exe", "large.wlb",
                                      "tessel.exe"}));
  EXPECT_TRUE(Contains(UninstallLogLines(), "large.wlb (larger than 2 KiB"));

  // Without siblings the shared files go as well, and their folder; a large *.wlb still holds
  // user data, although the group of the absent sibling reaches it first.
  RemoveTree(m_dir);
  ASSERT_TRUE(EnsureFolder(m_dir));
  Seed({"qlx.exe", "dostessel.exe", "quonw.exe", "quonw.hlp", "dosbox.conf", "dosbox\\dosbox.exe", "dosbox\\SDL.dll",
        "small.wlb"});
  Seed({"large.wlb"}, std::string(3 * 1024, 'u'));
  WriteRecord(lists);
  EXPECT_EQ(Uninstall(), 3u);
  EXPECT_EQ(FilesBelow(m_dir), (std::vector<std::string>{"dostessel.exe", "large.wlb"}));
  EXPECT_TRUE(Contains(UninstallLogLines(), "large.wlb (larger than 2 KiB"));
  EXPECT_FALSE(FolderExists(m_dir + "dosbox"));
}

TEST_F(UninstallRules, TheRecordUnderItsShortNameStaysToTheEnd) {
  Seed({"qlx.exe"});
  WriteRecord({});
  char shortName[MAX_PATH] = {};
  ASSERT_NE(::GetShortPathNameA((m_dir + "unins5100.dat").c_str(), shortName, MAX_PATH), 0u);
  const std::string shortRecord = std::string(shortName).substr(std::string(shortName).rfind('\\') + 1);
  ASSERT_NE(AsciiLower(shortRecord), "unins5100.dat");
  WriteRecord({{"File_List", "qlx.exe," + shortRecord + ","}});
  // Deleted as a file step, the record could not be removed at the end: exit code 4.
  EXPECT_EQ(Uninstall(), 0u);
  EXPECT_TRUE(WaitUntilGone(m_dir));
}

TEST_F(UninstallRules, AFileTheSystemHoldsKeepsTheRecordForAnotherRun) {
  Seed({"qlx.exe", "quon.exe"});
  WriteRecord({{"File_List", "qlx.exe,quon.exe,"}});
  {
    // Open without delete sharing, as a running program is.
    const UniqueFileHandle held(::CreateFileA((m_dir + "quon.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(Uninstall(), 3u);
    EXPECT_EQ(FilesBelow(m_dir), (std::vector<std::string>{"quon.exe", "unins5100.dat"}));
    const std::vector<std::string> log = UninstallLogLines();
    EXPECT_TRUE(Contains(log, "Report: ") && Contains(log, "\\quon.exe (error "));
    EXPECT_TRUE(Contains(log, "Report: The uninstaller and the uninstall entry stay"));
  }
  // Released, the second run removes the rest.
  EXPECT_EQ(Uninstall(), 0u);
  EXPECT_TRUE(WaitUntilGone(m_dir));

  // Held with delete sharing, as a scanner holds it, qlx.exe goes but stays listed until it is
  // let go: it counts as gone, so DOSBox, which only qlx.exe and its siblings need, goes too.
  ASSERT_TRUE(EnsureFolder(m_dir));
  Seed({"qlx.exe", "dosbox\\dosbox.exe"});
  WriteRecord({{"File_List", "qlx.exe,"}, {"Conditional_list", kConditionalList}});
  const UniqueFileHandle scanner(::CreateFileA((m_dir + "qlx.exe").c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(scanner);
  EXPECT_EQ(Uninstall(), 0u);
  EXPECT_FALSE(FileExists(m_dir + "dosbox\\dosbox.exe"));
}

TEST_F(UninstallRules, QuestionAndSecondCopy) {
  Seed({"qlx.exe"});
  WriteRecord({{"File_List", "qlx.exe,"}});
  {
    // Another copy running: ends at once with 1.
    const UniqueKernelHandle mutex(::CreateMutexA(nullptr, TRUE, "Corvane_Quillon_Uninstall"));
    EXPECT_EQ(Uninstall(""), 1u);
  }
  // The question answered No by the keyboard (Tab from Yes to No, then Enter presses the
  // focused No, not the default Yes): code 5 and nothing touched.
  auto uninstaller = InstallerProcess::Start(UninstallerPath(), Quoted(m_dir + "unins5100.dat"));
  HWND question = uninstaller.WaitForWindow("Confirm", 60000);
  ASSERT_NE(question, nullptr);
  SaveScreenshot(question, "uninstall-question");
  PressKeys(question, {VK_TAB, VK_RETURN});
  ASSERT_TRUE(uninstaller.WaitForExit(60000));
  EXPECT_EQ(uninstaller.ExitCode(), 5u);
  EXPECT_EQ(FilesBelow(m_dir), (std::vector<std::string>{"qlx.exe", "unins5100.dat"}));
  EXPECT_NE(UninstallLogLines().back().find("Exit code 5: cancelled by the user"), std::string::npos);

  // While the question is open the install folder is held: another process cannot rename it,
  // and when it is renamed away and replaced by a link below Windows (a Unix rename, a symbolic
  // link), the answer Yes removes nothing, neither there nor where it was moved: code 4.
  const std::string folder = m_scratch / "outer\\zt", moved = m_scratch / "outer\\moved", decoy = m_scratch / "decoy";
  std::string decoyFolder = decoy + "\\";
  ASSERT_TRUE(EnsureFolder(decoyFolder));
  ASSERT_TRUE(WriteWholeFile(decoy + "\\qlx.exe", "decoy"));
  uninstaller = InstallerProcess::Start(UninstallerPath(), Quoted(m_dir + "unins5100.dat"));
  question = uninstaller.WaitForWindow("Confirm", 60000);
  ASSERT_NE(question, nullptr);
  EXPECT_FALSE(::MoveFileA(folder.c_str(), moved.c_str()));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  ASSERT_EQ(RunUnixShell("mv {0} {1} && ln -s {2} {0}", {folder, moved, decoy}), 0u);
  ClickButton(question, "Yes");
  const HWND report = uninstaller.WaitForWindow("Quillon", 60000);
  ASSERT_NE(report, nullptr);
  ClickButton(report, "OK");
  ASSERT_TRUE(uninstaller.WaitForExit(60000));
  EXPECT_EQ(uninstaller.ExitCode(), 4u);
  EXPECT_EQ(FilesBelow(moved + "\\"), (std::vector<std::string>{"qlx.exe", "unins5100.dat"}));
  EXPECT_EQ(FilesBelow(decoy + "\\"), (std::vector<std::string>{"qlx.exe"}));
  EXPECT_TRUE(Contains(UninstallLogLines(), "was moved or replaced while the question was open"));
  // A record read through a linked install folder is refused before anything is asked.
  ASSERT_TRUE(WriteWholeFile(decoy + "\\unins5100.dat", ReadWholeFile(moved + "\\unins5100.dat")));
  EXPECT_EQ(Uninstall(), 2u);
  EXPECT_EQ(FilesBelow(decoy + "\\"), (std::vector<std::string>{"qlx.exe", "unins5100.dat"}));
  ASSERT_EQ(RunUnixShell("rm {0} && mv {1} {0}", {folder, moved}), 0u);

  // Yes, and the closing report: while it is open the folder is no longer held (another
  // process may open it for deletion) and the finishing copy waits for it, however long. The
  // uninstaller runs from the folder, as the installed one does.
  ASSERT_TRUE(::CopyFileA(UninstallerPath().c_str(), (m_dir + "unins.exe").c_str(), FALSE));
  uninstaller = InstallerProcess::Start(m_dir + "unins.exe", Quoted(m_dir + "unins5100.dat"));
  question = uninstaller.WaitForWindow("Confirm", 60000);
  ASSERT_NE(question, nullptr);
  ClickButton(question, "Yes");
  const HWND done = uninstaller.WaitForWindow("Quillon", 60000);
  ASSERT_NE(done, nullptr);
  EXPECT_TRUE(UniqueFileHandle(::CreateFileA(folder.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
  EXPECT_FALSE(FinishingCopiesNow().empty());
  ClickButton(done, "OK");
  ASSERT_TRUE(uninstaller.WaitForExit(60000));
  EXPECT_EQ(uninstaller.ExitCode(), 0u);
  EXPECT_TRUE(WaitUntilGone(m_dir));
}

}  // namespace
