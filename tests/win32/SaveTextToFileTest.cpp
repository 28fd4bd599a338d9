// The whole-text write of the uninstall record: replacing, deleting, and the system's error
// without a report.
#include "support/run/SaveTextToFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "support/fs/Files.h"
#include "support/run/Application.h"
#include "support/win/UniqueHandle.h"

namespace {

TEST(SaveTextToFile, WritesReplacesAndDeletes) {
  ScratchFolder scratch("save");
  const std::string path = scratch / "unins5100.dat";
  // Killed runs left these, one of them with this process's id (ids are given again); others
  // are not ours.
  const std::string ownId = path + "." + std::to_string(::GetCurrentProcessId());
  for (const std::string& left : {path + ".4242", ownId, path + ".42x"}) ASSERT_TRUE(WriteWholeFile(left, "killed"));
  EXPECT_TRUE(SaveTextToFile(path, "[Uninstall]\r\nguid=x\r\n").Written());
  EXPECT_EQ(ReadWholeFile(path), "[Uninstall]\r\nguid=x\r\n");
  EXPECT_FALSE(FileIsPresent(path + ".4242"));
  EXPECT_FALSE(FileIsPresent(ownId));
  EXPECT_EQ(ReadWholeFile(path + ".42x"), "killed");
  // A shorter text replaces the whole content.
  EXPECT_TRUE(SaveTextToFile(path, std::string("a\0b", 3)).Written());
  EXPECT_EQ(ReadWholeFile(path), std::string("a\0b", 3));
  EXPECT_EQ(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_TRUE(SaveTextToFile(path, "").Written());
  EXPECT_FALSE(FileIsPresent(path));
  // Nothing to delete: quiet.
  EXPECT_TRUE(SaveTextToFile(path, "").Written());
}

TEST(SaveTextToFile, AFileThatCannotBeOpenedGivesTheSystemsErrorWithoutAReport) {
  ScratchFolder scratch("save");
  std::vector<std::string> boxes;
  SetInfoBoxHandler([&](const std::string& text) { boxes.push_back(text); });
  EXPECT_EQ(SaveTextToFile(scratch / "missing\\x.dat", "text").error, static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(FileIsPresent(scratch / "missing\\x.dat"));
  const std::string held = scratch / "held.dat";
  ASSERT_TRUE(WriteWholeFile(held, "old"));
  {
    UniqueFileHandle holder(::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_EQ(SaveTextToFile(held, "new").error, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(ReadWholeFile(held), "old");
  SetInfoBoxHandler(nullptr);
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
