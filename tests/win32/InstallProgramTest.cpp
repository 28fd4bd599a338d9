// The install run in the prefix, end to end: the sample payload linked into this executable as
// into the installer, the run driven through the recording dialogs and the scripted progress
// window, and everything it leaves read back afterwards. The whole program also runs in the
// 32-bit prefix (31 files, no DOSBox) and there once more with "/usedosbox" (34 files).
#include "engine/InstallProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "common/FileTimes.h"
#include "common/ScratchFolder.h"
#include "engine/InstallFolderAccess.h"
#include "product/UninstallRecord.h"
#include "support/fs/FileVersion.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/run/ProcessCommandLine.h"
#include "support/run/RunLog.h"
#include "support/win/UniqueHandle.h"
#include "win32/InstallRunFixture.h"
#include "win32/SamplePayload.h"

namespace {

// Where each item of the sample payload lands below the install folder, in list order.
const char* const kInstalledAs[] = {
    "qlx.exe", "quon.exe", "quon.hlp", "printers.dat", "qlx.ico", "readme.txt", "pa0640.dat", "edkbp.dat",
    "pr32.dat", "version.txt", "manuals\\quillon.pdf", "manuals\\quickstart.pdf", "manuals\\sumatrareader.exe",
    "manuals\\sumatrareader-notes.txt", "tips\\tip01.htm", "tips\\tip02.htm", "tips\\tip03.htm", "tips\\tip04.htm",
    "tips\\tip05.htm", "tips\\tip06.htm", "tips\\tip07.html", "tips\\tip08.htm", "tips\\tip09.htm", "tips\\tip10.htm",
    "tips\\tip11.htm", "tips\\tip12.htm", "tips\\tip13.mht", "vnhhttp.exe", "unins.exe", "dosmon.exe", "dosbox.conf",
    "dosbox\\dosbox.exe", "dosbox\\SDL.dll", "dosbox\\SDL_net.dll"};
constexpr int kVnhhttp = 27;

using Kind = InstallOutcome::Kind;

bool SixtyFourBit() {
  BOOL wow64 = FALSE;
  return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

// Files staged while the items were read that were not put in place (none may be left).
std::vector<std::string> StagedFilesLeft(const std::string& folder) {
  std::vector<std::string> left;
  for (const std::string& f : FilesBelow(folder))
    if (f.find(".qlx-new") != std::string::npos) left.push_back(f);
  return left;
}

bool UseDosboxSwitch() { return ProcessCommandLine().RawContains("/usedosbox"); }

// Files of a run into a folder without DOSBox of its own.
int FreshFileCount() { return UseDosboxSwitch() || SixtyFourBit() ? 34 : 31; }

std::string SuccessReport() {
  return "Quillon, version " + OwnVersionText() +
         ", was installed successfully.\n\nTo run Quillon, Click the QL icon on your desktop.";
}

std::string RegistryText(const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data;
  if (::RegGetValueA(HKEY_CURRENT_USER, ProductKeyPath().c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size))
    return "<missing>";
  return data;
}

DWORD RegistryNumber(const char* name) {
  DWORD data = 0xFFFFFFFF, size = sizeof data;
  ::RegGetValueA(HKEY_CURRENT_USER, ProductKeyPath().c_str(), name, RRF_RT_REG_DWORD, nullptr, &data, &size);
  return data;
}

void ExpectLink(const std::string& link, const std::string& target, const std::string& arguments,
                const std::string& folder, const std::string& description) {
  const ShellLinkFields read = ReadShellLink(link);
  ASSERT_TRUE(read.loaded) << link;
  EXPECT_EQ(read.path, target) << link;
  EXPECT_EQ(read.arguments, arguments) << link;
  EXPECT_EQ(read.workingFolder, folder) << link;
  EXPECT_EQ(read.iconPath, folder + "qlx.ico") << link;
  EXPECT_EQ(read.description, description) << link;
}

// The uninstall entry and the three links of a complete installation into `f`.
void ExpectEntryAndLinks(const std::string& f) {
  EXPECT_EQ(RegistryText("DisplayName"), "Quillon");
  EXPECT_EQ(RegistryText("UnInstallString"), f + "unins.exe " + f + "unins5100.dat");
  EXPECT_EQ(RegistryNumber("NoModify"), 1u);
  EXPECT_EQ(RegistryNumber("NoRepair"), 1u);
  ExpectLink(GroupFolderPath() + "Quillon Start.lnk", f + "qlx.exe", f + "'", f, "Quillon Start");
  ExpectLink(GroupFolderPath() + "Uninstall Quillon.lnk", f + "unins.exe", f + "unins5100.dat", f, "Uninstall Quillon");
  ExpectLink(DesktopLinkPath(), f + "qlx.exe", "", f, "Quillon");
}

// Nothing of the installation steps: no record, no group, no desktop link, no entry.
void ExpectNoInstallationSteps(const std::string& f) {
  EXPECT_FALSE(FileIsPresent(f + "unins5100.dat"));
  EXPECT_FALSE(FolderIsPresent(GroupFolderPath()));
  EXPECT_FALSE(FileIsPresent(DesktopLinkPath()));
  EXPECT_FALSE(ProductKeyExists());
}

// The file holds the item's bytes and carries its date.
void ExpectItemFile(const std::string& path, const PackedItem& item) {
  EXPECT_TRUE(ReadWholeFile(path) == ReadUnixFile(item.source)) << path;
  EXPECT_EQ(PackedLocalWriteTime(path), static_cast<std::uint32_t>(item.timeStamp)) << path;
}

// The record of a complete run into `folderAsPassed` that wrote `fileList`.
std::string CompleteRecord(const std::string& folderAsPassed, const std::string& fileList) {
  UninstallRecord record(InstallFolder::FromText(folderAsPassed).value());
  record.AddLine("File_List", fileList);
  record.AddCompletionLines(GroupFolderPath());
  record.AddLine("Shortcuts", "qlx.lnk");
  return record.Text();
}

// The log and progress calls of a run that reads and writes the first `count` items into `f`
// (whose DOSBox, if any, the search found) and saves every file.
struct ExpectedRun {
  std::vector<std::string> log;
  std::vector<std::string> calls;
};

ExpectedRun CompleteRunTrace(const std::string& f, int count, bool dosboxInFolder) {
  const std::vector<PackedItem> packed = PackedPayload();
  const std::vector<std::string> names = InstallerItemNames();
  ExpectedRun run;
  run.log = {"InstallProgram.started"};
  if (!UseDosboxSwitch() && SixtyFourBit()) {
    run.log.push_back("FindDosbox.started");
    run.log.push_back(dosboxInFolder ? "FindDosbox = True: <" + f + "dosbox\\dosbox.exe>" : "FindDosbox = False: <>");
  }
  run.log.push_back(count == 34 ? "NeedsDosbox := True" : "NeedsDosbox := False");
  if (count == 34) run.log.push_back("InstallProgram.EnsureDirExists");
  if (dosboxInFolder)
    for (const char* leftover : {"dosbox\\SDL.dll.qlx-new.4321", "dosbox\\SDL_net.dll.qlx-new"})
      run.log.push_back("InstallProgram.Leftover removed " + f + leftover);
  run.log.push_back("Raw config items = 34");
  run.log.push_back("Normfiles = 31");
  run.log.push_back("InstallProgram.Making list of files to install (" + std::to_string(count) + " items)");
  std::int64_t total = 0;
  for (int i = 0; i < count; ++i) {
    const std::string at = std::to_string(i);
    run.log.push_back("Installprogram item " + at + ":" + names[i]);
    run.log.push_back("Installprogram item " + at + " Filename: " + packed[i].storedName +
                      " date: " + ShortDateOfStamp(packed[i].timeStamp) + ".");
    total += static_cast<std::int64_t>(packed[i].plainSize);
  }
  run.log.push_back("Installprogram.Completed list: " + std::to_string(count) + " files");
  run.log.push_back("InstallProgram.Putting files in folder");
  run.calls = {"SetProgramName Quillon", "SetStage Installing ...", "Show", "SetTotal " + std::to_string(total)};
  std::int64_t done = 0;
  for (int i = 0; i < count; ++i) {
    run.log.push_back("InstallProgram.file: " + f + kInstalledAs[i]);
    run.log.push_back("InstallProgram.File saved " + f + kInstalledAs[i]);
    done += static_cast<std::int64_t>(packed[i].plainSize);
    run.calls.push_back("SetFileName " + f + kInstalledAs[i]);
    run.calls.push_back("SetPosition " + std::to_string(done));
  }
  run.calls.push_back("ShowDone Installation Successful.");
  run.calls.push_back("Destroyed");
  return run;
}

// File_List of a run of `count` files: only normal ones, and with DOSBox not the last of them.
std::string ListedFiles(int count, const std::vector<int>& left = {}) {
  std::string list;
  for (int i = 0; i < (count == 34 ? 30 : 31); ++i)
    if (std::find(left.begin(), left.end(), i) == left.end()) list += std::string(kInstalledAs[i]) + ",";
  return list;
}

using InstallRun = InstallRunFixture;

TEST_F(InstallRun, CompleteRunLeavesFilesRecordLinksEntryAndLog) {
  const std::vector<PackedItem> packed = PackedPayload();
  ASSERT_EQ(packed.size(), 34u);
  // Into a new folder given without its trailing backslash; then into one given with two that
  // holds DOSBox from an earlier installation, which on 64-bit Windows makes it a 31-file run,
  // and leftovers of a run stopped halfway, which go although this run does not write DOSBox.
  for (const bool dosboxInFolder : {false, true}) {
    const std::string folder = Folder(dosboxInFolder ? "zt2\\\\" : "zt1");
    const std::string f = Folder(dosboxInFolder ? "zt2\\" : "zt1\\");
    if (dosboxInFolder) {
      ASSERT_TRUE(::CreateDirectoryA(f.c_str(), nullptr));
      ASSERT_TRUE(::CreateDirectoryA((f + "dosbox").c_str(), nullptr));
      for (const char* name : {"dosbox.exe", "SDL.dll", "SDL_net.dll"})
        ASSERT_TRUE(WriteWholeFile(f + "dosbox\\" + name, "MZ earlier"));
      // The last is the user's own: no payload file is called "mine".
      for (const char* name : {"SDL.dll.qlx-new.4321", "SDL_net.dll.qlx-new", "mine.qlx-new"})
        ASSERT_TRUE(WriteWholeFile(f + "dosbox\\" + name, "left"));
    }
    const int count = dosboxInFolder && !UseDosboxSwitch() ? 31 : FreshFileCount();
    SCOPED_TRACE(folder + ", " + std::to_string(count) + " files");

    ASSERT_TRUE(Install(folder));
    EXPECT_EQ(m_outcome.kind, Kind::Installed);
    EXPECT_EQ(m_outcome.filesTotal, count);
    EXPECT_EQ(m_outcome.filesHandled, count);
    EXPECT_EQ(m_outcome.filesFailed, 0);

    for (int i = 0; i < count; ++i) ExpectItemFile(f + kInstalledAs[i], packed[i]);
    if (count == 31) {
      EXPECT_EQ(FolderIsPresent(f + "dosbox"), dosboxInFolder);
      EXPECT_EQ(ReadWholeFile(f + "dosbox\\dosbox.exe"), dosboxInFolder ? "MZ earlier" : "");
    }
    if (dosboxInFolder) {
      EXPECT_EQ(ReadWholeFile(f + "dosbox\\mine.qlx-new"), "left");
      ::DeleteFileA((f + "dosbox\\mine.qlx-new").c_str());
    }
    EXPECT_EQ(StagedFilesLeft(f), std::vector<std::string>{});
    EXPECT_EQ(ReadWholeFile(f + "unins5100.dat"), CompleteRecord(folder, ListedFiles(count)));
    ExpectEntryAndLinks(f);

    const ExpectedRun expected = CompleteRunTrace(f, count, dosboxInFolder);
    EXPECT_EQ(RunMessages(), expected.log);
    EXPECT_EQ(m_script.calls, expected.calls);
    ASSERT_EQ(m_dialogs.notices.size(), 1u);
    EXPECT_EQ(m_dialogs.notices[0].title, "Quillon");
    EXPECT_EQ(m_dialogs.notices[0].text, SuccessReport());
    EXPECT_EQ(m_windowAtReport, std::vector<bool>{false});
    EXPECT_TRUE(m_infoBoxes.empty());
  }
}

// FAT and exFAT keep no access lists (Wine's drives all do, so the volume is asked through the
// seam): nothing is claimed protected there, and the report is to say so.
TEST_F(InstallRun, NoProtectionIsClaimedOnADriveWithoutAccessLists) {
  StartRunLog(m_logFolder / "install-test.exe");
  const std::string f = Folder("ztfat\\");
  const InstallFolderAccess access = PrepareInstallFolder(f, [](const std::string&) { return false; });
  EXPECT_EQ(access.error, 0u);
  EXPECT_TRUE(access.cannotProtect);
  EXPECT_EQ(RunMessages(), std::vector<std::string>{"InstallProgram.Folder cannot be protected on this drive: " +
                                                    f.substr(0, f.size() - 1)});
}

TEST_F(InstallRun, CancelAfterTheFirstAndAfterTheLastFile) {
  const int count = FreshFileCount();
  for (const int cancelAfter : {1, count}) {
    SCOPED_TRACE("cancelled after file " + std::to_string(cancelAfter));
    const std::string f = Folder("zt" + std::to_string(cancelAfter) + "\\");
    // An earlier installation's record and entry stay as they were.
    ASSERT_TRUE(::CreateDirectoryA(f.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(f + "unins5100.dat", "earlier record"));
    {
      UniqueHkey key;
      ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, ProductKeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  key.put(), nullptr),
                ERROR_SUCCESS);
      ASSERT_EQ(::RegSetValueExA(key.get(), "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>("Earlier"), 8),
                ERROR_SUCCESS);
    }
    m_script.cancelAfterFile = cancelAfter;

    EXPECT_FALSE(Install(f));
    EXPECT_EQ(m_outcome.kind, Kind::Cancelled);
    EXPECT_EQ(m_outcome.filesTotal, count);
    EXPECT_EQ(m_outcome.filesHandled, cancelAfter);
    ASSERT_EQ(m_dialogs.notices.size(), 1u);
    EXPECT_EQ(m_dialogs.notices[0].title, "Quillon");
    EXPECT_EQ(m_dialogs.notices[0].text, "Installation cancelled. " + std::to_string(cancelAfter) + " of " +
                                             std::to_string(count) + " files were installed.");
    EXPECT_EQ(m_windowAtReport, std::vector<bool>{false});
    for (int i = 0; i < count; ++i) EXPECT_EQ(FileIsPresent(f + kInstalledAs[i]), i < cancelAfter) << kInstalledAs[i];
    EXPECT_EQ(StagedFilesLeft(f), std::vector<std::string>{});
    // The window was told the end, and seen no further file after the cancel.
    const auto& calls = m_script.calls;
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.starts_with("SetFileName"); }),
              cancelAfter);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "ShowDone Installation Successful.");

    EXPECT_EQ(ReadWholeFile(f + "unins5100.dat"), "earlier record");
    EXPECT_EQ(RegistryText("DisplayName"), "Earlier");
    EXPECT_EQ(RegistryText("UnInstallString"), "<missing>");
    EXPECT_FALSE(FolderIsPresent(GroupFolderPath()));
    EXPECT_FALSE(FileIsPresent(DesktopLinkPath()));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ProductKeyPath().c_str());
  }
}

