// The run log made read-only before the installer starts. Wine running as root ignores the
// read-only attribute, so this program is run by unprivileged.sh as an unprivileged user in a
// prefix of its own; elsewhere the case skips itself.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "e2e/Harness.h"
#include "e2e/RunLogFolder.h"
#include "support/win/UniqueHandle.h"

namespace {

TEST(RunLogUnprivileged, ReadOnlyLogDropsLinesAndTheRunGoesOn) {
  const std::string path = RunLogFolder() + "qlx355.log";
  ::CreateDirectoryA(RunLogFolder().c_str(), nullptr);
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(WriteWholeFile(path, "an earlier run\r\n"));
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  const bool honoured = !UniqueFileHandle(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!honoured) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    GTEST_SKIP() << "the read-only attribute is not honoured for this user";
  }
  StartAndClose(InstallerPath());
  const std::string content = ReadWholeFile(path);
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(content, "an earlier run\r\n");
}

}  // namespace
