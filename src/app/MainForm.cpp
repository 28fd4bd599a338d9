#include "app/MainForm.h"

#include <exception>
#include <string>

#include <windows.h>
#include <shlobj.h>

#include "app/InstallFolderChecks.h"
#include "app/MainFormRules.h"
#include "engine/InstallProgram.h"
#include "support/Files.h"
#include "support/FileVersion.h"
#include "support/Folders.h"
#include "support/Format.h"
#include "support/Locale.h"
#include "support/Paths.h"
#include "support/ProcessCommandLine.h"
#include "support/Product.h"
#include "support/RunLog.h"
#include "support/System.h"
#include "support/Text.h"
#include "support/UniqueHandle.h"
#include "ui/AdvPanel.h"
#include "ui/AdvToolButton.h"
#include "ui/EditField.h"
#include "ui/Label.h"
#include "ui/PageControl.h"

namespace {
constexpr char kBrowseText[] =
    "Change Install Folder. Standard Corvane folders are zt and corvane\\zt. To install directly to a Corvane "
    "flash drive, select the drive, then the zt folder.";

int CALLBACK BrowseStarted(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}
}  // namespace

TMainForm::TMainForm(DialogService& dialogs, InstallProgressFactory makeProgress, RunMode mode)
    : m_dialogs(dialogs), m_makeProgress(std::move(makeProgress)), m_mode(mode) {
  btnSetup.SetOnClick([this](TAdvToolButton& b) { btnSetupClick(b); });
  btnBrowse.SetOnClick([this](TAdvToolButton& b) { btnBrowseClick(b); });
  btnInstall.SetOnClick([this](TAdvToolButton& b) { btnReInstallClick(b); });
  btnReinstall.SetOnClick([this](TAdvToolButton& b) { btnReInstallClick(b); });
  BtnFullInstall.SetOnClick([this](TAdvToolButton& b) { BtnFullInstallClick(b); });
  for (TAdvToolButton* cancel : {&btnCancel, &BtnCancel2, &btnCancel3})
    cancel->SetOnClick([this](TAdvToolButton& b) { btnCancelClick(b); });
}

void TMainForm::FormCreated() { FormCreate(); }

std::string TMainForm::VersionLine() const {
  return "Version " + m_ownVersion + " " + ShortDateText(FileDateTime(OwnFilePath()));
}

void TMainForm::FormCreate() {
  // The log comes first, so that every later step of the run leaves its line.
  SetLogEnabled(true);
  StartRunLog(CommonDocumentsFolder() + "corvane\\" + NamePart(OwnFilePath()));
  LogText("FormCreate: start");
  if (m_mode == RunMode::Silent) LogText("Mode: silent");
  if (m_mode == RunMode::VerySilent) LogText("Mode: very silent");

  lbVersion.SetCaption("Released: 02/05/16");
  CentreHorizontally(lbVersion);
  lbVersion.SetTop(AdvPanel1.Height() - lbVersion.Height() - 4);
  PageControl1.SetActivePage(TabSheet1);
  SetCaption(Format(kMainCaptionFormat, kProductName));

  m_ownVersion = OwnVersionText();
  lbIns1.SetCaption("This will install Corvane Quillon");
  lbIns2.SetCaption(VersionLine());
  CentreHorizontally(lbIns1);
  CentreHorizontally(lbIns2);
  lbP1Progname.SetCaption(kProductName);
  lbP1ProgVer.SetCaption(m_ownVersion);
  CentreHorizontally(lbP1Progname);
  CentreHorizontally(lbP1ProgVer);

  LogText("FormCreate. makeimage");
  MakeImage();

  m_driveRoot = DriveRootOf(SpecialFolderPath(CSIDL_WINDOWS));
  LogText("FormCreate.SetDefaultDir");
  SetDefaultDir();

  LogText("formcreate: CheckforInstalled");
  m_installedCopyFound = CheckForInstalled(edInstallDir.Text()) || CheckForInstalled(m_driveRoot + "corvane\\zt");
  LogFormat("FormCreate: Fromdisk = %s", BoolText(m_installedCopyFound));

  const std::string qlx = AddTrailingBackslash(edInstallDir.Text()) + "qlx.exe";
  m_installedVersion = FileIsPresent(qlx) ? FileVersionText(qlx) : std::string();

  const std::string prompt = VersionPromptText(m_installedVersion, m_ownVersion, m_installedCopyFound);
  if (!prompt.empty() &&
      m_dialogs.AskChoice(prompt, TMsgDlgType::mtInformation, mbYes | mbCancel, 0) == mrCancel) {
    LogText("formCreate: Install Cancelled");
    m_declined = true;
    ::PostQuitMessage(1);
    return;
  }

  if (m_installedCopyFound && !prompt.empty()) {
    lbReins1.SetCaption("This will Re-install Corvane Quillon");
    lbReins2.SetCaption(VersionLine());
    CentreHorizontally(lbReins1);
    CentreHorizontally(lbReins2);
    PageControl1.SetActivePage(TabSheet3);
    LogText("FormCreate - Reinstall found");
  }
}

