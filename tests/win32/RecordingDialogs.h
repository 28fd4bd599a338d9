#pragma once
// A dialog service for tests: records every report and question and answers questions from a
// list.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "support/run/DialogService.h"

class RecordingDialogs : public DialogService {
 public:
  struct Notice {
    std::string title;
    std::string text;
  };
  struct Question {
    std::string text;
    TMsgDlgType kind;
    TMsgDlgButtons buttons;
  };

  using DialogService::ShowNotice;
  void ShowNotice(const std::string& title, const std::string& text) override;
  // The next of `answers`; mrCancel once they have run out, as the close box would give.
  int AskChoice(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext) override;

  std::deque<int> answers;
  std::vector<Notice> notices;
  std::vector<Question> questions;
  // Called as each report is shown, after it has been recorded.
  std::function<void(const Notice&)> whenShown;
};
