// The DOSBox decision and search on the prefix's real Program Files folder. The whole program
// also runs in the 32-bit prefix, where the answer is "not needed" without any search.
#include "engine/DosboxDecision.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/run/RunLog.h"
#include "win32/RunLogMessages.h"

namespace {

bool SixtyFourBitPrefix() {
  BOOL wow64 = FALSE;
  return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

// Folders and files made below Program Files for one test, removed afterwards.
class DosboxTest : public testing::Test {
 protected:
  void SetUp() override {
    SetLogEnabled(true);
    StartRunLog(m_scratch / "dosbox-test.exe");
    m_programFiles = SpecialFolderPath(38) + "\\";
  }
  void TearDown() override {
    for (auto it = m_made.rbegin(); it != m_made.rend(); ++it) RemoveTree(*it);
  }

  // A folder below Program Files, optionally with dosbox.exe, optionally with attributes.
  void MakeFolder(const std::string& name, bool withExe, DWORD attributes = 0) {
    const std::string folder = m_programFiles + name;
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    m_made.push_back(folder);
    if (withExe) {
      ASSERT_TRUE(WriteWholeFile(folder + "\\dosbox.exe", "MZ"));
    }
    if (attributes) {
      ASSERT_TRUE(::SetFileAttributesA(folder.c_str(), attributes));
    }
  }
  void MakeFile(const std::string& name) {
    ASSERT_TRUE(WriteWholeFile(m_programFiles + name, "text"));
    m_made.push_back(m_programFiles + name);
  }

  ScratchFolder m_scratch{"dosbox"};
  std::string m_programFiles;
  std::vector<std::string> m_made;
};

TEST_F(DosboxTest, OnlyAFolderWithTheProgramIsFoundInLowerCase) {
  if (!SixtyFourBitPrefix()) GTEST_SKIP() << "search runs only on 64-bit Windows";
  MakeFolder("DOSBox-0.74", false);
  MakeFile("dosbox.txt");
  std::string path = "stale";
  EXPECT_FALSE(FindDosbox(m_scratch.Path(), {}, path));
  EXPECT_EQ(path, "");
  // After the banner: the two lines of the search.
  auto messages = LogMessages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1], "FindDosbox.started");
  EXPECT_EQ(messages[2], "FindDosbox = False: <>");

  MakeFolder("My DOSBox", true);
  EXPECT_TRUE(FindDosbox(m_scratch.Path(), {}, path));
  const std::string expected = "c:\\program files (x86)\\my dosbox\\dosbox.exe";
  EXPECT_EQ(path, expected);
  EXPECT_EQ(LogMessages().back(), "FindDosbox = True: <" + expected + ">");
}

TEST_F(DosboxTest, FirstFolderInListingOrderWins) {
  if (!SixtyFourBitPrefix()) GTEST_SKIP() << "search runs only on 64-bit Windows";
  MakeFolder("dosbox-b", true);
  MakeFolder("dosbox-a", true);
  // Whichever of the two the file system lists first is the one found; the search stops there.
  std::string first;
  WIN32_FIND_DATAA entry{};
  UniqueFindHandle listing(::FindFirstFileA((m_programFiles + "dosbox-?").c_str(), &entry));
  ASSERT_TRUE(listing);
  first = entry.cFileName;
  std::string path;
  EXPECT_TRUE(FindDosbox(m_scratch.Path(), {}, path));
  EXPECT_EQ(path, "c:\\program files (x86)\\" + first + "\\dosbox.exe");
}

TEST_F(DosboxTest, HiddenAndSystemFoldersAreSkipped) {
  if (!SixtyFourBitPrefix()) GTEST_SKIP() << "search runs only on 64-bit Windows";
  MakeFolder("DOSBox hidden", true, FILE_ATTRIBUTE_HIDDEN);
  MakeFolder("DOSBox system", true, FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(::GetFileAttributesA((m_programFiles + "DOSBox hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  std::string path;
  EXPECT_FALSE(FindDosbox(m_scratch.Path(), {}, path));
  // The same decision: without a DOSBox, one is needed.
  EXPECT_TRUE(NeedsDosbox(false, m_scratch.Path(), {}));
}

TEST_F(DosboxTest, InstallFolderCopyCountsWhenWholeAndIsFoundWithoutListing) {
  if (!SixtyFourBitPrefix()) GTEST_SKIP() << "search runs only on 64-bit Windows";
  // Program Files holds one too; the install folder's copy comes first once all of its files are
  // there. Until then (a run stopped halfway through them) the search goes on there.
  MakeFolder("dosbox", true);
  ASSERT_TRUE(::CreateDirectoryA((m_scratch / "dosbox").c_str(), nullptr));
  std::vector<std::string> files{m_scratch / "dosbox\\dosbox.exe", m_scratch / "dosbox\\SDL.dll",
                                 m_scratch / "dosbox\\SDL_net.dll"};
  std::string path;
  for (const std::string& file : files) {
    EXPECT_TRUE(FindDosbox(m_scratch.Path(), files, path));
    EXPECT_EQ(path, "c:\\program files (x86)\\dosbox\\dosbox.exe") << "before " << file;
    ASSERT_TRUE(WriteWholeFile(file, "MZ"));
  }
  EXPECT_TRUE(FindDosbox(m_scratch.Path(), files, path));
  EXPECT_EQ(path, m_scratch / "dosbox\\dosbox.exe");
  EXPECT_EQ(LogMessages().back(), "FindDosbox = True: <" + path + ">");
  EXPECT_FALSE(NeedsDosbox(false, m_scratch.Path(), files));
  // A DOSBox item whose file the run cannot tell leaves the copy unconfirmed.
  files.push_back("");
  EXPECT_TRUE(FindDosbox(m_scratch.Path(), files, path));
  EXPECT_EQ(path, "c:\\program files (x86)\\dosbox\\dosbox.exe");
}

TEST_F(DosboxTest, Decision) {
  // A DOSBox below Program Files: on 64-bit Windows it is found and not needed.
  MakeFolder("dosbox", true);
  struct Case {
    bool forced;  // "/usedosbox" (read from the command line with the other switches)
    bool needed64;
    bool needed32;
    bool searches64;
  };
  const Case cases[] = {
      {false, false, false, true},
      {true, true, true, false},
  };
  const bool sixtyFour = SixtyFourBitPrefix();
  for (const auto& c : cases) {
    StartRunLog(m_scratch / "dosbox-test.exe");
    EXPECT_EQ(NeedsDosbox(c.forced, m_scratch.Path(), {}), sixtyFour ? c.needed64 : c.needed32) << c.forced;
    bool searched = false;
    for (const auto& m : LogMessages()) searched = searched || m.rfind("FindDosbox", 0) == 0;
    EXPECT_EQ(searched, sixtyFour && c.searches64) << c.forced;
  }
}

}  // namespace
