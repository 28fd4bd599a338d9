#pragma once
// One uninstall of a sound record: the question, the file steps with the progress window, the
// folders, the links, the uninstall entry, and the closing report. It reaches the user only
// through the dialog service and the progress window, so the quiet modes and tests drive the
// same run.

#include <string>
#include <vector>

#include "support/run/DialogService.h"
#include "support/run/InstallProgress.h"
#include "product/ExitCodes.h"
#include "product/InstallFolder.h"
#include "product/RecordReader.h"
#include "uninstall/InstalledFiles.h"

// The text after "Exit code %d: " in the log.
const char* ExitCodeText(int code);

struct UninstallTarget {
  UninstallRecordData record;
  InstallFolder folder;     // in its canonical long form, lower case: compared and shown, never opened
  std::string recordPath;   // the folder + the record's name as given
  std::string programPath;  // the running program
};

struct UninstallChoices {
  bool ask = true;           // the confirmation question
  bool reportSuccess = true; // "%s was removed." (a report of kept files is shown in any case)
};

struct UninstallResult {
  int exitCode = kExitRemoved;
  // Whether the program and the record are to go too (the run got through).
  bool finished = false;
  // The closing report, "" when none is to be shown. The caller shows it once the program and
  // the record are on their way: "was removed" is said only then.
  std::string report;
};

// `files` is the target's install folder, held since before the question.
UninstallResult RunUninstall(const UninstallTarget& target, InstalledFiles& files, const UninstallChoices& choices,
                             DialogService& dialogs, const InstallProgressFactory& makeProgress);

// The closing report: "%s was removed." or "%s was removed, but these files were kept:" and
// one CR LF + line per kept file, at most 20, then "and N more"; with `runAgain`, why the
// uninstaller stays.
std::string RemovalReport(const std::string& programName, const std::vector<std::string>& kept, bool runAgain);
