#include "qlxpack/Manifest.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "payload/PayloadFormat.h"

namespace fs = std::filesystem;

EManifestError::EManifestError(const std::string& manifest, int line, const std::string& reason)
    : std::runtime_error(manifest + ":" + std::to_string(line) + ": " + reason) {}

bool IsPayloadItemName(const std::string& upperName) {
  if (upperName.size() <= 3 || upperName.compare(0, 3, "RS_") != 0) return false;
  for (std::size_t i = 3; i < upperName.size(); ++i) {
    const char c = upperName[i];
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  }
  return true;
}

namespace {

constexpr std::uintmax_t kTwoGiB = 0x80000000u;

// Splits a line into fields; nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size()) break;
    std::string field;
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      if (close == std::string::npos) return std::nullopt;
      field = line.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') field += line[i++];
    }
    fields.push_back(std::move(field));
  }
  return fields;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string ResolveSource(const std::string& source, const fs::path& manifestFolder,
                          const std::vector<std::string>& searchFolders) {
  const fs::path p(source);
  if (p.is_absolute()) return source;
  std::vector<fs::path> candidates{manifestFolder / p};
  for (const std::string& folder : searchFolders) candidates.push_back(fs::path(folder) / p);
  for (const fs::path& c : candidates) {
    std::error_code ec;
    if (fs::exists(c, ec)) return c.string();
  }
  return candidates.front().string();
}

}  // namespace

std::vector<ManifestEntry> ReadManifest(const std::string& path, const std::vector<std::string>& searchFolders) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read manifest " + path);
  const fs::path folder = fs::path(path).parent_path();

  std::vector<ManifestEntry> entries;
  std::map<std::string, int> firstLine;
  std::string text;
  int lineNo = 0;
  while (std::getline(in, text)) {
    ++lineNo;
    const auto fields = SplitFields(text);
    if (!fields) throw EManifestError(path, lineNo, "unclosed quote");
    if (fields->empty() || (*fields)[0].starts_with("#")) continue;
    if (fields->size() < 3 || fields->size() > 5)
      throw EManifestError(path, lineNo, "expected: item stored-name source [YYYY-MM-DD [HH:MM[:SS]]]");

    ManifestEntry e;
    e.line = lineNo;
    for (char c : (*fields)[0]) e.itemName += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    if (!IsPayloadItemName(e.itemName))
      throw EManifestError(path, lineNo, "item name " + Quoted((*fields)[0]) + " is not RS_ followed by a stem of capitals, digits or underscores");
    if (const auto [it, fresh] = firstLine.emplace(e.itemName, lineNo); !fresh)
      throw EManifestError(path, lineNo, "duplicate item " + e.itemName + " (first on line " + std::to_string(it->second) + ")");

    e.storedName = (*fields)[1];
    if (e.storedName.size() > kPayloadMaxFileName)
      throw EManifestError(path, lineNo, "stored name " + Quoted(e.storedName) + " is longer than 30 characters");
    if (!IsBareFileName(e.storedName))
      throw EManifestError(path, lineNo, "stored name " + Quoted(e.storedName) + " is not a bare file name");

    if (fields->size() >= 4) {
      e.date = ParseCivilDateTime((*fields)[3], fields->size() == 5 ? (*fields)[4] : "");
      if (!e.date) {
        std::string shown = (*fields)[3] + (fields->size() == 5 ? " " + (*fields)[4] : "");
        throw EManifestError(path, lineNo, "bad date " + Quoted(shown) + " (YYYY-MM-DD [HH:MM[:SS]], years 1980 to 2107)");
      }
    }

    e.source = ResolveSource((*fields)[2], folder, searchFolders);
    std::error_code ec;
    const auto status = fs::status(e.source, ec);
    std::ifstream probe(e.source, std::ios::binary);
    if (ec || !fs::is_regular_file(status) || !probe)
      throw EManifestError(path, lineNo, "source " + Quoted(e.source) + " is missing or unreadable");
    const std::uintmax_t size = fs::file_size(e.source, ec);
    if (ec) throw EManifestError(path, lineNo, "source " + Quoted(e.source) + " is missing or unreadable");
    if (size >= kTwoGiB) throw EManifestError(path, lineNo, "source " + Quoted(e.source) + " is 2 GiB or larger");
    // The installer takes an item without bytes for one it could not read, so an empty file
    // would make an installer that never installs.
    if (size == 0)
      throw EManifestError(path, lineNo, "source " + Quoted(e.source) + " is empty; the installer cannot install an empty file");
    entries.push_back(std::move(e));
  }
  return entries;
}
