#include "support/run/Application.h"

#include <windows.h>

namespace {
struct ApplicationState {
  std::string title;
  MessageHandler exceptionHandler;
  MessageHandler infoBoxHandler;
};

ApplicationState& State() {
  static ApplicationState state;
  return state;
}
}  // namespace

void SetApplicationTitle(std::string title) { State().title = std::move(title); }

const std::string& ApplicationTitle() { return State().title; }

void ShowException(const std::string& message) {
  if (State().exceptionHandler) {
    State().exceptionHandler(message);
    return;
  }
  ::MessageBoxA(nullptr, message.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void SetExceptionHandler(MessageHandler handler) { State().exceptionHandler = std::move(handler); }

void SetInfoBoxHandler(MessageHandler handler) { State().infoBoxHandler = std::move(handler); }

const MessageHandler& InfoBoxHandler() { return State().infoBoxHandler; }
