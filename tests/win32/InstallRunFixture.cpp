#include "win32/InstallRunFixture.h"

#include <windows.h>

#include "product/UninstallRecord.h"
#include "engine/UninstallRegistry.h"
#include "product/Product.h"
#include "support/run/Application.h"
#include "support/fs/Folders.h"
#include "support/run/ProcessCommandLine.h"
#include "support/run/RunLog.h"
#include "support/base/Text.h"
#include "support/win/UniqueHandle.h"
#include "win32/RunLogMessages.h"

namespace {
void RemoveProductTraces() {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, ProductKeyPath().c_str());
  RemoveTree(SpecialFolderPath(2) + "\\corvane");
  ::DeleteFileA(DesktopLinkPath().c_str());
}
}  // namespace

void InstallRunFixture::SetUp() {
  RemoveProductTraces();
  SetLogEnabled(true);
  SetInfoBoxHandler([this](const std::string& text) { m_infoBoxes.push_back(text); });
  m_dialogs.whenShown = [this](const RecordingDialogs::Notice&) { m_windowAtReport.push_back(m_script.windowAlive); };
}

void InstallRunFixture::TearDown() {
  RemoveProductTraces();
  SetInfoBoxHandler(nullptr);
  SetLogEnabled(false);
}

bool InstallRunFixture::Install(const std::string& folder, const std::function<void()>& beforeRun) {
  StartRunLog(m_logFolder / "install-test.exe");
  if (beforeRun) beforeRun();
  m_dialogs.notices.clear();
  m_windowAtReport.clear();
  m_script.calls.clear();
  const std::optional<InstallFolder> made = InstallFolder::FromText(folder);
  if (!made) {
    ADD_FAILURE() << folder << " is no install folder";
    return false;
  }
  // The test program's own "/usedosbox" goes on to the run, as the installer's does.
  const InstallRequest request{*made, ProcessCommandLine().RawContains("/usedosbox")};
  m_outcome = InstallProgram(request, m_dialogs, ScriptedProgressFactory(m_script));
  return m_outcome.Installed();
}

std::string InstallRunFixture::Folder(const std::string& name) const { return AsciiLower(m_scratch.Path()) + name; }

std::string ProductKeyPath() { return std::string(kUninstallRootKey) + "\\" + kUninstallGuid; }

bool ProductKeyExists() {
  UniqueHkey key;
  return ::RegOpenKeyExA(HKEY_CURRENT_USER, ProductKeyPath().c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::string GroupFolderPath() { return SpecialFolderPath(2) + "\\corvane\\Quillon\\"; }

std::string DesktopLinkPath() { return SpecialFolderPath(0) + "\\qlx.lnk"; }

std::vector<std::string> RunMessages() {
  std::vector<std::string> messages = LogMessages();
  if (!messages.empty()) messages.erase(messages.begin());
  return messages;
}

std::string ShortDateOfStamp(std::int32_t stamp) {
  const auto date = static_cast<std::uint32_t>(stamp) >> 16;
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(1980 + (date >> 9));
  st.wMonth = static_cast<WORD>((date >> 5) & 15);
  st.wDay = static_cast<WORD>(date & 31);
  char text[80] = {};
  ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, sizeof text);
  return text;
}
