#include "ui/RunServices.h"

#include <memory>

#include "support/run/Application.h"
#include "support/run/HiddenProgress.h"
#include "ui/InstProgressForm.h"

RunServices::RunServices(const RunSwitches& switches) : m_switches(switches) {
  if (!m_switches.suppressMsgBoxes) return;
  // No message box of any kind: what would be shown goes to the run log.
  SetInfoBoxHandler([](const std::string& text) { LogReport(text); });
  SetExceptionHandler([](const std::string& text) { LogReport(text); });
}

RunServices::~RunServices() {
  if (!m_switches.suppressMsgBoxes) return;
  SetInfoBoxHandler({});
  SetExceptionHandler({});
}

DialogService& RunServices::Dialogs() {
  if (m_switches.suppressMsgBoxes) return m_logged;
  return m_shown;
}

InstallProgressFactory RunServices::Progress(std::function<void(TInstProgressForm&)> setUp) const {
  if (m_switches.mode == RunMode::VerySilent) return [] { return std::make_unique<HiddenProgress>(); };
  return [setUp = std::move(setUp)] {
    auto form = std::make_unique<TInstProgressForm>();
    if (setUp) setUp(*form);
    return std::unique_ptr<InstallProgress>(std::move(form));
  };
}
