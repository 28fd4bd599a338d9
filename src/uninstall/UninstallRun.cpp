#include "uninstall/UninstallRun.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

#include <windows.h>

#include "product/Product.h"
#include "support/base/Format.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/run/RunLog.h"
#include "support/win/SystemError.h"
#include "uninstall/InstalledFiles.h"
#include "uninstall/ProductTraces.h"
#include "uninstall/RemovalPlan.h"
#include "uninstall/RemovalTally.h"

namespace {

std::int32_t ProgressBytes(std::uint64_t bytes) {
  return static_cast<std::int32_t>(std::min<std::uint64_t>(bytes, std::numeric_limits<std::int32_t>::max()));
}

// `removed` holds what this run removed (lower case): a file another program still holds open
// stays listed after its removal, and is absent all the same.
void TakeStep(const RemovalStep& step, const InstalledFiles& files, std::vector<std::string>& removed,
              RemovalTally& tally) {
  if (step.kind == RemovalStep::Kind::Rename) {
    if (files.Present(step.renameTo)) return;
    const std::uint32_t error = files.Rename(step.path, step.renameTo);
    if (!error)
      tally.Renamed(step.path, step.renameTo);
    else if (error == kEntryIsLink)
      tally.Refused("file step", step.path, "a link, or it leads outside the install folder");
    else if (error != ERROR_FILE_NOT_FOUND)
      tally.NotRemoved(step.path, "not renamed back, " + SystemErrorReason(error));
    return;
  }
  for (const std::string& needed : step.unlessPresent)
    if (files.Present(needed) && std::find(removed.begin(), removed.end(), AsciiLower(needed)) == removed.end()) {
      tally.LeftAlone(step.path, needed + " still needs it");
      return;
    }
  const std::uint32_t error = files.Remove(step.path, step.maxBytes.value_or(UINT64_MAX));
  if (!error) {
    tally.Removed(step.path);
    removed.push_back(AsciiLower(step.path));
  }
  else if (error == kEntryTooLarge)
    tally.Kept(step.path, Format("larger than %d KiB: it holds user data", static_cast<int>(*step.maxBytes / 1024)));
  else if (error == kEntryIsLink)
    tally.Refused("file step", step.path, "a link, or it leads outside the install folder");
  else if (error != ERROR_FILE_NOT_FOUND)
    tally.NotRemoved(step.path, SystemErrorReason(error));
}

// Records a killed install left ("unins5100.dat.<digits>"); a link in their place stays (never
// what it leads to).
void SweepRecordLeftovers(const std::string& recordPath, const InstalledFiles& files, RemovalTally& tally) {
  const std::string stem = AsciiLower(NamePart(recordPath)) + ".";
  for (const FoundFile& file : files.Matching(files.Dir(), stem + "*")) {
    const std::string name = AsciiLower(NamePart(file.path));
    if (name.size() == stem.size() || name.find_first_not_of("0123456789", stem.size()) != std::string::npos) continue;
    if (const std::uint32_t error = files.Remove(file.path))
      tally.LeftAlone(file.path, error == kEntryIsLink ? "a link" : SystemErrorReason(error));
    else
      tally.Removed(file.path);
  }
}

// The file steps with the progress window; false when the user cancelled.
bool TakeFileSteps(const std::vector<RemovalStep>& steps, const InstalledFiles& files,
                   const std::string& programName, const InstallProgressFactory& makeProgress, RemovalTally& tally) {
  const std::unique_ptr<InstallProgress> progress = makeProgress();
  progress->SetProgramName(programName);
  progress->SetStage("Removing ...");
  progress->Show();
  std::uint64_t total = 0;
  for (const RemovalStep& step : steps) total += step.bytes;
  progress->SetTotal(ProgressBytes(total));
  std::uint64_t done = 0;
  std::vector<std::string> removed;
  for (const RemovalStep& step : steps) {
    progress->SetFileName(step.path);
    TakeStep(step, files, removed, tally);
    done += step.bytes;
    progress->SetPosition(ProgressBytes(done));
    if (progress->Cancelled()) {
      progress->ShowDone("Removal cancelled.");
      return false;
    }
  }
  progress->ShowDone(tally.ReportLines().empty() ? "Removal finished." : "Removal finished, some files were kept.");
  return true;
}

}  // namespace

