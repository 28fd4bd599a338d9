// qlxpack pack: manifest -> enciphered item files + the .rc that embeds them.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/stat.h>

#include "qlxpack/Commands.h"
#include "qlxpack/DenseDeflate.h"
#include "qlxpack/DosDateTime.h"
#include "qlxpack/Manifest.h"
#include "qlxpack/PayloadEncoder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteWhole(const fs::path& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

void WriteWhole(const fs::path& path, const std::string& text) { WriteWhole(path, text.data(), text.size()); }

// Reproducible builds: with SOURCE_DATE_EPOCH set, no file is dated after it, and times are
// converted in UTC so that the build machine's time zone does not enter the output.
std::int32_t StampOf(const ManifestEntry& e, const char* sourceDateEpoch) {
  if (e.date) return PackDosDateTime(*e.date);
  struct stat st{};
  if (stat(e.source.c_str(), &st) != 0) throw std::runtime_error("cannot read the date of " + e.source);
  std::time_t when = st.st_mtime;
  if (sourceDateEpoch) {
    char* end = nullptr;
    const long long epoch = std::strtoll(sourceDateEpoch, &end, 10);
    if (!*sourceDateEpoch || *end || epoch < 0) throw std::runtime_error("SOURCE_DATE_EPOCH is not a count of seconds");
    if (when > epoch) when = static_cast<std::time_t>(epoch);
  }
  return PackDosDateTime(CivilFromEpoch(when, sourceDateEpoch != nullptr));
}

// Make's depfile syntax: blanks and '#' escaped with a backslash, '$' doubled.
std::string DepfilePath(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == '\\') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

}  // namespace

int RunPack(const PackOptions& options, std::ostream& out, std::ostream& err) {
  try {
    const std::vector<ManifestEntry> entries = ReadManifest(options.manifest, options.searchFolders);
    if (entries.empty()) throw std::runtime_error(options.manifest + ": no items");
    fs::create_directories(options.outDir);

    std::ostringstream rc, list;
    rc << "// Payload items written by qlxpack from " << fs::path(options.manifest).filename().string()
       << "; each is an RCDATA resource named after its item.\n";
    std::uint64_t plainTotal = 0, packedTotal = 0;
    for (const ManifestEntry& e : entries) {
      const std::string plain = ReadWhole(e.source);
      const std::int32_t stamp = StampOf(e, options.sourceDateEpoch);
      const std::vector<std::uint8_t> item =
          options.zlibLevel9 ? EncodePayloadItem(e.storedName, stamp, plain)
                             : EncodePayloadStream(e.storedName, stamp, plain.size(), CompressDense(plain));
      const std::string fileName = e.itemName + ".bin";
      WriteWhole(fs::path(options.outDir) / fileName, item.data(), item.size());
      rc << e.itemName << " RCDATA \"" << fileName << "\"\n";
      list << e.itemName << '\t' << e.storedName << '\t' << e.source << '\t' << stamp << '\t' << plain.size() << '\t'
           << item.size() << '\n';
      plainTotal += plain.size();
      packedTotal += item.size();
    }
    WriteWhole(fs::path(options.outDir) / "payload.rc", rc.str());
    WriteWhole(fs::path(options.outDir) / "payload.lst", list.str());

    if (!options.depfile.empty()) {
      std::ostringstream dep;
      dep << DepfilePath(options.depfileTarget) << ":";
      dep << " \\\n  " << DepfilePath(fs::absolute(options.manifest).string());
      for (const ManifestEntry& e : entries) dep << " \\\n  " << DepfilePath(fs::absolute(e.source).string());
      dep << "\n";
      WriteWhole(options.depfile, dep.str());
    }
    out << "qlxpack: " << entries.size() << " items, " << plainTotal << " bytes plain, " << packedTotal
        << " bytes packed\n";
    return 0;
  } catch (const std::exception& e) {
    err << "qlxpack: " << e.what() << "\n";
    return 1;
  }
}
