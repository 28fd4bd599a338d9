#pragma once
// The stand-ins for the windows in the quiet modes: dialogs that only leave a log line (and
// answer a question with its default, Yes), and a progress "window" that shows nothing.

#include "support/DialogService.h"
#include "support/InstallProgress.h"

class LoggedDialogs : public DialogService {
 public:
  using DialogService::ShowNotice;
  void ShowNotice(const std::string& title, const std::string& text) override;
  int AskChoice(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext) override;
};

class NoProgress : public InstallProgress {
 public:
  void SetProgramName(const std::string&) override {}
  void SetStage(const std::string&) override {}
  void Show() override {}
  void SetTotal(std::int32_t) override {}
  void SetFileName(const std::string&) override {}
  void SetPosition(std::int32_t) override {}
  void ShowDone(const std::string&) override {}
  bool Cancelled() const override { return false; }
};
