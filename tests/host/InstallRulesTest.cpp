// Where each payload file goes, which files the uninstall record lists, and when an existing
// copy is kept.
#include "engine/InstallRules.h"

#include <gtest/gtest.h>

namespace {

constexpr int kNormalFiles = 31;

TEST(FileDestination, FirstMatchingRuleWins) {
  const InstallFolders folders("c:\\zt");
  EXPECT_EQ(folders.install, "c:\\zt\\");
  EXPECT_EQ(folders.dosbox, "c:\\zt\\dosbox\\");
  struct Case {
    const char* name;
    int position;
    const char* expected;
  };
  const Case cases[] = {
      {"qlx.exe", 0, "c:\\zt\\qlx.exe"},
      {"quillon.pdf", 10, "c:\\zt\\manuals\\quillon.pdf"},
      {"docs.pdf.bak", 3, "c:\\zt\\manuals\\docs.pdf.bak"},
      {"sumatrareader.exe", 12, "c:\\zt\\manuals\\sumatrareader.exe"},
      // Letter case counts: neither goes to the manuals folder.
      {"Sumatra.exe", 12, "c:\\zt\\Sumatra.exe"},
      {"QUILLON.PDF", 10, "c:\\zt\\QUILLON.PDF"},
      {"tip01.htm", 14, "c:\\zt\\tips\\tip01.htm"},
      {"tip07.html", 20, "c:\\zt\\tips\\tip07.html"},
      {"tip13.mht", 26, "c:\\zt\\tips\\tip13.mht"},
      // A name with both goes where the first rule sends it.
      {"guide.htm.pdf", 15, "c:\\zt\\manuals\\guide.htm.pdf"},
      {"dosbox.conf", 30, "c:\\zt\\dosbox.conf"},
      {"dosbox.exe", 31, "c:\\zt\\dosbox\\dosbox.exe"},
      {"SDL_net.dll", 33, "c:\\zt\\dosbox\\SDL_net.dll"},
      // The name rules apply to the DOSBox items too.
      {"sumatra.dll", 32, "c:\\zt\\manuals\\sumatra.dll"},
      {"readme.htm", 33, "c:\\zt\\tips\\readme.htm"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileDestination(c.name, c.position, kNormalFiles, folders), c.expected) << c.name;
}

TEST(ListedInFileList, NormalFilesOnlyAndWithDosboxNotTheLastOne) {
  struct Case {
    int position;
    bool withoutDosbox;
    bool withDosbox;
  };
  const Case cases[] = {{0, true, true}, {29, true, true}, {30, true, false}, {31, false, false}, {33, false, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(ListedInFileList(c.position, kNormalFiles, false), c.withoutDosbox) << c.position;
    EXPECT_EQ(ListedInFileList(c.position, kNormalFiles, true), c.withDosbox) << c.position;
  }
}

// 2016-02-03 11:20:00 packed: date high, time low.
constexpr std::uint32_t kItemStamp = ((2016u - 1980) << 9 | 2 << 5 | 3) << 16 | (11 << 11 | 20 << 5);
constexpr double kItemDay = 42403;

TEST(ExistingFileIsNotOlder, ComparesWholeDays) {
  struct Case {
    double existing;
    bool kept;
  };
  const Case cases[] = {
      {kItemDay, true},              // midnight of the item's day, though earlier than 11:20
      {kItemDay + 0.99, true},
      {kItemDay + 400, true},
      {kItemDay - 0.0001, false},    // the evening before
      {kItemDay - 3000, false},
  };
  for (const auto& c : cases) EXPECT_EQ(ExistingFileIsNotOlder(kItemStamp, c.existing), c.kept) << c.existing;
  // A stamp that is no date (month 0) never keeps a file.
  EXPECT_FALSE(ExistingFileIsNotOlder(0, 80000));
}

}  // namespace
