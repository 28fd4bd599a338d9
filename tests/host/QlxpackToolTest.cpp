// The packing tool as a program: its manifest errors, reproducible output, and its dates.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "payload/PayloadFormat.h"
#include "qlxpack/DosDateTime.h"

namespace fs = std::filesystem;

namespace {

struct RunResult {
  int exitCode;
  std::string output;
};

RunResult RunTool(const std::string& arguments, const std::string& environment = "") {
  const std::string command = environment + " " QLXPACK_PATH " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, "popen failed"};
  std::string output;
  std::array<char, 4096> chunk;
  while (const std::size_t n = fread(chunk.data(), 1, chunk.size(), pipe)) output.append(chunk.data(), n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    m_path = fs::temp_directory_path() / ("qlxpack-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(m_path);
    fs::create_directories(m_path);
  }
  ~ScratchFolder() { fs::remove_all(m_path); }
  const fs::path& Path() const { return m_path; }

 private:
  fs::path m_path;
};

struct ManifestErrorCase {
  const char* what;
  const char* manifest;  // "\n"-separated lines; files a.txt, b.txt and empty.txt exist beside it
  const char* expected;  // a piece of the one-line message, after "m.manifest:"
  const char* alsoExpected = "";  // another piece of it, further on
};

class QlxpackManifestErrorTest : public testing::TestWithParam<ManifestErrorCase> {};

TEST_P(QlxpackManifestErrorTest, FailsWithOneLineNamingTheManifestLine) {
  ScratchFolder scratch;
  WriteFile(scratch.Path() / "a.txt", "alpha");
  WriteFile(scratch.Path() / "b.txt", "beta");
  WriteFile(scratch.Path() / "empty.txt", "");
  fs::create_directories(scratch.Path() / "folder.txt");
  WriteFile(scratch.Path() / "m.manifest", GetParam().manifest);
  const RunResult r = RunTool("pack " + (scratch.Path() / "m.manifest").string() + " " + (scratch.Path() / "out").string());
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_NE(r.output.find("m.manifest:" + std::string(GetParam().expected)), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(GetParam().alsoExpected), std::string::npos) << r.output;
  EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
  EXPECT_FALSE(fs::exists(scratch.Path() / "out" / "payload.rc"));
}

INSTANTIATE_TEST_SUITE_P(
    Manifests, QlxpackManifestErrorTest,
    testing::Values(
        ManifestErrorCase{"MissingSource", "RS_A a.txt a.txt\nRS_B b.txt nope.bin\n", "2: source \""},
        ManifestErrorCase{"SourceIsAFolder", "RS_A a.txt folder.txt\n", "1: source \""},
        ManifestErrorCase{"EmptySource", "RS_A a.txt a.txt\nRS_B b.txt empty.txt\n", "2: source \"",
                          "empty.txt\" is empty; the installer cannot install an empty file"},
        ManifestErrorCase{"NameOver30", "# c\n\nRS_A 0123456789012345678901234567890 a.txt\n",
                          "3: stored name \"0123456789012345678901234567890\" is longer than 30 characters"},
        ManifestErrorCase{"NameWithFolder", "RS_A ..\\evil.exe a.txt\n", "1: stored name \"..\\evil.exe\" is not a bare file name"},
        ManifestErrorCase{"NameEmpty", "RS_A \"\" a.txt\n", "1: stored name \"\" is not a bare file name"},
        ManifestErrorCase{"Duplicate", "RS_A a.txt a.txt\n#\nrs_a b.txt b.txt\n", "3: duplicate item RS_A (first on line 1)"},
        ManifestErrorCase{"WrongPrefix", "XS_A a.txt a.txt\n", "1: item name \"XS_A\" is not RS_"},
        ManifestErrorCase{"NoStem", "RS_ a.txt a.txt\n", "1: item name \"RS_\" is not RS_"},
        ManifestErrorCase{"StemWithDash", "RS_A-B a.txt a.txt\n", "1: item name \"RS_A-B\" is not RS_"},
        ManifestErrorCase{"TooFewFields", "RS_A a.txt\n", "1: expected: item stored-name source"},
        ManifestErrorCase{"TooManyFields", "RS_A a.txt a.txt 2016-01-01 10:00 x\n", "1: expected: item stored-name source"},
        ManifestErrorCase{"UnclosedQuote", "RS_A \"a.txt a.txt\n", "1: unclosed quote"},
        ManifestErrorCase{"NoSuchDay", "RS_A a.txt a.txt 2016-02-30\n", "1: bad date \"2016-02-30\""},
        ManifestErrorCase{"Before1980", "RS_A a.txt a.txt 1979-12-31\n", "1: bad date"},
        ManifestErrorCase{"BadHour", "RS_A a.txt a.txt 2016-02-05 24:00\n", "1: bad date \"2016-02-05 24:00\""}),
    [](const testing::TestParamInfo<ManifestErrorCase>& info) { return info.param.what; });

TEST(QlxpackTool, RefusesASourceOfTwoGibibytes) {
  ScratchFolder scratch;
  {
    std::ofstream(scratch.Path() / "big.bin");
  }
  fs::resize_file(scratch.Path() / "big.bin", 0x80000000u);  // sparse: no disk space used
  WriteFile(scratch.Path() / "m.manifest", "RS_BIG big.bin big.bin\n");
  const RunResult r = RunTool("pack " + (scratch.Path() / "m.manifest").string() + " " + (scratch.Path() / "out").string());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("m.manifest:1: source \""), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("\" is 2 GiB or larger"), std::string::npos) << r.output;
}

TEST(QlxpackTool, OutputIsByteIdenticalUnderSourceDateEpoch) {
  ScratchFolder scratch;
  WriteFile(scratch.Path() / "a.txt", std::string(5000, 'a'));
  WriteFile(scratch.Path() / "b b.txt", "second");
  WriteFile(scratch.Path() / "m.manifest",
            "# two items without dates take the file date, held back to SOURCE_DATE_EPOCH\n"
            "RS_A a.txt a.txt\nRS_B \"read me.txt\" \"b b.txt\"\nRS_C c.txt a.txt 2016-02-05 03:55:01\n");
  const std::string manifest = (scratch.Path() / "m.manifest").string();
  // 2016-02-05 03:55:00 UTC; the time zone of the build machine must not matter.
  const RunResult first = RunTool("pack " + manifest + " " + (scratch.Path() / "one").string(), "SOURCE_DATE_EPOCH=1454644500 TZ=UTC");
  const RunResult second =
      RunTool("pack " + manifest + " " + (scratch.Path() / "two").string(), "SOURCE_DATE_EPOCH=1454644500 TZ=Pacific/Auckland");
  ASSERT_EQ(first.exitCode, 0) << first.output;
  ASSERT_EQ(second.exitCode, 0) << second.output;
  for (const char* file : {"RS_A.bin", "RS_B.bin", "RS_C.bin", "payload.rc"})
    EXPECT_EQ(ReadFile(scratch.Path() / "one" / file), ReadFile(scratch.Path() / "two" / file)) << file;
  EXPECT_EQ(ReadFile(scratch.Path() / "one" / "payload.rc"),
            "// Payload items written by qlxpack from m.manifest; each is an RCDATA resource named after its item.\n"
            "RS_A RCDATA \"RS_A.bin\"\nRS_B RCDATA \"RS_B.bin\"\nRS_C RCDATA \"RS_C.bin\"\n");

  const std::string list = ReadFile(scratch.Path() / "one" / "payload.lst");
  const std::int32_t epochStamp = PackDosDateTime({2016, 2, 5, 3, 55, 0});
  EXPECT_NE(list.find("RS_A\ta.txt\t"), std::string::npos);
  EXPECT_NE(list.find("\t" + std::to_string(epochStamp) + "\t5000\t"), std::string::npos) << list;
  // Seconds are stored halved: 03:55:01 becomes 03:55:00.
  EXPECT_NE(list.find("RS_C\tc.txt\t" + (scratch.Path() / "a.txt").string() + "\t" + std::to_string(epochStamp)),
            std::string::npos)
      << list;
  EXPECT_NE(list.find("RS_B\tread me.txt\t"), std::string::npos) << list;

  // --zlib packs zlib's own level-9 streams: the same files come out, the default streams are
  // never larger, and on text with some variety they are smaller.
  std::string words;
  for (std::uint32_t x = 355; words.size() < 200'000; x = x * 1103515245u + 12345u)
    words += std::array<const char*, 6>{"quill ", "dos ", "game ", "board\r\n", "tip ", "corvane "}[(x >> 16) % 6];
  WriteFile(scratch.Path() / "a.txt", words);
  ASSERT_EQ(RunTool("pack " + manifest + " " + (scratch.Path() / "dense").string()).exitCode, 0);
  const RunResult zlib = RunTool("pack --zlib " + manifest + " " + (scratch.Path() / "zlib").string());
  ASSERT_EQ(zlib.exitCode, 0) << zlib.output;
  PseudoRandom generator;
  const std::string key = BuildPayloadKey(generator, kPayloadSeed);
  for (const char* file : {"RS_A.bin", "RS_B.bin", "RS_C.bin"}) {
    std::array<std::string, 3> name, bytes;
    std::array<std::int32_t, 2> stamp{};
    std::array<std::size_t, 2> size{};
    for (int i = 0; i < 2; ++i) {
      std::string item = ReadFile(scratch.Path() / (i ? "zlib" : "dense") / file);
      size[i] = item.size();
      DecodePayloadItem(file, key, reinterpret_cast<std::uint8_t*>(item.data()), item.size(), name[i], stamp[i], bytes[i]);
    }
    EXPECT_EQ(name[0], name[1]) << file;
    EXPECT_EQ(stamp[0], stamp[1]) << file;
    EXPECT_EQ(bytes[0], bytes[1]) << file;
    EXPECT_LE(size[0], size[1]) << file;
    if (std::string(file) != "RS_B.bin") EXPECT_LT(size[0], size[1]) << file;
  }
}

TEST(QlxpackTool, UsageAndUnreadableInputs) {
  struct Case {
    std::string arguments;
    int exitCode;
    const char* piece;
  };
  const Case cases[] = {
      {"", 2, "usage: qlxpack"},
      {"unpack x", 2, "usage: qlxpack"},
      {"pack only-one", 2, "usage: qlxpack"},
      {"pack /nonexistent/m.manifest /tmp/x", 1, "qlxpack: cannot read manifest /nonexistent/m.manifest"},
      {"inspect /nonexistent/x.exe", 2, "qlxpack: cannot read /nonexistent/x.exe"},
      {"inspect " QLXPACK_PATH, 2, "not an executable (no MZ header)"},
  };
  for (const Case& c : cases) {
    const RunResult r = RunTool(c.arguments);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.arguments << "\n" << r.output;
    EXPECT_NE(r.output.find(c.piece), std::string::npos) << c.arguments << "\n" << r.output;
  }
}

TEST(DosDateTime, PacksClampsAndParses) {
  struct Case {
    CivilDateTime in;
    std::uint32_t packed;
    const char* shown;
  };
  const Case cases[] = {
      {{1980, 1, 1, 0, 0, 0}, 0x00210000u, "1980-01-01 00:00:00"},
      {{2016, 2, 5, 3, 55, 0}, (36u << 25 | 2u << 21 | 5u << 16 | 3u << 11 | 55u << 5), "2016-02-05 03:55:00"},
      {{2016, 2, 5, 23, 59, 59}, (36u << 25 | 2u << 21 | 5u << 16 | 23u << 11 | 59u << 5 | 29u), "2016-02-05 23:59:58"},
      {{1970, 1, 1, 0, 0, 0}, 0x00210000u, "1980-01-01 00:00:00"},
      {{2107, 12, 31, 23, 59, 58}, 0xFF9FBF7Du, "2107-12-31 23:59:58"},
      {{2200, 1, 1, 0, 0, 0}, 0xFF9FBF7Du, "2107-12-31 23:59:58"},
  };
  for (const Case& c : cases) {
    const std::int32_t stamp = PackDosDateTime(c.in);
    EXPECT_EQ(static_cast<std::uint32_t>(stamp), c.packed) << c.shown;
    EXPECT_EQ(FormatDosDateTime(stamp), c.shown);
  }
  EXPECT_TRUE(ParseCivilDateTime("2016-02-29", ""));
  EXPECT_TRUE(ParseCivilDateTime("2000-02-29", "12:00"));
  for (const auto& [date, time] : std::vector<std::pair<const char*, const char*>>{
           {"2015-02-29", ""}, {"1900-02-29", ""}, {"2016-13-01", ""}, {"2016-1-01", ""}, {"2016-01-01", "1:00"},
           {"2016-01-01", "10:60"}, {"2016-01-01", "10:00:60"}, {"2016/01/01", ""}, {"2108-01-01", ""}})
    EXPECT_FALSE(ParseCivilDateTime(date, time)) << date << " " << time;
}

}  // namespace
