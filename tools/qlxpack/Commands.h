#pragma once
// The two commands of the packing tool. Each returns the process exit code and writes its
// messages to the streams it is given.

#include <iosfwd>
#include <string>
#include <vector>

struct PackOptions {
  std::string manifest;
  std::string outDir;
  std::vector<std::string> searchFolders;
  std::string depfile;        // empty: none
  std::string depfileTarget;  // the build output the depfile speaks for
  const char* sourceDateEpoch = nullptr;  // the SOURCE_DATE_EPOCH text, when set
  bool zlibLevel9 = false;                // zlib's own level 9 instead of the denser streams
};

int RunPack(const PackOptions& options, std::ostream& out, std::ostream& err);
int RunInspect(const std::string& executable, std::ostream& out, std::ostream& err);
