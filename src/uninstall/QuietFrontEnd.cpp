#include "uninstall/QuietFrontEnd.h"

#include "support/RunLog.h"

void LoggedDialogs::ShowNotice(const std::string&, const std::string& text) {
  LogFormat("Uninstall.Message not shown: %s", text);
}

int LoggedDialogs::AskChoice(const std::string& text, TMsgDlgType, TMsgDlgButtons, int) {
  LogFormat("Uninstall.Question not asked, Yes taken: %s", text);
  return mrYes;
}
