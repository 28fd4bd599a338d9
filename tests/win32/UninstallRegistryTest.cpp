// The per-user uninstall entry, read back from the prefix's registry.
#include "engine/UninstallRegistry.h"
#include "product/Product.h"

#include <cstdio>

#include <gtest/gtest.h>

#include <windows.h>

#include "product/UninstallRecord.h"
#include "support/win/UniqueHandle.h"

namespace {

const std::string kProductKey = std::string(kUninstallRootKey) + "\\" + kUninstallGuid;

struct RegValue {
  DWORD type = REG_NONE;
  std::string data;
};

RegValue Read(HKEY key, const char* name) {
  RegValue value;
  char buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (::RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS)
    value.data.assign(buffer, size);
  return value;
}

std::string Dword(DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

class Registration : public testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kProductKey.c_str()); }
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kProductKey.c_str()); }

  static UniqueHkey OpenProductKey() {
    UniqueHkey key;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey.c_str(), 0, KEY_READ | KEY_WRITE, key.put());
    return key;
  }

  static std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD size = sizeof name;
      if (::RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(name, size);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(Registration, ValuesWithTypesAndData) {
  Register(InstallFolder::FromText("c:\\zt\\").value(), 2049);
  SYSTEMTIME today{};
  ::GetLocalTime(&today);
  char date[16];
  std::snprintf(date, sizeof date, "%04d%02d%02d", today.wYear, today.wMonth, today.wDay);
  UniqueHkey key = OpenProductKey();
  ASSERT_TRUE(key);
  struct Case {
    const char* name;
    DWORD type;
    std::string data;
  };
  const Case cases[] = {
      {"DisplayName", REG_SZ, std::string("Quillon\0", 8)},
      {"UnInstallString", REG_SZ, std::string("c:\\zt\\unins.exe c:\\zt\\unins5100.dat\0", 36)},
      {"NoModify", REG_DWORD, Dword(1)},
      {"NoRepair", REG_DWORD, Dword(1)},
      {"DisplayVersion", REG_SZ, std::string("3.55.0.0\0", 9)},
      {"Publisher", REG_SZ, std::string("Corvane\0", 8)},
      {"DisplayIcon", REG_SZ, std::string("c:\\zt\\qlx.ico\0", 14)},
      {"InstallLocation", REG_SZ, std::string("c:\\zt\\\0", 7)},
      {"EstimatedSize", REG_DWORD, Dword(3)},
      {"InstallDate", REG_SZ, std::string(date) + '\0'},
      {"QuietUninstallString", REG_SZ, std::string("c:\\zt\\unins.exe c:\\zt\\unins5100.dat /VERYSILENT\0", 48)},
  };
  for (const auto& c : cases) {
    const RegValue v = Read(key.get(), c.name);
    EXPECT_EQ(v.type, c.type) << c.name;
    EXPECT_EQ(v.data, c.data) << c.name;
  }
  EXPECT_EQ(ValueNames(key.get()),
            (std::vector<std::string>{"DisplayIcon", "DisplayName", "DisplayVersion", "EstimatedSize", "InstallDate",
                                      "InstallLocation", "NoModify", "NoRepair", "Publisher", "QuietUninstallString",
                                      "UnInstallString"}));
}

TEST_F(Registration, SecondRegistrationOverwritesAndKeepsOtherValues) {
  Register(InstallFolder::FromText("c:\\zt\\").value(), 0);
  {
    UniqueHkey key = OpenProductKey();
    ASSERT_TRUE(key);
    const char other[] = "kept";
    ASSERT_EQ(::RegSetValueExA(key.get(), "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof other),
              ERROR_SUCCESS);
    const DWORD zero = 0;
    ::RegSetValueExA(key.get(), "NoModify", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  }
  Register(InstallFolder::FromText("d:\\my games\\zt\\").value(), 0);
  UniqueHkey key = OpenProductKey();
  ASSERT_TRUE(key);
  EXPECT_EQ(Read(key.get(), "UnInstallString").data,
            std::string("\"d:\\my games\\zt\\unins.exe\" \"d:\\my games\\zt\\unins5100.dat\"") + '\0');
  EXPECT_EQ(Read(key.get(), "NoModify").data, Dword(1));
  EXPECT_EQ(Read(key.get(), "Other").data, std::string("kept\0", 5));
  EXPECT_EQ(ValueNames(key.get()).size(), 12u);
}

// The current user's hive is redirected to a scratch key whose Uninstall key is volatile: no
// lasting key can be made below a volatile one, so creating the product's key fails.
TEST_F(Registration, FailureNamesTheKey) {
  constexpr char kScratch[] = "Software\\QlxRegistrationTest";
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
  std::string message;
  {
    UniqueHkey scratch, parent, uninstall;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, scratch.put(),
                                nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegCreateKeyExA(scratch.get(), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, parent.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegCreateKeyExA(parent.get(), "Uninstall", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                uninstall.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegOverridePredefKey(HKEY_CURRENT_USER, scratch.get()), ERROR_SUCCESS);
    try {
      Register(InstallFolder::FromText("c:\\zt\\").value(), 0);
    } catch (const std::runtime_error& e) {
      message = e.what();
    }
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  }
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
  EXPECT_EQ(message, "Failed to create key {5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}");
}

}  // namespace
