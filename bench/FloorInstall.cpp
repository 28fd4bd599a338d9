// The floor of the install benchmark: the least any installer of this payload has to do. It
// reads every item from its own resources first (deciphering and inflating the same zlib
// streams the installer carries), then writes the files with their dates, a record text file,
// one registry key and three links, and ends. No window, no log, no checks beyond failure.
// Usage: bench_floor.exe /dir=<folder>   (exit code 0, or 1 on any failure)
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <zlib.h>

#include "engine/PayloadList.h"
#include "payload/PayloadFormat.h"

namespace {

constexpr char kRegistryKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuillonBenchFloor";

struct Item {
  std::string name;
  std::int32_t stamp = 0;
  std::vector<std::uint8_t> bytes;
};

// One item: the header deciphered from a copy of its 47 bytes, the body deciphered a block at
// a time into a small buffer that feeds inflate, the output written straight into place.
bool ReadItem(const char* resource, const std::string& key, Item& item) {
  HRSRC info = ::FindResourceA(nullptr, resource, RT_RCDATA);
  HGLOBAL loaded = info ? ::LoadResource(nullptr, info) : nullptr;
  const auto* data = static_cast<const std::uint8_t*>(loaded ? ::LockResource(loaded) : nullptr);
  const DWORD size = info ? ::SizeofResource(nullptr, info) : 0;
  if (!data || size < kPayloadHeaderSize) return false;
  std::uint8_t header[kPayloadHeaderSize];
  std::memcpy(header, data, sizeof header);
  DecipherPayload(key, header, sizeof header);
  const PayloadHeader parsed = ParsePayloadHeader(header, size, resource);
  item.name = parsed.fileName;
  item.stamp = parsed.timeStamp;
  item.bytes.resize(static_cast<std::size_t>(parsed.plainSize));

  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  zs.next_out = item.bytes.data();
  zs.avail_out = static_cast<uInt>(item.bytes.size());
  // Byte i of the item takes key byte i mod 50. Blocks of a multiple of 50 bytes all start
  // at the body's key index, so one turned key serves them all.
  std::uint8_t block[64 * 1000];
  const std::size_t phase = kPayloadHeaderSize % kPayloadKeyLength;
  const std::string turned = key.substr(phase) + key.substr(0, phase);
  std::size_t at = kPayloadHeaderSize;
  int result = Z_OK;
  while (result == Z_OK && at < size) {
    const std::size_t n = std::min<std::size_t>(sizeof block, size - at);
    std::memcpy(block, data + at, n);
    DecipherPayload(turned, block, n);
    at += n;
    zs.next_in = block;
    zs.avail_in = static_cast<uInt>(n);
    result = inflate(&zs, Z_NO_FLUSH);
  }
  const bool whole = result == Z_STREAM_END && zs.avail_out == 0;
  inflateEnd(&zs);
  return whole;
}

bool WriteItem(const std::string& path, const Item& item) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(file, item.bytes.data(), static_cast<DWORD>(item.bytes.size()), &written, nullptr) &&
            written == item.bytes.size();
  FILETIME local{}, utc{};
  ok = ok && ::DosDateTimeToFileTime(static_cast<WORD>(item.stamp >> 16), static_cast<WORD>(item.stamp), &local) &&
       ::LocalFileTimeToFileTime(&local, &utc) && ::SetFileTime(file, nullptr, nullptr, &utc);
  ::CloseHandle(file);
  return ok;
}

std::string Destination(const std::string& folder, const std::string& name, int position, int normalFiles) {
  if (name.find(".pdf") != std::string::npos || name.starts_with("sumatra")) return folder + "manuals\\" + name;
  if (name.find(".htm") != std::string::npos || name.find(".mht") != std::string::npos) return folder + "tips\\" + name;
  return position < normalFiles ? folder + name : folder + "dosbox\\" + name;
}

bool Link(const std::string& path, const std::string& target, const std::string& icon) {
  IShellLinkA* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
    return false;
  link->SetPath(target.c_str());
  link->SetIconLocation(icon.c_str(), 0);
  IPersistFile* file = nullptr;
  bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
  if (ok) {
    std::wstring wide(path.begin(), path.end());
    ok = SUCCEEDED(file->Save(wide.c_str(), TRUE));
    file->Release();
  }
  link->Release();
  return ok;
}

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  ::SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
  return path;
}

bool Register(const std::string& folder) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
    return false;
  const std::string name = "Quillon (floor)", command = folder + "unins.exe " + folder + "floor.dat";
  const DWORD one = 1;
  bool ok = !::RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                              static_cast<DWORD>(name.size() + 1)) &&
            !::RegSetValueExA(key, "UnInstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                              static_cast<DWORD>(command.size() + 1)) &&
            !::RegSetValueExA(key, "NoModify", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one) &&
            !::RegSetValueExA(key, "NoRepair", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
  ::RegCloseKey(key);
  return ok;
}

int Run(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  std::vector<std::string> names;
  std::string list = kPayloadList;
  for (std::size_t at = 0; at != std::string::npos;) {
    const std::size_t comma = list.find(',', at);
    names.push_back(list.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
    at = comma == std::string::npos ? comma : comma + 1;
  }
  const std::string key = BuildPayloadKey();
  std::vector<Item> items(names.size());
  for (std::size_t i = 0; i < names.size(); ++i)
    if (!ReadItem(names[i].c_str(), key, items[i])) return 1;

  for (const char* sub : {"", "manuals\\", "tips\\", "dosbox\\"}) ::CreateDirectoryA((folder + sub).c_str(), nullptr);
  std::string record = "[Uninstall]\r\nInstall_Dir=" + folder + "\r\nFile_List=";
  const int normalFiles = static_cast<int>(items.size()) - kDosboxItemCount;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string path = Destination(folder, items[i].name, static_cast<int>(i), normalFiles);
    if (!WriteItem(path, items[i])) return 1;
    record += path.substr(folder.size()) + ",";
  }
  record += "\r\n";
  HANDLE file = ::CreateFileA((folder + "floor.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (file == INVALID_HANDLE_VALUE || !::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written,
                                                   nullptr))
    return 1;
  ::CloseHandle(file);
  if (!Register(folder)) return 1;

  if (FAILED(::CoInitialize(nullptr))) return 1;
  const std::string group = SpecialFolder(CSIDL_PROGRAMS) + "\\QuillonFloor\\";
  ::CreateDirectoryA(group.c_str(), nullptr);
  const bool linked = Link(group + "Quillon Start.lnk", folder + "qlx.exe", folder + "qlx.ico") &&
                      Link(group + "Uninstall Quillon.lnk", folder + "unins.exe", folder + "qlx.ico") &&
                      Link(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\qlx-floor.lnk", folder + "qlx.exe",
                           folder + "qlx.ico");
  ::CoUninitialize();
  return linked ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::strncmp(argv[1], "/dir=", 5) != 0) return 2;
  try {
    return Run(argv[1] + 5);
  } catch (...) {
    return 1;
  }
}
