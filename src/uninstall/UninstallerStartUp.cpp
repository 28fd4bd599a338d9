#include "uninstall/UninstallerStartUp.h"

#include <exception>
#include <memory>
#include <optional>

#include <windows.h>

#include "product/Product.h"
#include "support/base/Format.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/CanonicalFolder.h"
#include "support/fs/HeldFolder.h"
#include "support/run/Application.h"
#include "support/run/ProcessCommandLine.h"
#include "support/run/ProgramShell.h"
#include "support/run/RunLog.h"
#include "support/win/System.h"
#include "support/win/UniqueHandle.h"
#include "ui/InstProgressForm.h"
#include "ui/RunServices.h"
#include "uninstall/SelfRemoval.h"
#include "uninstall/TargetLoader.h"
#include "uninstall/UninstallCommandLine.h"
#include "uninstall/UninstallRun.h"

namespace {

bool InstallerIsRunning() {
  const UniqueKernelHandle mutex(::OpenMutexA(SYNCHRONIZE, FALSE, kSingleInstanceMutex));
  return static_cast<bool>(mutex);
}

// The install folder must not stay the current folder of this process: it could not be
// removed while it is.
void LeaveInstallFolder() {
  char temp[MAX_PATH + 1] = {};
  if (::GetTempPathA(MAX_PATH, temp)) ::SetCurrentDirectoryA(temp);
}

std::string CanonicalFilePath(const std::string& path) {
  return AddTrailingBackslash(CanonicalFolder(FolderPart(path))) + AsciiLower(NamePart(path));
}

class Uninstaller {
 public:
  Uninstaller(const UninstallOptions& options, RunServices& services)
      : m_options(options), m_switches(options.Switches()), m_services(services) {}

  int Run() {
    const std::string program = CanonicalFilePath(OwnFilePath());
    TargetLoading loading = LoadUninstallTarget(m_options.recordPath, program);
    if (!loading.target) {
      LogFormat("Uninstall.Record refused: %s", loading.error);
      if (!m_switches.suppressMsgBoxes) m_services.Dialogs().ShowNotice(kProductName, loading.error);
      return kExitBadRecord;
    }
    const UninstallTarget& target = *loading.target;
    LogFormat("Uninstall.Record %s, install folder %s", target.recordPath, target.folder.Path());
    m_recordAsGiven = loading.recordAsGiven;
    const UninstallChoices choices{.ask = !m_switches.Unattended() && !m_switches.suppressMsgBoxes,
                                   .reportSuccess = !m_switches.Unattended()};
    UninstallResult result;
    {
      // Held since the record was read, to the end of the removal: not renamed or removed by
      // anyone else meanwhile. Let go before the closing report, which may stay open for long.
      InstalledFiles files(std::move(*loading.folder), target.folder.Path(), FolderPart(loading.recordAsGiven));
      result = RunUninstall(target, files, choices, m_services.Dialogs(), ProgressFactory());
      if (result.finished && !RemoveProgramAndRecord(target, files, m_recordAsGiven)) {
        result.exitCode = kExitFailed;
        result.report = Format("%s was not removed completely: the uninstaller and its record in %s could not be "
                               "removed.",
                               kProductName, target.folder.Path());
      }
    }
    if (!result.report.empty()) m_services.Dialogs().ShowNotice(kProductName, result.report);
    return result.exitCode;
  }

 private:
  InstallProgressFactory ProgressFactory() const {
    return m_services.Progress([](TInstProgressForm& form) {
      form.SetCaption("Uninstall Progress");
      // The closing report follows at once: no OK to wait for in the end state.
      form.SetWaitAtEnd(false);
    });
  }

  // The running program and the record go last: by the finishing copy when the program lies in
  // the install folder, otherwise here. False when they stay.
  // The finishing copy opens the folder again: from the paths as given, which name it exactly.
  static bool RemoveProgramAndRecord(const UninstallTarget& target, InstalledFiles& files,
                                     const std::string& recordAsGiven) {
    if (FolderPart(target.programPath) == target.folder.Path()) {
      const std::string programAsGiven = FolderPart(recordAsGiven) + NamePart(OwnFilePath());
      const std::optional<FileIdentity> folder = files.Identity();
      const bool started = folder && StartSelfRemoval(programAsGiven, recordAsGiven, *folder);
      LogFormat("Uninstall.Finishing copy started: %s", BoolText(started));
      return started;
    }
    const bool removed = files.Remove(target.recordPath) == 0;
    if (removed) LogFormat("Uninstall.Removed %s", target.recordPath);
    if (files.RemoveInstallFolder() == 0) LogFormat("Uninstall.Removed %s", target.folder.Path());
    return removed;
  }

  UninstallOptions m_options;
  std::string m_recordAsGiven;
  RunSwitches m_switches;
  RunServices& m_services;
};

}  // namespace

int RunUninstaller() {
  ProgramShell shell;
  const std::string arguments = ArgumentsAfterProgram(ProcessCommandLine().Raw());
  UninstallOptions options = ParseUninstallArguments(arguments);
  // A relative record path names a file of the folder the uninstaller was started in.
  if (const std::string full = FullPath(options.recordPath); !options.recordPath.empty() && !full.empty())
    options.recordPath = full;
  LeaveInstallFolder();
  if (const auto finishing = ParseSelfRemovalArguments(arguments)) return FinishSelfRemoval(*finishing);

  // A second copy, or one started while the installer runs, ends at once without a window and
  // without touching the first one's log.
  if (!shell.TakeSingleInstance(kUninstallerMutex) || InstallerIsRunning()) return kExitAlreadyRunning;

  SetApplicationTitle(kUninstallerTitle);
  ProgramShell::StartLog(ProcessCommandLine().RawContainsLower("/log"));
  LogText("Uninstall.started");
  LogFormat("Uninstall.Command line: %s", ProcessCommandLine().Raw());
  RunServices services(options.Switches());
  int code = kExitFailed;
  try {
    code = Uninstaller(options, services).Run();
  } catch (const std::exception& e) {
    LogFormat("Uninstall.Failed: %s", e.what());
    if (!options.Switches().suppressMsgBoxes) ShowException(e.what());
  }
  return ProgramShell::Finish(code, ExitCodeText(code));
}
