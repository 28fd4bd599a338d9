// The real reader on the sample payload, linked into this executable exactly as into the
// installer: every item against its source file, name lookup, failures, generator state.
#include "payload/PayloadReader.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "payload/InflateBuffer.h"
#include "payload/PayloadFormat.h"
#include "payload/PseudoRandom.h"
#include "qlxpack/PayloadEncoder.h"
#include "win32/SamplePayload.h"

namespace {

// The state the shared generator is left in by the payload key (seed, then 50 draws).
constexpr std::uint32_t kStateAfterKey = 0xDF83ED7Fu;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return s;
}

TEST(PayloadReader, EveryListedItemReadsBackAsItsSource) {
  const std::vector<PackedItem> packed = PackedPayload();
  const std::vector<std::string> names = InstallerItemNames();
  ASSERT_EQ(names.size(), 34u);
  ASSERT_EQ(packed.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    // The manifest follows the list's order.
    ASSERT_EQ(Lower(packed[i].item), Lower(names[i]));
    std::string fileName, bytes;
    std::int32_t stamp = 0;
    ReadPayloadItem(names[i], fileName, stamp, bytes);
    const std::string source = ReadUnixFile(packed[i].source);
    ASSERT_FALSE(source.empty()) << packed[i].source;
    EXPECT_EQ(fileName, packed[i].storedName) << names[i];
    EXPECT_EQ(stamp, packed[i].timeStamp) << names[i];
    EXPECT_TRUE(bytes == source) << names[i] << ": " << bytes.size() << " bytes, source " << source.size();
  }
}

TEST(PayloadReader, StoredNamesMeetTheInstallRules) {
  std::vector<std::string> stored;
  for (const std::string& name : InstallerItemNames()) {
    std::string fileName, bytes;
    std::int32_t stamp;
    ReadPayloadItem(name, fileName, stamp, bytes);
    EXPECT_FALSE(bytes.empty()) << name;
    stored.push_back(fileName);
  }
  const auto at = [&](const char* item) {
    const auto names = InstallerItemNames();
    return stored[std::find(names.begin(), names.end(), item) - names.begin()];
  };
  EXPECT_EQ(at("rs_vnhhttp"), "vnhhttp.exe");
  EXPECT_EQ(at("rs_dosbox"), "dosbox.exe");
  EXPECT_EQ(at("rs_conf"), "dosbox.conf");
  EXPECT_EQ(at("rs_reader").rfind("sumatra", 0), 0u);
  for (const char* required : {"qlx.exe", "qlx.ico", "unins.exe", "quon.exe"})
    EXPECT_NE(std::find(stored.begin(), stored.end(), required), stored.end()) << required;
  int pdf = 0, html = 0, mht = 0;
  for (const std::string& s : stored) {
    pdf += s.find(".pdf") != std::string::npos;
    html += s.size() > 5 && s.compare(s.size() - 5, 5, ".html") == 0;
    mht += s.find(".mht") != std::string::npos;
  }
  EXPECT_GE(pdf, 2);
  EXPECT_EQ(html, 1);
  EXPECT_EQ(mht, 1);
}

// The version record of a program as the installer reads it: written to a file first.
std::string VersionOfItem(const char* item) {
  std::string fileName, bytes;
  std::int32_t stamp;
  ReadPayloadItem(item, fileName, stamp, bytes);
  char folder[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "qlx", 0, path);
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::string version = "none";
  DWORD ignored = 0;
  std::vector<char> record(GetFileVersionInfoSizeA(path, &ignored));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!record.empty() && GetFileVersionInfoA(path, 0, static_cast<DWORD>(record.size()), record.data()) &&
      VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
              "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
  }
  DeleteFileA(path);
  return version;
}

TEST(PayloadReader, StandInProgramsCarryTheirVersionRecords) {
  const std::pair<const char*, const char*> cases[] = {
      {"rs_cmd", "3.55.0.0"},  {"rs_exe", "3.55.0.0"},  {"rs_unins", "5.1.0.0"},   {"rs_vnhhttp", "2.4.0.0"},
      {"rs_reader", "3.1.2.0"}, {"rs_dosbox", "0.74.0.3"}, {"rs_sdl", "1.2.15.0"}, {"rs_sdl_net", "1.2.8.0"},
      {"rs_readme", "none"}};
  for (const auto& [item, version] : cases) EXPECT_EQ(VersionOfItem(item), version) << item;
}

