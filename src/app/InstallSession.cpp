#include "app/InstallSession.h"

#include <exception>
#include <utility>
#include <vector>

#include <windows.h>
#include <shlobj.h>

#include "app/InstallFolderChecks.h"
#include "app/MainFormRules.h"
#include "engine/InstallProgram.h"
#include "product/Product.h"
#include "support/base/Format.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/FileVersion.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/run/LogOnlyDialogs.h"
#include "support/run/ProcessCommandLine.h"
#include "support/run/ProgramShell.h"
#include "support/run/RunLog.h"
#include "support/win/Locale.h"
#include "support/win/System.h"

namespace {

// The install folder is held in lower case, as the main window's field converts what it is
// given (the system's lower case, which also knows the code page's accented letters).
std::string SystemLower(std::string text) {
  if (!text.empty()) ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

InstallAttempt Ended(int code, std::string words, bool installed = false) {
  return InstallAttempt{.installed = installed, .exitCode = code, .words = std::move(words)};
}

// The exit code of a run that ended without a failure passing through it.
InstallAttempt FromOutcome(const InstallOutcome& outcome) {
  using Kind = InstallOutcome::Kind;
  const bool installed = outcome.Installed();
  switch (outcome.kind) {
    case Kind::Installed:
      return Ended(kExitInstalled, "installed", installed);
    case Kind::InstalledUnderMenu:
      if (outcome.filesFailed)
        return Ended(kExitPartial,
                     Format("installed under the menu program, %d of %d files not written", outcome.filesFailed,
                            outcome.filesTotal),
                     installed);
      return Ended(kExitInstalled, "installed under the menu program", installed);
    case Kind::InstalledWithFailures:
      return Ended(kExitPartial,
                   Format("installed, %d of %d files not written", outcome.filesFailed, outcome.filesTotal + 1),
                   installed);
    case Kind::Cancelled:
      return Ended(kExitCancelled, Format("cancelled after %d of %d files", outcome.filesHandled, outcome.filesTotal),
                   installed);
    case Kind::ItemsUnreadable:
    case Kind::Damaged:
      return Ended(kExitDamaged, "damaged installer", installed);
    case Kind::Failed:
      return Ended(kExitFailed, "failed: " + outcome.message, installed);
    case Kind::NotRun:
      break;
  }
  return installed ? Ended(kExitInstalled, "installed", true) : Ended(kExitFailed, "not installed");
}

}  // namespace

InstallSession::InstallSession(DialogService& dialogs, InstallProgressFactory makeProgress, const Switches& switches)
    : m_dialogs(dialogs), m_makeProgress(std::move(makeProgress)), m_switches(switches) {}

std::string InstallSession::VersionLine() const {
  return "Version " + m_ownVersion + " " + ShortDateText(FileDateTime(OwnFilePath()));
}

bool InstallSession::Start(SessionView& view) {
  ProgramShell::StartLog(m_switches.log);
  LogText("FormCreate: start");
  if (m_switches.mode == RunMode::Silent) LogText("Mode: silent");
  if (m_switches.mode == RunMode::VerySilent) LogText("Mode: very silent");

  m_ownVersion = OwnVersionText();
  view.ShowStartTexts(m_ownVersion, VersionLine());
  LogText("FormCreate. makeimage");
  view.MakeImage();

  m_driveRoot = DriveRootOf(SpecialFolderPath(CSIDL_WINDOWS));
  LogText("FormCreate.SetDefaultDir");
  SetDefaultFolder(view);

  LogText("formcreate: CheckforInstalled");
  m_installedCopyFound = CheckForInstalled(m_folder) || CheckForInstalled(m_driveRoot + "corvane\\zt");
  LogFormat("FormCreate: Fromdisk = %s", BoolText(m_installedCopyFound));

  const std::string qlx = AddTrailingBackslash(m_folder) + "qlx.exe";
  const std::string installedVersion = FileIsPresent(qlx) ? FileVersionText(qlx) : std::string();
  const std::string prompt = VersionPromptText(installedVersion, m_ownVersion, m_installedCopyFound);
  if (!prompt.empty() &&
      m_dialogs.AskChoice(prompt, TMsgDlgType::mtInformation, mbYes | mbCancel, 0) == mrCancel) {
    LogText("formCreate: Install Cancelled");
    return false;
  }
  if (m_installedCopyFound && !prompt.empty()) {
    view.ShowReinstall(VersionLine());
    LogText("FormCreate - Reinstall found");
  }
  return true;
}

void InstallSession::SetFolder(std::string folder, SessionView& view) {
  m_folder = SystemLower(std::move(folder));
  view.ShowFolder(m_folder);
}

void InstallSession::SetDefaultFolder(SessionView& view) {
  const DefaultFolder folder = DefaultInstallFolder(m_driveRoot, ProcessCommandLine());
  SetFolder(folder.folder, view);
  if (folder.passed) LogFormat("Installdir passed: %s.", m_folder);
  // Characters outside the ANSI code page reach this program as "?" or as look-alikes.
  m_inexactFolder = folder.passed && !CommandLineIsAnsi() ? m_folder : std::string();
  LogFormat("Default Install to Dir set to %s (Exists=%s).", m_folder, BoolTextLower(FolderIsPresent(m_folder)));
}

void InstallSession::SetStandardFolder(SessionView& view) { SetFolder(m_driveRoot + "zt", view); }

bool InstallSession::CheckForInstalled(const std::string& folder) const {
  if (folder.empty() || !FolderIsPresent(folder)) {
    LogFormat("CheckForInstalled: Folder not found: <%s>", folder);
    return false;
  }
  const std::string marker = AddTrailingBackslash(folder) + "quon.exe";
  if (!FileIsPresent(marker)) {
    LogFormat("CheckForInstalled: File does not exist <%s>", marker);
    return false;
  }
  return true;
}

// The checks in their order; a share or device text passes the text rules to be refused, without
// the system being asked, by the device check.
std::string InstallSession::FolderRefusal(const std::string& folder, std::optional<InstallFolder>& usable,
                                          bool& reset) const {
  FolderText kind;
  usable = InstallFolder::FromText(folder, kind);
  reset = true;
  std::string message;
  if (kind == FolderText::Blank) {
    message =
        "Install Folder CANNOT be blank. Please use c:\\zt or c:\\corvane\\zt, unless you really know what you are "
        "doing and want to use a different folder.";
  } else if (IsProtectedFolder(FolderForms(folder), ProgramFilesFolders()) || IsOrHoldsSystemFolder(folder)) {
    message = Format("%s is a protected windows folder and we cannot install the program to it.", folder);
  } else if (!m_inexactFolder.empty() && folder == m_inexactFolder) {
    reset = false;
    message = Format("The folder %s given on the command line has characters that this program cannot use.", folder);
  } else if (kind != FolderText::Usable && kind != FolderText::NotOnDrive) {
    // A text that names no folder for certain is left for the user to correct.
    reset = false;
    message = Format("%s cannot be the install folder: it %s.", folder, FolderTextWords(kind));
  }
  if (!message.empty()) {
    LogText("BtnInstallClick. Cancelled - bad install directory.");
    return message + Format("\n\n%s has not been installed.", kProductName);
  }
  reset = false;
  if (!usable || !IsValidInstallDevice(*usable)) return std::string("Install Directory is not on a valid device") + ".";
  return {};
}

InstallAttempt InstallSession::Install(const std::string& folder, SessionView& view) {
  LogText("BtnInstallClick.started");
  m_folder = folder;
  bool reset = false;
  std::optional<InstallFolder> usable;
  if (const std::string refusal = FolderRefusal(folder, usable, reset); !refusal.empty()) {
    if (m_switches.mode == RunMode::Interactive) {
      m_dialogs.ShowNotice(refusal);
      if (reset) SetDefaultFolder(view);
    } else {
      // Nobody is there to answer a dialog: the refusal goes to the log and the run ends.
      LogReport(refusal);
    }
    return Ended(kExitRefusedFolder, Format("refused folder <%s>", folder));
  }
  view.HideForRun();
  InstallAttempt attempt = Run(*usable, view);
  if (!attempt.installed && !attempt.raised && m_switches.mode == RunMode::Interactive) {
    view.ShowAgain();
    m_dialogs.ShowNoticeFmt("%s was not installed.", kProductName);
  }
  return attempt;
}

// A failure that stopped the run is reported here; the window comes back first, so that the
// user can close it or try again.
InstallAttempt InstallSession::Run(const InstallFolder& folder, SessionView& view) {
  LogText("BtnInstallClick.InstallProgram");
  const InstallOutcome outcome = InstallProgram(InstallRequest{folder, m_switches.useDosbox}, m_dialogs, m_makeProgress);
  if (!outcome.stopped) return FromOutcome(outcome);
  view.ShowAgain();
  m_dialogs.ShowNotice(outcome.message);
  InstallAttempt failed = outcome.kind == InstallOutcome::Kind::Damaged ? Ended(kExitDamaged, "damaged installer")
                                                                        : Ended(kExitFailed, "failed: " + outcome.message);
  failed.raised = true;
  return failed;
}

int InstallSession::RunUnattended() {
  SessionView none;
  if (!Start(none)) return ProgramShell::Finish(kExitCancelled, "cancelled at the version question");
  const InstallAttempt attempt = Install(m_folder, none);
  return ProgramShell::Finish(attempt.exitCode, attempt.words);
}
