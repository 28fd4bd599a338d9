#pragma once
// The dialogs and the progress window of a run, as its switches want them: the real dialogs or
// the log-only answers of "/suppressmsgboxes" (which also send the plain message boxes to the
// run log), and the progress window or none for "/verysilent". Both programs start with one.

#include <functional>

#include "support/run/DialogService.h"
#include "support/run/InstallProgress.h"
#include "support/run/LogOnlyDialogs.h"
#include "support/run/RunMode.h"
#include "ui/TaskDialogService.h"

class TInstProgressForm;

class RunServices {
 public:
  explicit RunServices(const RunSwitches& switches);
  ~RunServices();
  RunServices(const RunServices&) = delete;
  RunServices& operator=(const RunServices&) = delete;

  DialogService& Dialogs();

  // Makes the run's progress window, set up by `setUp`; none at all when very silent.
  InstallProgressFactory Progress(std::function<void(TInstProgressForm&)> setUp = {}) const;

 private:
  RunSwitches m_switches;
  TaskDialogService m_shown;
  LogOnlyDialogs m_logged;
};
