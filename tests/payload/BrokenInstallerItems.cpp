// Writes the payload items of two broken installers for the Windows tests of the install run,
// made with the item encoder: every item of the installer's list with a small text of its own,
// except
//   unreadable/  rs_vertxt and rs_tip03 hold empty files (they read as unreadable);
//   damaged/     rs_vertxt holds an empty file and rs_tip05 a body whose check value is wrong.
// Each set comes with a .rc that embeds its items as RCDATA resources.
// Usage: qlx_test_items <output folder>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/PayloadList.h"
#include "payload/PayloadFormat.h"
#include "qlxpack/PayloadEncoder.h"

namespace fs = std::filesystem;

namespace {

// 2016-02-05 03:55:00, date in the high word.
constexpr std::int32_t kStamp = ((2016 - 1980) << 9 | 2 << 5 | 5) << 16 | (3 << 11 | 55 << 5);

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return s;
}

// rs_tip03 -> tip03.txt
std::string StoredName(const std::string& item) { return item.substr(3) + ".txt"; }

// An item whose zlib body fails its Adler-32 check.
std::vector<std::uint8_t> WithWrongCheckValue(const std::string& item) {
  PayloadHeader header;
  const std::string plain = "text of " + item + "\r\n";
  header.plainSize = static_cast<std::int32_t>(plain.size());
  header.timeStamp = kStamp;
  header.fileName = StoredName(item);
  std::vector<std::uint8_t> body = CompressZlib(plain);
  body.back() ^= 0xFF;
  std::vector<std::uint8_t> bytes = ComposePayloadItem(header, body);
  PseudoRandom generator;
  EncipherPayload(BuildPayloadKey(generator, kPayloadSeed), bytes.data(), bytes.size());
  return bytes;
}

void WriteSet(const fs::path& folder, const std::set<std::string>& empty, const std::string& damaged) {
  fs::create_directories(folder);
  std::ofstream rc(folder / "items.rc", std::ios::binary);
  rc << "// Items of a broken installer, written by qlx_test_items.\n";
  std::string list = kPayloadList;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string item = list.substr(0, comma);
    list = comma == std::string::npos ? "" : list.substr(comma + 1);
    const std::vector<std::uint8_t> bytes =
        item == damaged ? WithWrongCheckValue(item)
                        : EncodePayloadItem(StoredName(item), kStamp, empty.count(item) ? "" : "text of " + item + "\r\n");
    const std::string file = Upper(item) + ".bin";
    std::ofstream(folder / file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    rc << Upper(item) << " RCDATA \"" << file << "\"\n";
  }
  if (!rc.flush()) throw std::runtime_error("cannot write " + (folder / "items.rc").string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: qlx_test_items <output folder>\n";
    return 2;
  }
  try {
    WriteSet(fs::path(argv[1]) / "unreadable", {"rs_vertxt", "rs_tip03"}, "");
    WriteSet(fs::path(argv[1]) / "damaged", {"rs_vertxt"}, "rs_tip05");
  } catch (const std::exception& e) {
    std::cerr << "qlx_test_items: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