const char* ExitCodeText(int code) {
  switch (code) {
    case kExitRemoved: return "removed";
    case kExitAlreadyRunning: return "another copy is running";
    case kExitBadRecord: return "bad or missing record";
    case kExitFilesKept: return "removed, but product files were kept";
    case kExitCancelled: return "cancelled by the user";
    default: return "failed";
  }
}

std::string RemovalReport(const std::string& programName, const std::vector<std::string>& kept, bool runAgain) {
  if (kept.empty()) return Format("%s was removed.", programName);
  std::string text = Format("%s was removed, but these files were kept:", programName);
  // A hostile record can name thousands: the log keeps them all, the dialog the first ones.
  constexpr std::size_t kShown = 20;
  for (std::size_t i = 0; i < kept.size() && i < kShown; ++i) text += "\r\n" + kept[i];
  if (kept.size() > kShown) text += Format("\r\nand %d more", static_cast<int>(kept.size() - kShown));
  if (runAgain)
    text += "\r\n\r\nThe uninstaller and the uninstall entry stay: run the uninstall again once these files can be "
            "removed.";
  return text;
}

UninstallResult RunUninstall(const UninstallTarget& target, InstalledFiles& files, const UninstallChoices& choices,
                             DialogService& dialogs, const InstallProgressFactory& makeProgress) {
  // The product's own name words what the user answers and reads, never the record's text.
  const std::string name = kProductName;
  if (choices.ask) {
    const int answer = dialogs.AskChoice(Format("Remove %s and all of its components?", name),
                                         TMsgDlgType::mtConfirmation, mbYes | mbNo, 0);
    // No answer at all: the question could not be shown, which is no "No".
    if (answer == mrNone) {
      LogText("Uninstall.The question could not be shown");
      return {kExitFailed, false, {}};
    }
    if (answer != mrYes) {
      LogText("Uninstall.Not confirmed");
      return {kExitCancelled, false, {}};
    }
  }
  // Held since before the question: a path that now leads to another folder was renamed away
  // and replaced meanwhile.
  if (!files.StillInPlace()) {
    LogFormat("Uninstall.The install folder %s was moved or replaced while the question was open", target.folder.Path());
    return {kExitFailed, false,
            Format("%s was not removed: its folder %s was moved or replaced while the question was open. Nothing was "
                   "removed.",
                   name, target.folder.Path())};
  }
  RemovalTally tally;
  const std::vector<RemovalStep> steps =
      PlanFileRemoval(target.record, files, {target.programPath, target.recordPath}, tally);
  LogFormat("Uninstall.%d file steps", static_cast<int>(steps.size()));
  if (!TakeFileSteps(steps, files, name, makeProgress, tally)) {
    LogText("Uninstall.Cancelled in the progress window");
    return {kExitCancelled, false, {}};
  }
  SweepRecordLeftovers(target.recordPath, files, tally);
  RemoveEmptyFolders(target.record, files, tally);
  RemoveShortcuts(target.record, target.folder.Path(), tally);
  // Files the system would not remove: the entry, the record and the program stay, so that the
  // uninstall can run again.
  const bool runAgain = tally.SystemRefused();
  if (runAgain)
    LogText("Uninstall.Files the system would not remove: the uninstaller, its record and its entry stay");
  else
    RemoveUninstallEntry(target.recordPath, tally);

  const bool kept = !tally.ReportLines().empty();
  UninstallResult result{kept ? kExitFilesKept : kExitRemoved, !runAgain, {}};
  if (kept || choices.reportSuccess) result.report = RemovalReport(name, tally.ReportLines(), runAgain);
  return result;
}
