#pragma once
// The installer's main window: the start sequence (run log, captions, default folder, installed
// copy and version prompt), the pages and their buttons, and the install click that checks the
// folder and hands it to the install run.

#include <string>

#include "app/Switches.h"
#include "engine/InstallOutcome.h"
#include "support/DialogService.h"
#include "support/InstallProgress.h"
#include "ui/MainFormView.h"

class TAdvToolButton;

class TMainForm : public TMainFormView {
 public:
  TMainForm(DialogService& dialogs, InstallProgressFactory makeProgress, RunMode mode = RunMode::Interactive);

  // Whether the version prompt was declined at start (the program then ends).
  bool Declined() const { return m_declined; }

  // The unattended install: the install click's checks and the install run on the default
  // folder, without the window. Returns the exit code, logged as the run's last line.
  int RunUnattended();

  // Event handlers.
  void btnSetupClick(TAdvToolButton&);
  void btnBrowseClick(TAdvToolButton&);
  void btnReInstallClick(TAdvToolButton&);
  void BtnFullInstallClick(TAdvToolButton&);
  void btnCancelClick(TAdvToolButton&);

 protected:
  void FormCreated() override;
  bool FormCloseQuery() override;
  void FormDestroyed() override;

 private:
  void FormCreate();
  void SetDefaultDir();
  bool CheckForInstalled(const std::string& folder);
  std::string VersionLine() const;
  // The install click's folder checks: the report for a refused folder, "" for a usable one.
  // `reset` tells whether the field goes back to the default folder.
  std::string FolderRefusal(const std::string& folder, bool& reset) const;
  // Runs the install; a failure the run raises is reported here and its exit code returned.
  bool Install(const std::string& folder, InstallOutcome& outcome, int& failureCode);

  DialogService& m_dialogs;
  InstallProgressFactory m_makeProgress;
  std::string m_driveRoot;
  std::string m_ownVersion;
  std::string m_installedVersion;
  bool m_installedCopyFound = false;
  bool m_declined = false;
  // The folder from "/dir=" when the command line held characters this program cannot read.
  std::string m_inexactFolder;
  RunMode m_mode;
};
