// Locked and read-only files in an existing install folder: each is reported (a "NOT saved"
// line, named in the closing report, exit code 6), keeps its bytes, and everything else is
// installed. The read-only case means something only when the system honours the attribute
// (Wine running as root does not): it is run as an unprivileged user and skips itself
// otherwise.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "common/ScratchFolder.h"
#include "e2e/Harness.h"
#include "support/fs/Folders.h"
#include "support/win/UniqueHandle.h"

namespace {

const std::string kFolder = "c:\\qlxlocked\\";
// One file in the install folder itself, one in a sub-folder.
const std::vector<std::string> kGuarded = {"quon.exe", "manuals\\quillon.pdf"};

std::string RunLog() { return ReadWholeFile(CommonDocumentsFolder() + "corvane\\qlx355.log"); }

class LockedFiles : public testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(kFolder);
    ASSERT_TRUE(::CreateDirectoryA(kFolder.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA((kFolder + "manuals").c_str(), nullptr));
    for (const auto& name : kGuarded) ASSERT_TRUE(WriteWholeFile(kFolder + name, "old " + name));
    ASSERT_TRUE(WriteWholeFile(kFolder + "readme.txt", "old readme"));
  }
  void TearDown() override {
    for (const auto& name : kGuarded) ::SetFileAttributesA((kFolder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveTree(kFolder);
  }

  // Installs over the folder and checks what the run says and leaves.
  void InstallAndCheck() {
    auto installer = InstallerProcess::Start(InstallerPath(), "\"/dir=c:\\qlxlocked\" /verysilent");
    ASSERT_TRUE(installer.WaitForExit(240000));
    EXPECT_EQ(installer.ExitCode(), 6u);
    const std::string log = RunLog();
    for (const auto& name : kGuarded) {
      EXPECT_NE(log.find("InstallProgram.File NOT saved " + kFolder + name + " (error "), std::string::npos) << name;
      EXPECT_NE(log.find("Report: " + kFolder + name), std::string::npos) << "the report names " << name;
      EXPECT_EQ(log.find("InstallProgram.File saved " + kFolder + name), std::string::npos) << name;
    }
    const auto lines = CrLfLines(log);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("Exit code 6: installed, 2 of 35 files not written"), std::string::npos) << lines.back();
    EXPECT_EQ(log.find("was installed successfully"), std::string::npos);
  }

  void CheckWhatIsLeft() {
    for (const auto& name : kGuarded) EXPECT_EQ(ReadWholeFile(kFolder + name), "old " + name);
    EXPECT_NE(ReadWholeFile(kFolder + "readme.txt"), "old readme");
    const auto files = FilesBelow(kFolder);
    // The payload's 34 files and the record; nothing half-written beside them.
    EXPECT_EQ(files.size(), 35u);
    for (const auto& f : files) EXPECT_EQ(f.find(".qlx-new"), std::string::npos) << f;
    EXPECT_FALSE(ReadWholeFile(kFolder + "unins5100.dat").empty());
  }
};

TEST_F(LockedFiles, HeldOpenWithoutSharing) {
  {
    std::vector<UniqueFileHandle> held;
    for (const auto& name : kGuarded) {
      held.emplace_back(::CreateFileA((kFolder + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(held.back()) << name;
    }
    InstallAndCheck();
  }
  CheckWhatIsLeft();
}

TEST_F(LockedFiles, ReadOnly) {
  for (const auto& name : kGuarded)
    ASSERT_TRUE(::SetFileAttributesA((kFolder + name).c_str(), FILE_ATTRIBUTE_READONLY));
  const bool honoured = !UniqueFileHandle(
      ::CreateFileA((kFolder + kGuarded[0]).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!honoured) GTEST_SKIP() << "the read-only attribute is not honoured for this user";
  InstallAndCheck();
  CheckWhatIsLeft();
  for (const auto& name : kGuarded)
    EXPECT_TRUE(::GetFileAttributesA((kFolder + name).c_str()) & FILE_ATTRIBUTE_READONLY) << name;
}

}  // namespace
