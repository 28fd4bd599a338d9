#include "support/base/Paths.h"

#include <gtest/gtest.h>

#include "support/base/CodePage.h"
#include "support/base/FileNameRules.h"
#include "support/base/Text.h"

namespace {

struct PathCase {
  const char* in;
  const char* expected;
};

TEST(Paths, AddTrailingBackslash) {
  const PathCase cases[] = {
      {"", ""},           {"c:", "c:\\"},         {"c:\\x", "c:\\x\\"},       {"c:\\x\\", "c:\\x\\"},
      {"c:\\\\\\", "c:\\"}, {"c:\\x\\\\\\", "c:\\x\\"}, {"\\", "\\"},             {"\\\\", "\\"},
      {"\\\\\\\\", "\\"},  {"a", "a\\"},            {"d:\\my games\\zt", "d:\\my games\\zt\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(AddTrailingBackslash(c.in), c.expected) << c.in;
}

TEST(Paths, StripTrailingBackslashes) {
  const PathCase cases[] = {
      {"", ""}, {"c:\\x\\\\", "c:\\x"}, {"c:\\", "c:"}, {"\\\\\\", ""}, {"c:\\x", "c:\\x"}, {"a\\b\\", "a\\b"},
  };
  for (const auto& c : cases) EXPECT_EQ(StripTrailingBackslashes(c.in), c.expected) << c.in;
}

TEST(Paths, FolderAndNameParts) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
  };
  const Case cases[] = {
      {"c:\\users\\public\\documents\\corvane\\qlx355.exe", "c:\\users\\public\\documents\\corvane\\", "qlx355.exe"},
      {"c:x.exe", "c:", "x.exe"},
      {"x.exe", "", "x.exe"},
      {"c:\\dir\\", "c:\\dir\\", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(NamePart(c.path), c.name) << c.path;
  }
}

TEST(Paths, ReplaceExtensionOnlyLooksAtTheName) {
  const PathCase cases[] = {
      {"c:\\corvane\\qlx355.exe", "c:\\corvane\\qlx355.log"},
      {"c:\\corvane\\setup.exe", "c:\\corvane\\setup.log"},
      {"c:\\corvane\\setup", "c:\\corvane\\setup.log"},
      // A dot in a folder name is not an extension.
      {"c:\\my.dir\\setup", "c:\\my.dir\\setup.log"},
      {"c:.dir", "c:.log"},
      {"c:\\a\\b.tar.gz", "c:\\a\\b.tar.log"},
      {"c:\\a\\name.", "c:\\a\\name.log"},
      {"", ".log"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceExtension(c.in, ".log"), c.expected) << c.in;
}

TEST(Paths, QuotedIfBlank) {
  const PathCase cases[] = {
      {"c:\\zt\\unins.exe", "c:\\zt\\unins.exe"},
      {"d:\\my games\\zt\\unins.exe", "\"d:\\my games\\zt\\unins.exe\""},
      {" ", "\" \""},
      {"", ""},
      {"c:\\tab\there", "c:\\tab\there"},
  };
  for (const auto& c : cases) EXPECT_EQ(QuotedIfBlank(c.in), c.expected) << c.in;
}

TEST(Paths, DriveLetterIsAnAsciiLetterAndAColon) {
  for (const char* yes : {"c:", "Z:x", "a:\\"}) EXPECT_TRUE(StartsWithDriveLetter(yes)) << yes;
  for (const char* no : {"", "c", "1:", "@:", "[:", "`:", "{:", "\xC4:", "\\c:"})
    EXPECT_FALSE(StartsWithDriveLetter(no)) << no;
  EXPECT_TRUE(StartsWithDriveRoot("C:\\x"));
  EXPECT_FALSE(StartsWithDriveRoot("c:x"));
}

// Code page 932: "\x83\x5C" ("so") ends in a backslash byte, "\x83\x41" ("a") holds an "A" byte
// and "\x83\x7C" ("po") a "|" byte. None of them is split, lowered or taken for a separator.
TEST(Paths, DoubleByteCharactersAreNeverSplit) {
  const ScopedAnsiCodePage codePage(932);
  const std::string so = "c:\\\x83\x5C", a = "c:\\\x83\x41";
  EXPECT_EQ(AddTrailingBackslash(so), so + "\\");
  EXPECT_EQ(AddTrailingBackslash(so + "\\\\"), so + "\\");
  EXPECT_EQ(StripTrailingBackslashes(so + "\\"), so);
  EXPECT_EQ(StripTrailingBackslashes(so), so);
  EXPECT_EQ(FolderPart(so + "x\\\x83\x5C.txt"), so + "x\\");
  EXPECT_EQ(NamePart(so), "\x83\x5C");
  EXPECT_EQ(ReplaceExtension(so, ".log"), so + ".log");
  EXPECT_EQ(AsciiLower("C:\\\x83\x41" "B"), "c:\\\x83\x41" "b");
  EXPECT_TRUE(SameTextIgnoringCase(a, "C:\\\x83\x41"));
  EXPECT_FALSE(SameTextIgnoringCase(a, "c:\\\x83\x61"));
  EXPECT_EQ(FolderAtOrBelow(a + "\\x", {"c:\\\x83\x61"}), "");
  EXPECT_TRUE(IsPlainName("\x83\x5C\x83\x7C.txt"));
  EXPECT_FALSE(IsPlainName("zt\x83"));  // a lead byte alone would join with the backslash after it
  // Read as a single-byte code page, the same bytes hold a backslash and a "|".
  const ScopedAnsiCodePage singleByte(1252);
  EXPECT_EQ(AddTrailingBackslash(so), so);
  EXPECT_FALSE(IsPlainName("\x83\x5C\x83\x7C.txt"));
}

TEST(Paths, LeftoverOwnerIsTheNameBeforeTheStagingSuffix) {
  const PathCase cases[] = {{"qlx.exe.qlx-new", "qlx.exe"},     {"SDL.dll.QLX-NEW.4321", "SDL.dll"},
                            {"a.qlx-new.qlx-new", "a.qlx-new"}, {"c:\\x.y\\a.qlx-new.7", "c:\\x.y\\a"},
                            {"a.qlx-new.", nullptr},           {"a.qlx-new.12x", nullptr},
                            {"a.qlx-newer", nullptr},          {".qlx-new", nullptr},
                            {"a.qlx-ne", nullptr},             {"qlx.exe", nullptr}};
  for (const PathCase& c : cases) {
    const auto owner = LeftoverOwner(c.in);
    EXPECT_EQ(owner.has_value(), c.expected != nullptr) << c.in;
    if (owner && c.expected) EXPECT_EQ(*owner, c.expected) << c.in;
  }
}

}  // namespace
