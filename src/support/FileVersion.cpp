#include "support/FileVersion.h"

#include <vector>

#include <windows.h>

#include "support/Files.h"
#include "support/Format.h"
#include "support/Locale.h"
#include "support/System.h"

std::string FileVersionText(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return "date: " + ShortDateText(FileDateTime(path));

  std::vector<char> record(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  // A record whose fixed part cannot be read counts as version 0.0.0.0.
  if (!::GetFileVersionInfoA(path.c_str(), 0, size, record.data()) ||
      !::VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
      fixedSize < sizeof(VS_FIXEDFILEINFO))
    return "0.0.0.0";
  return Format("%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
}

std::string OwnVersionText() { return FileVersionText(OwnFilePath()); }