void TMainForm::SetDefaultDir() {
  const DefaultFolder folder = DefaultInstallFolder(m_driveRoot, ProcessCommandLine());
  edInstallDir.SetText(folder.folder);
  if (folder.passed) LogFormat("Installdir passed: %s.", edInstallDir.Text());
  // Characters outside the ANSI code page reach this program as "?" or as look-alikes.
  m_inexactFolder = folder.passed && !CommandLineIsAnsi() ? folder.folder : std::string();
  lbInstallDir.SetCaption(edInstallDir.Text());
  LogFormat("Default Install to Dir set to %s (Exists=%s).", edInstallDir.Text(),
            BoolTextLower(FolderIsPresent(edInstallDir.Text())));
}

bool TMainForm::CheckForInstalled(const std::string& folder) {
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

void TMainForm::btnSetupClick(TAdvToolButton&) {
  LogText("BtnSetupClick.started");
  PageControl1.SetActivePage(TabSheet2);
  edInstallDir.Focus();
}

void TMainForm::btnBrowseClick(TAdvToolButton&) {
  LogText("BrowseForFolder Button Clicked");
  const std::string start = edInstallDir.Text();
  BROWSEINFOA info{};
  info.hwndOwner = Handle();
  info.lpszTitle = kBrowseText;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseStarted;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  UniqueCoTaskMem chosen(::SHBrowseForFolderA(&info));
  if (!chosen) return;
  char path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(chosen.get()), path)) return;
  if (start != path) edInstallDir.SetText(path);
}

void TMainForm::BtnFullInstallClick(TAdvToolButton&) {
  PageControl1.SetActivePage(TabSheet1);
  edInstallDir.SetText(m_driveRoot + "zt");
  lbInstallDir.SetCaption(edInstallDir.Text());
}

void TMainForm::btnCancelClick(TAdvToolButton&) { Close(); }

std::string TMainForm::FolderRefusal(const std::string& folder, bool& reset) const {
  reset = true;
  std::string message;
  if (folder.empty()) {
    message =
        "Install Folder CANNOT be blank. Please use c:\\zt or c:\\corvane\\zt, unless you really know what you are "
        "doing and want to use a different folder.";
  } else if (IsProtectedFolder(FolderForms(folder), ProgramFilesFolders())) {
    message = Format("%s is a protected windows folder and we cannot install the program to it.", folder);
  } else if (!m_inexactFolder.empty() && folder == m_inexactFolder) {
    reset = false;
    message = Format("The folder %s given on the command line has characters that this program cannot use.", folder);
  } else if (const std::string fault = FolderTextFault(folder); !fault.empty()) {
    // A text that names no folder for certain is left for the user to correct.
    reset = false;
    message = Format("%s cannot be the install folder: it %s.", folder, fault);
  }
  if (!message.empty()) {
    LogText("BtnInstallClick. Cancelled - bad install directory.");
    return message + Format("\n\n%s has not been installed.", kProductName);
  }
  reset = false;
  if (!IsValidInstallDevice(folder)) return std::string("Install Directory is not on a valid device") + ".";
  return {};
}

