#pragma once
// What the tests of the install run share: a run driven through the recording dialogs and the
// scripted progress window, a run log of its own, and the product's traces in the prefix (the
// uninstall entry, the Start-menu group, the desktop link) removed before and after each test.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/ScratchFolder.h"
#include "engine/InstallProgram.h"
#include "win32/RecordingDialogs.h"
#include "win32/ScriptedProgress.h"
#include "win32/ShellLinkReader.h"

class InstallRunFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One run into `folder`: a fresh log, reports and progress calls recorded anew (the script's
  // cancel point stays); `beforeRun` is called once the log is started. True when the product
  // was installed; m_outcome tells the rest.
  bool Install(const std::string& folder, const std::function<void()>& beforeRun = {});

  // The scratch folder in lower case, as the installer holds install folders.
  std::string Folder(const std::string& name) const;

  ComScope m_com;
  ScratchFolder m_scratch{"install"};
  ScratchFolder m_logFolder{"installlog"};
  RecordingDialogs m_dialogs;
  ProgressScript m_script;
  InstallOutcome m_outcome;
  // Whether the progress window still existed as each report was shown.
  std::vector<bool> m_windowAtReport;
  std::vector<std::string> m_infoBoxes;
};

// HKCU\...\Uninstall\{guid}.
std::string ProductKeyPath();
bool ProductKeyExists();
// The Start-menu group folder with its trailing backslash, and the desktop link.
std::string GroupFolderPath();
std::string DesktopLinkPath();

// The run's log messages after the banner line.
std::vector<std::string> RunMessages();

// The item's date in the user's short date format, decoded here from its packed stamp.
std::string ShortDateOfStamp(std::int32_t stamp);