TEST(PayloadReader, NamesMatchInAnyLetterCase) {
  for (const char* name : {"RS_MANUAL", "rs_manual", "Rs_MaNuAl", "rs_Manual"}) {
    std::string fileName, bytes;
    std::int32_t stamp = 0;
    ReadPayloadItem(name, fileName, stamp, bytes);
    EXPECT_EQ(fileName, "quillon.pdf") << name;
    EXPECT_EQ(bytes.rfind("%PDF-1.4", 0), 0u) << name;
  }
}

TEST(PayloadReader, UnknownNameRaisesWithTheNameAsPassed) {
  for (const char* name : {"rs_nope", "RS_Nope", "", "rs_cmd ", "#1"}) {
    std::string fileName = "stale", bytes = "stale";
    std::int32_t stamp = 0;
    try {
      ReadPayloadItem(name, fileName, stamp, bytes);
      ADD_FAILURE() << name;
    } catch (const EResourceNotFound& e) {
      EXPECT_EQ(std::string(e.what()), "Resource " + std::string(name) + " not found");
    }
    EXPECT_EQ(fileName, "");
    EXPECT_EQ(bytes, "");
  }
}

TEST(PayloadReader, BrokenItemsRaiseAndHandBackNoBytes) {
  struct Case {
    const char* name;
    bool damaged;  // else: either error, depending on what the garbage deciphers to
  };
  for (const Case c : {Case{"rs_short", true}, Case{"rs_notanitem", false}}) {
    std::string fileName, bytes = "stale";
    std::int32_t stamp = 0;
    try {
      ReadPayloadItem(c.name, fileName, stamp, bytes);
      ADD_FAILURE() << c.name;
    } catch (const EPayloadDamaged& e) {
      EXPECT_EQ(std::string(e.what()), "Payload item " + std::string(c.name) + " is damaged");
    } catch (const EDecompressionError& e) {
      EXPECT_FALSE(c.damaged) << c.name;
      EXPECT_STREQ(e.what(), "Error");
    }
    EXPECT_EQ(bytes, "") << c.name;
  }
}

// A header may promise up to 1032 bytes per body byte; a body of 2.1 MB lets it ask for 2 GiB,
// which a 32-bit process cannot hold.
TEST(PayloadReader, APlainSizeNoMemoryHoldsIsDamaged) {
  PayloadHeader header;
  header.plainSize = 0x7FFFFFFF;
  header.fileName = "big.bin";
  std::vector<std::uint8_t> item = ComposePayloadItem(header, CompressZlib(std::string(2'100'000, 'x'), 0));
  const std::string key = BuildPayloadKey();
  EncipherPayload(key, item.data(), item.size());
  std::string fileName, bytes = "stale";
  std::int32_t stamp = 0;
  try {
    DecodePayloadItem("rs_big", key, item.data(), item.size(), fileName, stamp, bytes);
    ADD_FAILURE() << "no failure";
  } catch (const EPayloadDamaged& e) {
    EXPECT_STREQ(e.what(), "Payload item rs_big is damaged");
  }
  EXPECT_EQ(bytes, "");
}

TEST(PayloadReader, RepeatedReadsAgreeAndLeaveTheGeneratorInOneState) {
  for (const char* name : {"rs_cmd", "rs_sdl_net", "rs_nope", "rs_short"}) {
    std::string first[2], second[2];
    std::int32_t stamps[2] = {0, 0};
    for (int round = 0; round < 2; ++round) {
      SharedRandom().Seed(round == 0 ? 12345u : 0xFFFFFFFFu);
      SharedRandom().Draw(77);
      try {
        ReadPayloadItem(name, first[round], stamps[round], second[round]);
      } catch (const std::exception&) {
      }
      EXPECT_EQ(SharedRandom().State(), kStateAfterKey) << name;
    }
    EXPECT_EQ(first[0], first[1]) << name;
    EXPECT_EQ(stamps[0], stamps[1]) << name;
    EXPECT_TRUE(second[0] == second[1]) << name;
  }
}

}  // namespace
