#pragma once
// The installer's main window: the start sequence (run log, captions, default folder, installed
// copy and version prompt), the pages and their buttons, and the install click that checks the
// folder and hands it to the install run.

#include <string>

#include "support/DialogService.h"
#include "support/InstallProgress.h"
#include "ui/MainFormView.h"

class TAdvToolButton;

class TMainForm : public TMainFormView {
 public:
  TMainForm(DialogService& dialogs, InstallProgressFactory makeProgress);

  // Whether the version prompt was declined at start (the program then ends).
  bool Declined() const { return m_declined; }

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

  DialogService& m_dialogs;
  InstallProgressFactory m_makeProgress;
  std::string m_driveRoot;
  std::string m_ownVersion;
  std::string m_installedVersion;
  bool m_installedCopyFound = false;
  bool m_declined = false;
};