TEST_F(InstallRun, ExistingHelpServerIsKeptUnlessOlder) {
  const PackedItem item = PackedPayload()[kVnhhttp];
  ASSERT_EQ(item.storedName, "vnhhttp.exe");
  const auto date = static_cast<std::uint32_t>(item.timeStamp) >> 16;
  const WORD year = static_cast<WORD>(1980 + (date >> 9)), month = static_cast<WORD>((date >> 5) & 15);
  const WORD day = static_cast<WORD>(date & 31);
  struct Case {
    const char* folder;
    SYSTEMTIME existing;
    bool kept;
  };
  const Case cases[] = {
      // The item's own day, hours before its time: not older, so kept.
      {"same-day", {year, month, 0, day, 0, 0, 0, 0}, true},
      // The last minute of the day before: older, so replaced.
      {"day-before", {year, month, 0, static_cast<WORD>(day - 1), 23, 59, 58, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const std::string f = Folder(std::string(c.folder) + "\\");
    ASSERT_TRUE(::CreateDirectoryA(f.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(f + "vnhhttp.exe", "MZ an earlier help server"));
    ASSERT_TRUE(SetLocalWriteTime(f + "vnhhttp.exe", c.existing));
    const std::uint32_t existingStamp = PackedLocalWriteTime(f + "vnhhttp.exe");

    ASSERT_TRUE(Install(f));
    EXPECT_EQ(m_outcome.kind, Kind::Installed);
    if (c.kept) {
      EXPECT_EQ(ReadWholeFile(f + "vnhhttp.exe"), "MZ an earlier help server");
      EXPECT_EQ(PackedLocalWriteTime(f + "vnhhttp.exe"), existingStamp);
    } else {
      ExpectItemFile(f + "vnhhttp.exe", item);
    }
    const std::string record = ReadWholeFile(f + "unins5100.dat");
    const std::string fileList = ListedFiles(FreshFileCount(), c.kept ? std::vector<int>{kVnhhttp} : std::vector<int>{});
    EXPECT_NE(record.find("\r\nFile_List=" + fileList + "\r\n"), std::string::npos) << record;
    const std::vector<std::string> log = RunMessages();
    EXPECT_EQ(std::count(log.begin(), log.end(), "InstallProgram.file: " + f + "vnhhttp.exe"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "InstallProgram.File saved " + f + "vnhhttp.exe"), c.kept ? 0 : 1);
    EXPECT_EQ(m_dialogs.notices.at(0).text, SuccessReport());
  }
}

// A "NOT saved" line for the path with the system's error code, one of `codes`.
void ExpectNotSaved(const std::vector<std::string>& log, const std::string& path, std::vector<std::string> codes) {
  const std::string head = "InstallProgram.File NOT saved " + path + " (error ";
  const auto line = std::find_if(log.begin(), log.end(), [&](const std::string& m) { return m.starts_with(head); });
  ASSERT_NE(line, log.end()) << path;
  const std::string code = line->substr(head.size());
  EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << *line;
  EXPECT_EQ(std::count(log.begin(), log.end(), "InstallProgram.File saved " + path), 0) << path;
}

// An old copy held open by another program, and one marked read-only, and one hidden.
TEST_F(InstallRun, FilesThatCannotBeWrittenAreNamedAndTheRestInstalled) {
  const std::vector<PackedItem> packed = PackedPayload();
  const int count = FreshFileCount();
  const std::string f = Folder("zt\\");
  for (const char* folder : {"", "manuals", "tips"}) ASSERT_TRUE(::CreateDirectoryA((f + folder).c_str(), nullptr));
  struct Blocked {
    int position;
    DWORD attributes;
    bool held;
    std::vector<std::string> codes;
  };
  // Windows refuses to replace an open file with access denied or a sharing violation; Wine
  // says access denied.
  const Blocked blocked[] = {
      {1, FILE_ATTRIBUTE_NORMAL, true, {"5)", "32)"}},
      {10, FILE_ATTRIBUTE_READONLY, false, {"5)"}},
      {15, FILE_ATTRIBUTE_HIDDEN, false, {"5)"}},
  };
  std::vector<UniqueFileHandle> holders;
  for (const Blocked& b : blocked) {
    const std::string path = f + kInstalledAs[b.position];
    ASSERT_TRUE(WriteWholeFile(path, "old " + path));
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), b.attributes));
    if (b.held) holders.emplace_back(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  }
  ASSERT_TRUE(holders.front());

  ASSERT_TRUE(Install(f));
  holders.clear();
  EXPECT_EQ(m_outcome.kind, Kind::InstalledWithFailures);
  EXPECT_EQ(m_outcome.filesFailed, 3);
  ASSERT_EQ(m_dialogs.notices.size(), 1u);
  EXPECT_EQ(m_dialogs.notices[0].title, "Quillon");
  EXPECT_EQ(m_dialogs.notices[0].text, "Quillon, version " + OwnVersionText() + ", was installed, but 3 of " +
                                           std::to_string(count + 1) + " files could not be written:\r\n" + f +
                                           "quon.exe\r\n" + f + "manuals\\quillon.pdf\r\n" + f +
                                           "tips\\tip02.htm\n\nTo run Quillon, Click the QL icon on your desktop.");
  EXPECT_EQ(m_script.calls.at(m_script.calls.size() - 2), "ShowDone Installation finished with errors.");
  const std::vector<std::string> log = RunMessages();
  for (const Blocked& b : blocked) {
    const std::string path = f + kInstalledAs[b.position];
    EXPECT_EQ(ReadWholeFile(path), "old " + path);
    EXPECT_FALSE(FileIsPresent(path + ".qlx-new")) << path;
    ExpectNotSaved(log, path, b.codes);
  }
  for (int i = 0; i < count; ++i)
    if (i != 1 && i != 10 && i != 15) ExpectItemFile(f + kInstalledAs[i], packed[i]);
  // Listed for the uninstaller all the same: an old copy may be there.
  EXPECT_EQ(ReadWholeFile(f + "unins5100.dat"), CompleteRecord(f, ListedFiles(count)));
  ExpectEntryAndLinks(f);

  // Another folder (the shell may still be reading the icon the new links point at), whose old
  // record is held open: it counts as one more file that could not be written.
  const std::string g = Folder("zt2\\");
  ASSERT_TRUE(::CreateDirectoryA(g.c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(g + "unins5100.dat", "old record"));
  holders.emplace_back(::CreateFileA((g + "unins5100.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holders.front());
  ASSERT_TRUE(Install(g));
  holders.clear();
  EXPECT_EQ(m_outcome.kind, Kind::InstalledWithFailures);
  EXPECT_EQ(m_outcome.filesFailed, 1);
  EXPECT_EQ(m_dialogs.notices.at(0).text, "Quillon, version " + OwnVersionText() + ", was installed, but 1 of " +
                                              std::to_string(count + 1) + " files could not be written:\r\n" + g +
                                              "unins5100.dat\n\nTo run Quillon, Click the QL icon on your desktop.");
  ExpectNotSaved(RunMessages(), g + "unins5100.dat", {"32)"});
  EXPECT_EQ(ReadWholeFile(g + "unins5100.dat"), "old record");
  // The window's end state came before the record was saved.
  EXPECT_EQ(m_script.calls.at(m_script.calls.size() - 2), "ShowDone Installation Successful.");
  EXPECT_TRUE(m_infoBoxes.empty());
  ExpectEntryAndLinks(g);
}

TEST_F(InstallRun, NotOneFileWrittenMakesNothingElse) {
  // The install folder would lie below a file, so no folder and no file can be made.
  ASSERT_TRUE(WriteWholeFile(m_scratch / "blocker", "a file"));
  const std::string f = Folder("blocker\\zt\\");
  const int count = FreshFileCount();

  EXPECT_FALSE(Install(f));
  EXPECT_EQ(m_outcome.kind, Kind::Failed);
  EXPECT_EQ(m_outcome.filesFailed, count);
  std::string report = std::to_string(count) + " files could not be written:";
  for (int i = 0; i < count; ++i) report += "\r\n" + f + kInstalledAs[i];
  ASSERT_EQ(m_dialogs.notices.size(), 1u);
  EXPECT_EQ(m_dialogs.notices[0].text, report);
  EXPECT_EQ(m_outcome.message, report);
  EXPECT_EQ(m_script.calls.at(m_script.calls.size() - 2), "ShowDone Installation finished with errors.");
  ExpectNoInstallationSteps(f);
}

// The drive root's menu program and the folder installed into there, removed on every path.
struct DriveRootInstall {
  ~DriveRootInstall() {
    ::DeleteFileA("c:\\ztmenu.exe");
    RemoveTree("c:\\qlxtest-zt");
  }
};

TEST_F(InstallRun, MenuProgramOneLevelUpInstallsFilesOnlyButNotAtADriveRoot) {
  const std::vector<PackedItem> packed = PackedPayload();
  const int count = FreshFileCount();
  const std::string f = Folder("zt\\quillon\\");
  ASSERT_TRUE(::CreateDirectoryA(Folder("zt").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA(f.c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(Folder("zt\\ztmenu.exe"), "MZ menu"));
  // A file held open is named after the instructions.
  ASSERT_TRUE(WriteWholeFile(f + "qlx.exe", "old"));
  {
    UniqueFileHandle holder(::CreateFileA((f + "qlx.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_TRUE(Install(f));
  }
  EXPECT_EQ(m_outcome.kind, Kind::InstalledUnderMenu);
  EXPECT_EQ(m_outcome.filesFailed, 1);
  ASSERT_EQ(m_dialogs.notices.size(), 1u);
  EXPECT_EQ(m_dialogs.notices[0].title, "Quillon");
  EXPECT_EQ(m_dialogs.notices[0].text,
            "\r\n\r\nTo run Quillon, start the Corvane Menu program,\r\nand click the QL icon.\r\n\r\n"
            "1 files could not be written:\r\n" +
                f + "qlx.exe");
  for (int i = 1; i < count; ++i) ExpectItemFile(f + kInstalledAs[i], packed[i]);
  ExpectNoInstallationSteps(f);

  // c:\ is a drive root, not the menu program's folder: the whole installation is made.
  const DriveRootInstall cleanUp;
  ASSERT_TRUE(WriteWholeFile("c:\\ztmenu.exe", "MZ menu"));
  ASSERT_TRUE(Install("c:\\qlxtest-zt\\"));
  EXPECT_EQ(m_outcome.kind, Kind::Installed);
  EXPECT_EQ(m_dialogs.notices.at(0).text, SuccessReport());
  EXPECT_TRUE(FileIsPresent("c:\\qlxtest-zt\\unins5100.dat"));
  ExpectEntryAndLinks("c:\\qlxtest-zt\\");
}

}  // namespace
