// The installer as shipped, with one difference for the tests that need its run to stop at a
// known point whatever the machine's load. Both take "<count>:<text>", the count-th log line
// that holds the text:
//   QLX_STOP_AT   the process is terminated right after that line, with exit code 137, as a
//                 kill would end it: none of its own clean-up runs (the killed-install campaign);
//   QLX_HOLD_AT   the run sets the event "qlx-test-held" after that line and waits, its windows
//                 answering, until the test sets "qlx-test-release" (a test reads a window in
//                 the state it has there).
#include <cstdlib>
#include <string>

#include <windows.h>

#include "app/StartUp.h"
#include "support/run/RunLog.h"
#include "support/win/UniqueHandle.h"

namespace {

void WaitForRelease() {
  const UniqueKernelHandle release(::OpenEventA(SYNCHRONIZE, FALSE, "qlx-test-release"));
  HANDLE event = release.get();
  if (!event) return;
  const UniqueKernelHandle held(::OpenEventA(EVENT_MODIFY_STATE, FALSE, "qlx-test-held"));
  if (held) ::SetEvent(held.get());
  while (::MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

// Calls `act` once, after the count-th line holding the text that `variable` names.
template <typename Act>
void AtLine(const char* variable, Act act) {
  const char* value = std::getenv(variable);
  const std::string spec = value ? value : "";
  const std::size_t colon = spec.find(':');
  if (colon == std::string::npos) return;
  SetLogLineWatch([count = std::atoi(spec.substr(0, colon).c_str()), text = spec.substr(colon + 1), seen = 0,
                   act](std::string_view message) mutable {
    if (message.find(text) != std::string_view::npos && ++seen == count) act();
  });
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  AtLine("QLX_HOLD_AT", WaitForRelease);
  AtLine("QLX_STOP_AT", [] { ::TerminateProcess(::GetCurrentProcess(), 137); });
  return RunInstaller(showCommand);
}
