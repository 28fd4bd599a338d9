#include "engine/InstallProgram.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include <windows.h>

#include "engine/DosboxDecision.h"
#include "engine/InstallFolderAccess.h"
#include "engine/InstallItems.h"
#include "engine/InstallReport.h"
#include "engine/InstallRules.h"
#include "engine/Leftovers.h"
#include "engine/PayloadList.h"
#include "engine/Shortcuts.h"
#include "engine/UninstallRecordFile.h"
#include "engine/UninstallRegistry.h"
#include "product/Product.h"
#include "product/UninstallRecord.h"
#include "support/base/Format.h"
#include "support/base/Lists.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/FileVersion.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/fs/Links.h"
#include "support/run/RunLog.h"
#include "support/win/SystemError.h"

namespace {

constexpr char kMenuProgram[] = "ztmenu.exe";
// Only this program is kept when the copy in place is not older than the item: it may be a
// newer one that another product of the publisher installed.
constexpr char kKeptIfNotOlder[] = "vnhhttp.exe";

using Kind = InstallOutcome::Kind;

// What the file phase leaves for the completion.
struct WrittenFiles {
  bool cancelled = false;
  int handled = 0;
  int written = 0;
  std::uint64_t bytesWritten = 0;
  std::string fileList;  // File_List's value
  std::vector<std::string> failed;
};

// A folder that cannot be made shows up later as files that cannot be written. Nothing is
// made through a link on the way from the install folder.
void MakeFolder(const InstallFolders& folders, std::string folder) {
  if (!LinkOnTheWay(folders.install, folder)) EnsureFolder(folder);
}

// Puts the staged file in place, after the same look for a link on the way as when it was
// staged (the folders may have changed since).
WriteResult PutInInstallFolder(const InstallFolders& folders, const std::string& destination, InstallItem& item) {
  if (!item.staged) return {ERROR_INVALID_PARAMETER};
  if (LinkOnTheWay(folders.install, destination)) {
    item.staged->Discard();
    return {kStoppedOnLink};
  }
  return item.staged->PutInPlace(static_cast<std::uint32_t>(item.fileDate));
}

bool KeepsExistingCopy(const std::string& destination, const InstallItem& item) {
  return destination.find(kKeptIfNotOlder) != std::string::npos && FileIsPresent(destination) &&
         ExistingFileIsNotOlder(static_cast<std::uint32_t>(item.fileDate), FileDateTime(destination));
}

void WriteOneFile(const std::string& destination, InstallItem& item, bool listed, const InstallFolders& folders,
                  WrittenFiles& files) {
  const WriteResult result = PutInInstallFolder(folders, destination, item);
  // A file that could not be written is listed all the same: an older copy may be there for
  // the uninstaller to remove.
  if (listed) files.fileList += destination.substr(folders.install.size()) + ",";
  if (result.Written()) {
    LogFormat("InstallProgram.File saved %s", destination);
    ++files.written;
    files.bytesWritten += item.size;
  } else {
    LogFormat("InstallProgram.File NOT saved %s (error %d)", destination, result.error);
    files.failed.push_back(destination);
  }
}

// Writes the files in list order; Pause and Cancel take effect inside SetPosition, between files.
WrittenFiles WriteFiles(InstallItems& read, const InstallFolders& folders, int normalFiles, bool needsDosbox,
                        InstallProgress& progress) {
  WrittenFiles files;
  LogText("InstallProgram.Putting files in folder");
  progress.SetTotal(static_cast<std::int32_t>(read.totalBytes));
  std::int64_t bytesDone = 0;
  const int count = static_cast<int>(read.items.size());
  for (int i = 0; i < count; ++i) {
    InstallItem& item = read.items[i];
    const std::string& destination = item.destination;
    progress.SetFileName(destination);
    LogFormat("InstallProgram.file: %s", destination);
    if (KeepsExistingCopy(destination, item)) {
      if (item.staged) item.staged->Discard();
    } else {
      const std::size_t failedBefore = files.failed.size();
      WriteOneFile(destination, item, ListedInFileList(i, normalFiles, needsDosbox), folders, files);
      if (files.failed.size() != failedBefore) progress.FileFailed();
    }
    bytesDone += static_cast<std::int64_t>(item.size);
    progress.SetPosition(static_cast<std::int32_t>(bytesDone));
    files.handled = i + 1;
    if (progress.Cancelled()) {
      files.cancelled = true;
      break;
    }
  }
  return files;
}

// Whether the folder above the install folder holds the publisher's menu program. A parent that
// is a drive root (c:\) does not count.
bool UnderMenuProgram(const InstallFolder& installFolder) {
  const std::string parent = FolderPart(installFolder.Bare());
  return parent.size() > 3 && FileIsPresent(parent + kMenuProgram);
}

// The record's last lines, the shortcuts, the record file and the registry entry.
std::string CompleteInstallation(UninstallRecord& record, const InstallFolder& installFolder,
                                 const InstallFolders& folders, const std::string& desktopLink, WrittenFiles& files,
                                 int fileCount) {
  record.AddCompletionLines(GroupFolder(kGroupSubPath));
  std::vector<std::string> notSaved = MakeGroupShortcuts(kGroupSubPath, folders.install);
  if (!MakeDesktopShortcut(desktopLink, folders.install)) notSaved.push_back(desktopLink);
  // A shortcut the shell could not save is as missing as a file that was not written.
  for (const std::string& link : MissingShortcuts(kGroupSubPath, desktopLink, notSaved)) {
    LogFormat("InstallProgram.Shortcut NOT saved %s", link);
    files.failed.push_back(link);
  }
  record.AddLine(kKeyShortcuts, kDesktopShortcutName);
  const std::string& path = installFolder.RecordPath();
  const WriteResult saved = LinkOnTheWay(folders.install, path) ? WriteResult{kStoppedOnLink}
                                                                : SaveUninstallRecord(installFolder, record.Text());
  if (!saved.Written()) {
    LogFormat("InstallProgram.File NOT saved %s (error %d)", path, saved.error);
    files.failed.push_back(path);
  }
  Register(installFolder, files.bytesWritten);
  // The record counts as one more file.
  return CompletionReport(OwnVersionText(), files.failed, fileCount + 1);
}

// Phases 1 to 5 up to the closing report ("" for none). The progress window and the items live
// here, so both are gone before the caller shows the report, and on every path a failure takes.
std::string RunPhases(const InstallRequest& request, DialogService& dialogs, const InstallProgressFactory& makeProgress,
                      InstallOutcome& outcome) {
  LogText("InstallProgram.started");
  const InstallFolder& installFolder = request.folder;
  UninstallRecord record(installFolder);
  const InstallFolders folders(installFolder);
  const int itemCount = CountChar(',', kPayloadList) + 1;
  const int normalFiles = itemCount - kDosboxItemCount;
  // Where every item's file goes, DOSBox's included whether or not this run writes it.
  const std::vector<PlannedItem> plan = PlanInstall(kPayloadList, itemCount, normalFiles, folders);
  std::vector<std::string> destinations;
  for (const PlannedItem& item : plan) destinations.push_back(item.destination);
  const bool needsDosbox =
      NeedsDosbox(request.useDosbox, folders.install, std::vector<std::string>(destinations.begin() + normalFiles, destinations.end()));
  LogFormat("NeedsDosbox := %s", BoolText(needsDosbox));

  const InstallFolderAccess access = PrepareInstallFolder(folders.install);
  if (access.error) {
    outcome.kind = Kind::Failed;
    outcome.message = Format("The folder %s could not be made so that only you and administrators can change the "
                             "programs in it (%s). Nothing was installed.",
                             folders.install, SystemErrorReason(access.error));
    return outcome.message;
  }
  MakeFolder(folders, folders.manuals);
  MakeFolder(folders, folders.tips);
  if (needsDosbox) {
    LogText("InstallProgram.EnsureDirExists");
    MakeFolder(folders, folders.dosbox);
  }
  RemoveLeftovers(folders.install, destinations);
  const std::unique_ptr<InstallProgress> progress = makeProgress();
  progress->SetProgramName(kProductName);
  progress->SetStage("Installing ...");
  progress->Show();

  LogFormat("Raw config items = %d", itemCount);
  LogFormat("Normfiles = %d", normalFiles);
  const int count = needsDosbox ? itemCount : normalFiles;
  outcome.filesTotal = count;
  LogFormat("InstallProgram.Making list of files to install (%d items)", count);
  InstallItems read = ReadInstallItems(plan, count, folders);
  LogFormat("Installprogram.Completed list: %d files", count);

  if (!read.errors.empty()) {
    std::string errors;
    for (const std::string& line : read.errors) errors += (errors.empty() ? "" : "\r\n") + line;
    dialogs.ShowNotice(errors);
    outcome.kind = Kind::ItemsUnreadable;
    return errors;
  }

  WrittenFiles files = WriteFiles(read, folders, normalFiles, needsDosbox, *progress);
  progress->ShowDone(files.failed.empty() ? "Installation Successful." : "Installation finished with errors.");
  record.AddLine(kKeyFileList, files.fileList);
  outcome.filesHandled = files.handled;
  // Looked up whether or not the run went well so far; used only by a complete one.
  const std::string desktopLink = DesktopShortcutPath();

  std::string report;
  if (files.cancelled) {
    outcome.kind = Kind::Cancelled;
    report = CancelReport(files.handled, count, files.failed);
  } else if (files.written == 0) {
    outcome.kind = Kind::Failed;
    report = NothingWrittenReport(files.failed);
    outcome.message = report;
  } else if (UnderMenuProgram(installFolder)) {
    outcome.kind = Kind::InstalledUnderMenu;
    report = MenuReport(files.failed);
  } else {
    report = CompleteInstallation(record, installFolder, folders, desktopLink, files, count);
    outcome.kind = files.failed.empty() ? Kind::Installed : Kind::InstalledWithFailures;
  }
  outcome.filesFailed = static_cast<int>(files.failed.size());
  const auto addParagraph = [&report](const std::string& text) {
    report += (report.empty() ? "" : "\r\n\r\n") + text;
  };
  if (outcome.Installed() && access.othersMayChange)
    addParagraph(Format("Other users of this computer can change the programs in %s.", folders.install));
  if (outcome.Installed() && access.cannotProtect)
    addParagraph(Format("The programs in %s cannot be protected from other users on this drive.", folders.install));
  return report;
}

}  // namespace

InstallOutcome InstallProgram(const InstallRequest& request, DialogService& dialogs,
                              const InstallProgressFactory& makeProgress) {
  InstallOutcome outcome;
  // A failure that stops the run is told by the outcome, after the progress window has gone.
  try {
    const std::string report = RunPhases(request, dialogs, makeProgress, outcome);
    if (!report.empty()) dialogs.ShowNotice(kProductName, report);
  } catch (const EInstallerDamaged& e) {
    outcome.kind = Kind::Damaged;
    outcome.message = e.what();
    outcome.stopped = true;
  } catch (const std::exception& e) {
    outcome.kind = Kind::Failed;
    outcome.message = e.what();
    outcome.stopped = true;
  }
  return outcome;
}
