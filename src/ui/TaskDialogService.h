#pragma once
// The dialog service on the real message dialogs.

#include "support/run/DialogService.h"
#include "ui/CustomAdvTaskDialog.h"

class TaskDialogService : public DialogService {
 public:
  using DialogService::ShowNotice;
  void ShowNotice(const std::string& title, const std::string& text) override;
  int AskChoice(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext) override;

  // The long form behind the notices: true when a verification text was given and ticked.
  static bool ShowNotice(const std::string& title, const std::string& instruction, const std::string& content,
                         const std::string& verificationText, TTaskDialogIcon icon);
};

// The common buttons of a message-button set (Yes, No, OK, Cancel, Abort, Retry); the other
// bits of the set are not shown.
TCommonButtons CommonButtonsOf(TMsgDlgButtons buttons);
