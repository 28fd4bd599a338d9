// What the built installer and uninstaller files are: 32-bit GUI programs that import only system
// DLLs and carry their version records and an asInvoker manifest.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "common/Capture.h"
#include "e2e/Harness.h"
#include "support/base/Text.h"

namespace {

std::vector<char> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string UninstallerFilePath() { return ToWindowsPath(QLX_UNINSTALLER_PATH); }

class ProgramFile : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    image = ReadWholeFile(GetParam());
    ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32), image.size());
    nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  }

  // File offset of a relative virtual address, through the section table.
  size_t Offset(DWORD rva) const {
    const auto* section = IMAGE_FIRST_SECTION(nt);
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
      if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->Misc.VirtualSize)
        return rva - section->VirtualAddress + section->PointerToRawData;
    throw std::runtime_error("address outside every section");
  }

  std::vector<char> image;
  const IMAGE_NT_HEADERS32* nt = nullptr;
};

TEST_P(ProgramFile, IsA32BitGuiProgram) {
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

// Only libraries the system always loads from its own folder: any other import would be looked
// for beside the installer first, before start-up restricts the search (a planted DLL in a
// downloads folder). Others, such as version.dll or comctl32.dll, are loaded at run time.
TEST_P(ProgramFile, ImportsOnlySystemDlls) {
  const std::vector<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll",    "advapi32.dll",
                                           "shell32.dll",  "ole32.dll",  "oleaut32.dll", "comdlg32.dll",
                                           "msvcrt.dll",   "shlwapi.dll"};
  const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  ASSERT_NE(dir.VirtualAddress, 0u);
  std::vector<std::string> imported;
  for (size_t at = Offset(dir.VirtualAddress);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR d;
    std::memcpy(&d, image.data() + at, sizeof d);
    if (d.Name == 0) break;
    imported.push_back(AsciiLower(image.data() + Offset(d.Name)));
  }
  ASSERT_FALSE(imported.empty());
  for (const auto& dll : imported)
    EXPECT_NE(std::find(system.begin(), system.end(), dll), system.end()) << dll << " is not a system DLL";
}

INSTANTIATE_TEST_SUITE_P(Built, ProgramFile, testing::Values(InstallerPath(), UninstallerFilePath()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return std::string(info.index == 0 ? "Installer" : "Uninstaller");
                         });

struct VersionCase {
  std::string path;
  DWORD fileMs, fileLs;
  std::string fileVersion;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.path; }

class ProgramResources : public testing::TestWithParam<VersionCase> {};

TEST_P(ProgramResources, VersionRecord) {
  const std::string path = GetParam().path;
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, GetParam().fileMs);
  EXPECT_EQ(fixed->dwFileVersionLS, GetParam().fileLs);
  EXPECT_EQ(fixed->dwProductVersionMS, (3u << 16) | 55u);

  const auto text = [&](const char* key) {
    char* value = nullptr;
    UINT n = 0;
    const std::string sub = std::string("\\StringFileInfo\\040904E4\\") + key;
    return ::VerQueryValueA(data.data(), sub.c_str(), reinterpret_cast<void**>(&value), &n) ? std::string(value)
                                                                                             : std::string();
  };
  EXPECT_EQ(text("ProductName"), "Quillon");
  EXPECT_EQ(text("CompanyName"), "Corvane");
  EXPECT_EQ(text("FileVersion"), GetParam().fileVersion);
  EXPECT_EQ(text("ProductVersion"), "3.55.0.0");
}

TEST_P(ProgramResources, ManifestAsksForAsInvokerAndEveryMonitorsDpi) {
  HMODULE module = ::LoadLibraryExA(GetParam().path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC res = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(res, nullptr);
  const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, res)));
  const std::string manifest(bytes, ::SizeofResource(module, res));
  ::FreeLibrary(module);

  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);
  EXPECT_EQ(manifest.find("highestAvailable"), std::string::npos);
  // No common-controls 6 dependency: the drawn dialogs stay what users see.
  EXPECT_EQ(manifest.find("dependency"), std::string::npos);
  // Aware of each monitor's DPI (version 2, then version 1 and system-wide as fallbacks), and
  // the Windows versions it was made for, 10 and 11 included.
  EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
  for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
    EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos) << os;
}

INSTANTIATE_TEST_SUITE_P(Built, ProgramResources,
                         testing::Values(VersionCase{InstallerPath(), (3u << 16) | 55u, 0u, "3.55.0.0"},
                                         VersionCase{UninstallerFilePath(), (5u << 16) | 1u, 0u, "5.1.0.0"}),
                         [](const testing::TestParamInfo<VersionCase>& info) {
                           return std::string(info.index == 0 ? "Installer" : "Uninstaller");
                         });

}  // namespace
