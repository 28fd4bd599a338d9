#include "uninstall/UninstallerStartUp.h"

#include <exception>
#include <memory>

#include <windows.h>

#include "support/Application.h"
#include "support/CanonicalFolder.h"
#include "support/Folders.h"
#include "support/HiddenProgress.h"
#include "support/LogOnlyDialogs.h"
#include "support/Paths.h"
#include "support/ProcessCommandLine.h"
#include "support/Product.h"
#include "support/RunLog.h"
#include "support/StartUpGuards.h"
#include "support/System.h"
#include "support/Text.h"
#include "support/UniqueHandle.h"
#include "ui/InstProgressForm.h"
#include "ui/TaskDialogService.h"
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
  explicit Uninstaller(const UninstallOptions& options) : m_options(options) {}

  int Run() {
    const std::string program = CanonicalFilePath(OwnFilePath());
    const TargetLoading loading = LoadUninstallTarget(m_options.recordPath, program);
    if (!loading.target) {
      LogFormat("Uninstall.Record refused: %s", loading.error);
      if (!Quiet()) Dialogs().ShowNotice(kProductName, loading.error);
      return kExitBadRecord;
    }
    const UninstallTarget& target = *loading.target;
    LogFormat("Uninstall.Record %s, install folder %s", target.recordPath, target.installDir);
    const UninstallChoices choices{.ask = !m_options.silent && !m_options.verySilent && !m_options.suppressMsgBoxes,
                                   .reportSuccess = !m_options.silent && !m_options.verySilent};
    const UninstallResult result = RunUninstall(target, choices, Dialogs(), ProgressFactory());
    if (result.finished) RemoveProgramAndRecord(target);
    return result.exitCode;
  }

 private:
  bool Quiet() const { return m_options.verySilent || m_options.suppressMsgBoxes; }

  DialogService& Dialogs() {
    if (Quiet()) return m_logged;
    return m_shown;
  }

  InstallProgressFactory ProgressFactory() const {
    if (m_options.verySilent) return [] { return std::make_unique<HiddenProgress>(); };
    return [] {
      auto form = std::make_unique<TInstProgressForm>();
      form->SetCaption("Uninstall Progress");
      // The closing report follows at once: no OK to wait for in the end state.
      form->SetWaitAtEnd(false);
      return std::unique_ptr<InstallProgress>(std::move(form));
    };
  }

  // The running program and the record go last: by the finishing copy when the program lies in
  // the install folder, otherwise here.
  static void RemoveProgramAndRecord(const UninstallTarget& target) {
    if (FolderPart(target.programPath) == target.installDir) {
      const bool started = StartSelfRemoval(target.programPath, target.recordPath);
      LogFormat("Uninstall.Finishing copy started: %s", BoolText(started));
      return;
    }
    if (::DeleteFileA(target.recordPath.c_str())) LogFormat("Uninstall.Removed %s", target.recordPath);
    if (::RemoveDirectoryA(StripTrailingBackslashes(target.installDir).c_str()))
      LogFormat("Uninstall.Removed %s", target.installDir);
  }

  UninstallOptions m_options;
  TaskDialogService m_shown;
  LogOnlyDialogs m_logged;
};

}  // namespace

int RunUninstaller() {
  RestrictDllSearch();
  ComApartment com;
  LeaveInstallFolder();
  const std::string arguments = ArgumentsAfterProgram(ProcessCommandLine().Raw());
  if (const auto finishing = ParseSelfRemovalArguments(arguments)) return FinishSelfRemoval(*finishing);
  const UninstallOptions options = ParseUninstallArguments(arguments);

  // A second copy, or one started while the installer runs, ends at once without a window and
  // without touching the first one's log.
  const UniqueKernelHandle mutex(::CreateMutexA(nullptr, TRUE, kUninstallerMutex));
  if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS || InstallerIsRunning()) return kExitAlreadyRunning;

  SetApplicationTitle(kUninstallerTitle);
  SetLogEnabled(true);
  StartRunLog(CommonDocumentsFolder() + "corvane\\" + NamePart(OwnFilePath()));
  LogText("Uninstall.started");
  LogFormat("Uninstall.Command line: %s", ProcessCommandLine().Raw());
  int code = kExitFilesKept;
  try {
    code = Uninstaller(options).Run();
  } catch (const std::exception& e) {
    LogFormat("Uninstall.Failed: %s", e.what());
    if (!options.verySilent && !options.suppressMsgBoxes) ShowException(e.what());
  }
  LogFormat("Exit code %d: %s", code, ExitCodeText(code));
  return code;
}
