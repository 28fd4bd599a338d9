#include "support/run/LogOnlyDialogs.h"

#include "support/run/RunLog.h"

void LogReport(const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    LogFormat("Report: %s", line);
    if (end == std::string::npos) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

void LogOnlyDialogs::ShowNotice(const std::string&, const std::string& text) { LogReport(text); }

int LogOnlyDialogs::AskChoice(const std::string& text, TMsgDlgType, TMsgDlgButtons buttons, int) {
  LogReport(text);
  const int answer = (buttons & mbOK) ? mrOk : (buttons & mbYes) ? mrYes : (buttons & mbRetry) ? mrRetry : mrNone;
  LogFormat("Report: answered %s", answer == mrOk ? "OK" : answer == mrYes ? "Yes" : answer == mrRetry ? "Retry" : "nothing");
  return answer;
}
