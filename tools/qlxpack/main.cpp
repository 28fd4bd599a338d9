// qlxpack: makes the installer's payload items and checks the ones inside a built installer.
//   qlxpack pack [-I folder]... [--depfile file target] [--zlib] <manifest> <outdir>
//   qlxpack inspect <installer.exe>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "qlxpack/Commands.h"

namespace {

int Usage() {
  std::cerr << "usage: qlxpack pack [-I folder]... [--depfile file target] [--zlib] <manifest> <outdir>\n"
               "       qlxpack inspect <installer.exe>\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "inspect") return argc == 3 ? RunInspect(argv[2], std::cout, std::cerr) : Usage();
  if (command != "pack") return Usage();

  PackOptions options;
  std::vector<std::string> positional;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-I" && i + 1 < argc) {
      options.searchFolders.push_back(argv[++i]);
    } else if (arg == "--depfile" && i + 2 < argc) {
      options.depfile = argv[++i];
      options.depfileTarget = argv[++i];
    } else if (arg == "--zlib") {
      options.zlibLevel9 = true;
    } else if (arg.starts_with("-")) {
      return Usage();
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) return Usage();
  options.manifest = positional[0];
  options.outDir = positional[1];
  options.sourceDateEpoch = std::getenv("SOURCE_DATE_EPOCH");
  return RunPack(options, std::cout, std::cerr);
}
