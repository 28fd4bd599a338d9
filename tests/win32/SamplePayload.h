#pragma once
// The sample payload as the packing tool listed it, for tests that compare what the installer
// makes of it with its sources.

#include <cstdint>
#include <string>
#include <vector>

// The installer's item list, typed out in its order and letter case.
inline constexpr char kInstallerItemList[] =
    "rs_cmd,rs_exe,rs_hlp,rs_printers,rs_icon,rs_readme,rs_pa0640,rs_edkbp,rs_pr32,rs_vertxt,rs_Manual,rs_Quick,"
    "rs_reader,rs_readergpl,rs_tip01,rs_tip02,rs_tip03,rs_tip04,rs_tip05,rs_tip06,rs_tip07,rs_tip08,rs_tip09,"
    "rs_tip10,rs_tip11,rs_tip12,rs_tip13,rs_vnhhttp,rs_unins,rs_dosmon,rs_conf,rs_dosbox,rs_sdl,rs_sdl_net";

std::vector<std::string> InstallerItemNames();

struct PackedItem {
  std::string item;  // upper case, as in the manifest
  std::string storedName;
  std::string source;  // path on the build machine
  std::int32_t timeStamp = 0;
  std::size_t plainSize = 0;
};

// What the packing tool packed into the test executable, in manifest order.
std::vector<PackedItem> PackedPayload();

// A file of the build machine, read through Wine's drive Z:.
std::string ReadUnixFile(const std::string& path);
