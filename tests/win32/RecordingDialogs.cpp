#include "win32/RecordingDialogs.h"

void RecordingDialogs::ShowNotice(const std::string& title, const std::string& text) {
  notices.push_back({title, text});
  if (whenShown) whenShown(notices.back());
}

int RecordingDialogs::AskChoice(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int) {
  questions.push_back({text, kind, buttons});
  if (answers.empty()) return mrCancel;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}
