#pragma once
// The installer's main window: it shows and drives the install session. The pages and their
// buttons, the folder field and the folder browser are the window's; the start sequence, the
// folder checks and the run are the session's.

#include <string>

#include "app/InstallSession.h"
#include "ui/MainFormView.h"

class TAdvToolButton;

class TMainForm : public TMainFormView, private SessionView {
 public:
  explicit TMainForm(InstallSession& session);

  // Event handlers.
  void ShowPage(TTabSheet& page);
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
  // What the window shows of the session.
  void ShowStartTexts(const std::string& ownVersion, const std::string& versionLine) override;
  void MakeImage() override;
  void ShowFolder(const std::string& folder) override;
  void ShowReinstall(const std::string& versionLine) override;
  void HideForRun() override;
  void ShowAgain() override;

  InstallSession& m_session;
};
