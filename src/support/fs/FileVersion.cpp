#include "support/fs/FileVersion.h"

#include <string>
#include <vector>

#include <windows.h>

#include "support/base/Format.h"
#include "support/fs/Files.h"
#include "support/win/Locale.h"
#include "support/win/System.h"

namespace {

// version.dll is not among the libraries the system always takes from its own folder. Imported
// statically it would be looked for beside the program first (a downloads folder), before the
// start-up can restrict the search, so it is loaded from the system folder on first use and
// stays loaded for the life of the process.
struct VersionLibrary {
  decltype(&::GetFileVersionInfoSizeA) infoSize = nullptr;
  decltype(&::GetFileVersionInfoA) info = nullptr;
  decltype(&::VerQueryValueA) query = nullptr;
};

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

const VersionLibrary& Version() {
  static const VersionLibrary library = [] {
    VersionLibrary v;
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return v;
    const HMODULE module = ::LoadLibraryA((std::string(folder, length) + "\\version.dll").c_str());
    if (!module) return v;
    v.infoSize = Lookup<decltype(v.infoSize)>(module, "GetFileVersionInfoSizeA");
    v.info = Lookup<decltype(v.info)>(module, "GetFileVersionInfoA");
    v.query = Lookup<decltype(v.query)>(module, "VerQueryValueA");
    return v;
  }();
  return library;
}

}  // namespace

std::optional<FixedFileVersion> ReadFixedFileVersion(const std::string& path) {
  const VersionLibrary& version = Version();
  DWORD ignored = 0;
  const DWORD size = version.infoSize && version.info && version.query ? version.infoSize(path.c_str(), &ignored) : 0;
  if (size == 0) return std::nullopt;
  std::vector<char> record(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  // A record whose fixed part cannot be read counts as version 0.0.0.0.
  if (!version.info(path.c_str(), 0, size, record.data()) ||
      !version.query(record.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
      fixedSize < sizeof(VS_FIXEDFILEINFO))
    return FixedFileVersion{};
  return FixedFileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                          HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

std::string FileVersionText(const std::string& path) {
  // Without the library every file reads as one without a version record.
  const auto fixed = ReadFixedFileVersion(path);
  if (!fixed) return "date: " + ShortDateText(FileDateTime(path));
  return Format("%u.%u.%u.%u", fixed->major, fixed->minor, fixed->release, fixed->build);
}

std::string OwnVersionText() { return FileVersionText(OwnFilePath()); }
