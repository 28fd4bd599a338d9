#include "win32/SamplePayload.h"

#include <fstream>
#include <sstream>

std::vector<std::string> InstallerItemNames() {
  std::vector<std::string> names;
  std::istringstream list(kInstallerItemList);
  std::string name;
  while (std::getline(list, name, ',')) names.push_back(name);
  return names;
}

// payload.lst: item, stored name, source, stamp, plain size, item size; tab-separated.
std::vector<PackedItem> PackedPayload() {
  std::ifstream in("Z:" QLX_PAYLOAD_LIST, std::ios::binary);
  std::vector<PackedItem> rows;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    PackedItem r;
    std::string stamp, size;
    std::getline(fields, r.item, '\t');
    std::getline(fields, r.storedName, '\t');
    std::getline(fields, r.source, '\t');
    std::getline(fields, stamp, '\t');
    std::getline(fields, size, '\t');
    r.timeStamp = std::stoi(stamp);
    r.plainSize = std::stoul(size);
    rows.push_back(r);
  }
  return rows;
}

std::string ReadUnixFile(const std::string& path) {
  std::ifstream in("Z:" + path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