bool TMainForm::Install(const std::string& folder, InstallOutcome& outcome, int& failureCode) {
  failureCode = 0;
  LogText("BtnInstallClick.InstallProgram");
  try {
    return InstallProgram(folder, m_dialogs, m_makeProgress, outcome);
  } catch (const EInstallerDamaged& e) {
    failureCode = kExitDamaged;
    if (m_mode == RunMode::Interactive) Form::Show(SW_SHOW);
    m_dialogs.ShowNotice(e.what());
  } catch (const std::exception& e) {
    failureCode = kExitFailed;
    // The failure's message says what happened; the window comes back so that the user can
    // close it or try again.
    if (m_mode == RunMode::Interactive) Form::Show(SW_SHOW);
    m_dialogs.ShowNotice(e.what());
    outcome.message = e.what();
  }
  return false;
}

void TMainForm::btnReInstallClick(TAdvToolButton&) {
  LogText("BtnInstallClick.started");
  const std::string folder = edInstallDir.Text();
  bool reset = false;
  if (const std::string refusal = FolderRefusal(folder, reset); !refusal.empty()) {
    m_dialogs.ShowNotice(refusal);
    if (reset) SetDefaultDir();
    return;
  }
  Hide();
  InstallOutcome outcome;
  int failureCode = 0;
  const bool installed = Install(folder, outcome, failureCode);
  if (failureCode) return;
  if (installed) {
    Close();
    return;
  }
  Form::Show(SW_SHOW);
  m_dialogs.ShowNoticeFmt("%s was not installed.", kProductName);
}

namespace {
int Finish(int code, const std::string& words) {
  LogFormat("Exit code %d: %s", code, words);
  return code;
}
}  // namespace

int TMainForm::RunUnattended() {
  if (m_declined) return Finish(kExitCancelled, "cancelled at the version question");
  LogText("BtnInstallClick.started");
  const std::string folder = edInstallDir.Text();
  bool reset = false;
  if (const std::string refusal = FolderRefusal(folder, reset); !refusal.empty()) {
    m_dialogs.ShowNotice(refusal);
    return Finish(kExitRefusedFolder, Format("refused folder <%s>", folder));
  }
  InstallOutcome outcome;
  int failureCode = 0;
  const bool installed = Install(folder, outcome, failureCode);
  if (failureCode == kExitDamaged) return Finish(kExitDamaged, "damaged installer");
  if (failureCode) return Finish(kExitFailed, "failed: " + outcome.message);
  using Kind = InstallOutcome::Kind;
  switch (outcome.kind) {
    case Kind::Installed:
      return Finish(kExitInstalled, "installed");
    case Kind::InstalledUnderMenu:
      if (outcome.filesFailed)
        return Finish(kExitPartial, Format("installed under the menu program, %d of %d files not written",
                                           outcome.filesFailed, outcome.filesTotal));
      return Finish(kExitInstalled, "installed under the menu program");
    case Kind::InstalledWithFailures:
      return Finish(kExitPartial, Format("installed, %d of %d files not written", outcome.filesFailed,
                                         outcome.filesTotal + 1));
    case Kind::Cancelled:
      return Finish(kExitCancelled, Format("cancelled after %d of %d files", outcome.filesHandled, outcome.filesTotal));
    case Kind::ItemsUnreadable:
    case Kind::Damaged:
      return Finish(kExitDamaged, "damaged installer");
    case Kind::Failed:
      return Finish(kExitFailed, "failed: " + outcome.message);
    case Kind::NotRun:
      break;
  }
  return Finish(installed ? kExitInstalled : kExitFailed, installed ? "installed" : "not installed");
}

// The main window closes for good: the program ends with it.
bool TMainForm::FormCloseQuery() {
  DestroyHandle();
  return false;
}

void TMainForm::FormDestroyed() { ::PostQuitMessage(0); }
