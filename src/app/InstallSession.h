#pragma once
// The installer's run from start to exit code, without a window: the run log, the mode, the
// default folder, the installed-copy test and the version question, the install click's folder
// checks, the install run and the exit code. The main window shows and drives it; the
// unattended modes drive it alone and make no window at all.

#include <optional>
#include <string>

#include "app/Switches.h"
#include "engine/InstallOutcome.h"
#include "product/InstallFolder.h"
#include "support/run/DialogService.h"
#include "support/run/InstallProgress.h"

// What the main window shows of the session; the unattended modes show nothing.
class SessionView {
 public:
  virtual ~SessionView() = default;
  // The welcome texts, once the own version is known.
  virtual void ShowStartTexts(const std::string& /*ownVersion*/, const std::string& /*versionLine*/) {}
  virtual void MakeImage() {}
  // The install folder, as the session now holds it.
  virtual void ShowFolder(const std::string& /*folder*/) {}
  // An installed version was found and the user chose to go on.
  virtual void ShowReinstall(const std::string& /*versionLine*/) {}
  // The run is about to start / failed and the window comes back before its report.
  virtual void HideForRun() {}
  virtual void ShowAgain() {}
};

// How an install click ended.
struct InstallAttempt {
  bool raised = false;    // a failure passed through the run and has been reported
  bool installed = false;
  int exitCode = kExitInstalled;
  std::string words;      // for the exit code's log line
};

class InstallSession {
 public:
  InstallSession(DialogService& dialogs, InstallProgressFactory makeProgress, const Switches& switches);

  // The start: the log first (so that every later step leaves its line), then the own version,
  // the default folder, the installed-copy test and the version question. False when the
  // question was declined: the program ends.
  bool Start(SessionView& view);

  // Drive root + "zt", or the folder given with "/dir="; shown through `view`.
  void SetDefaultFolder(SessionView& view);
  // The standard folder of a new install ("New Install" on the re-install page).
  void SetStandardFolder(SessionView& view);

  // The install click on `folder` (the field's text): the folder checks (a refused folder is
  // reported, and the default folder comes back where it should), then the install run.
  InstallAttempt Install(const std::string& folder, SessionView& view);

  // The unattended install: Start and the install click on the default folder, no window.
  // Returns the exit code, logged as the run's last line.
  int RunUnattended();

 private:
  std::string VersionLine() const;
  bool CheckForInstalled(const std::string& folder) const;
  // The report for a refused folder, "" for a usable one, which is then made into `usable`.
  // `reset` tells whether the folder goes back to the default.
  std::string FolderRefusal(const std::string& folder, std::optional<InstallFolder>& usable, bool& reset) const;
  InstallAttempt Run(const InstallFolder& folder, SessionView& view);
  void SetFolder(std::string folder, SessionView& view);

  DialogService& m_dialogs;
  InstallProgressFactory m_makeProgress;
  Switches m_switches;
  std::string m_driveRoot;
  std::string m_ownVersion;
  std::string m_folder;
  bool m_installedCopyFound = false;
  // The folder from "/dir=" when the command line held characters this program cannot read.
  std::string m_inexactFolder;
};
