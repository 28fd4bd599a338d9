#pragma once
// The dialog service of a run that shows no dialog: each line of a report becomes a run-log
// line beginning "Report: "; a question is logged the same way and takes its default answer
// (OK, else Yes, else Retry).

#include <string>

#include "support/run/DialogService.h"

class LogOnlyDialogs : public DialogService {
 public:
  using DialogService::ShowNotice;
  void ShowNotice(const std::string& title, const std::string& text) override;
  int AskChoice(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext) override;
};

// Logs each line of `text` (CR LF, LF or CR ends a line) as "Report: <line>".
void LogReport(const std::string& text);
