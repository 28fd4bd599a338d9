// Folders and files on the real (Wine) file system.
#include "support/fs/Folders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "support/base/DateTime.h"
#include "support/fs/Files.h"

namespace {

class CurrentFolderGuard {
 public:
  CurrentFolderGuard() { ::GetCurrentDirectoryA(MAX_PATH, m_saved); }
  ~CurrentFolderGuard() { ::SetCurrentDirectoryA(m_saved); }
  CurrentFolderGuard(const CurrentFolderGuard&) = delete;
  CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;

 private:
  char m_saved[MAX_PATH + 1] = {};
};

TEST(EnsureFolder, RelativePathIsTakenBelowTheCurrentFolder) {
  ScratchFolder scratch("ensure");
  CurrentFolderGuard guard;
  const std::string work = scratch / "work";
  ASSERT_TRUE(::CreateDirectoryA(work.c_str(), nullptr));
  ASSERT_TRUE(::SetCurrentDirectoryA(work.c_str()));

  std::string path = "sub\\dir\\";
  ASSERT_TRUE(EnsureFolder(path));
  EXPECT_EQ(path, work + "\\sub\\dir");
  EXPECT_TRUE(FolderIsPresent(work + "\\sub"));
  EXPECT_TRUE(FolderIsPresent(work + "\\sub\\dir"));
}

TEST(EnsureFolder, AbsolutePathKeepsItsText) {
  ScratchFolder scratch("ensure");
  struct Case {
    std::string path;
  };
  const Case cases[] = {{scratch / "a\\b\\"}, {scratch / "c\\d\\e"}, {scratch / "a\\b"}, {scratch.Path()}};
  for (const auto& c : cases) {
    std::string path = c.path;
    EXPECT_TRUE(EnsureFolder(path)) << c.path;
    EXPECT_EQ(path, c.path);
    EXPECT_TRUE(FolderIsPresent(c.path)) << c.path;
  }
}

TEST(EnsureFolder, FailureLeavesThePathAndCreatesNothingBeyond) {
  ScratchFolder scratch("ensure");
  ASSERT_TRUE(WriteWholeFile(scratch / "file", "x"));
  struct Case {
    std::string path;
  };
  // Empty; below a file; a name the file system refuses.
  const Case cases[] = {{""}, {scratch / "file\\sub\\deeper"}, {scratch / "bad<name>\\x"}};
  for (const auto& c : cases) {
    std::string path = c.path;
    EXPECT_FALSE(EnsureFolder(path)) << c.path;
    EXPECT_EQ(path, c.path);
  }
  EXPECT_FALSE(FolderIsPresent(scratch / "file\\sub"));
}

TEST(FolderIsPresent, FoldersOnly) {
  ScratchFolder scratch("present");
  ASSERT_TRUE(WriteWholeFile(scratch / "file.txt", "x"));
  ASSERT_TRUE(::CreateDirectoryA((scratch / "dir").c_str(), nullptr));
  struct Case {
    std::string path;
    bool folder;
    bool file;
  };
  const Case cases[] = {
      {scratch / "dir", true, false},          {scratch / "dir\\", true, false},
      {scratch / "file.txt", false, true},     {scratch / "missing", false, false},
      {scratch / "missing\\x.txt", false, false}, {scratch / "a<b", false, false},
      {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderIsPresent(c.path), c.folder) << c.path;
    EXPECT_EQ(FileIsPresent(c.path), c.file) << c.path;
  }
}

TEST(FileIsPresent, FileHeldOpenWithoutSharingIsStillThere) {
  ScratchFolder scratch("present");
  const std::string path = scratch / "held.txt";
  ASSERT_TRUE(WriteWholeFile(path, "x"));
  UniqueFileHandle held(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  EXPECT_TRUE(FileIsPresent(path));
}

TEST(SpecialFolders, PathsOfThisPrefix) {
  const std::string documents = SpecialFolderPath(46);
  ASSERT_FALSE(documents.empty());
  EXPECT_NE(documents.back(), '\\');
  EXPECT_TRUE(FolderIsPresent(documents));
  const std::string common = CommonDocumentsFolder();
  EXPECT_EQ(common, "c:\\users\\public\\documents\\");

  // A 32-bit program sees the 32-bit Program Files folder.
  const bool sixtyFourBit = FolderIsPresent("c:\\windows\\syswow64");
  EXPECT_EQ(ProgramFilesFolder(), sixtyFourBit ? "c:\\program files (x86)" : "c:\\program files");
  EXPECT_EQ(SpecialFolderPath(36), "C:\\windows");
  // No such identifier: no path.
  EXPECT_EQ(SpecialFolderPath(0x7777), "");
}

}  // namespace
