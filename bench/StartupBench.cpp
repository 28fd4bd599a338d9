// Time from process start to a visible main window: the installer against a program that only
// shows a window. Runs them alternately (A B A B ...) and prints the median and range of each.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

#include "BenchClock.h"

namespace {

double Now() { return NowMicroseconds() / 1000.0; }  // milliseconds

// Milliseconds until a visible window with the caption appears; the program is then closed.
double TimeToWindow(const std::string& exe, const std::string& arguments, const char* caption) {
  std::string commandLine = "\"" + exe + "\" " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = Now();
  if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return -1;
  double seen = -1;
  while (Now() - start < 30000) {
    HWND w = ::FindWindowA(nullptr, caption);
    if (w && ::IsWindowVisible(w)) {
      seen = Now() - start;
      ::PostMessageA(w, WM_CLOSE, 0, 0);
      break;
    }
    ::Sleep(1);
  }
  if (::WaitForSingleObject(pi.hProcess, 10000) == WAIT_TIMEOUT) ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return seen;
}

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-28s median %7.1f ms  (min %7.1f, max %7.1f)\n", name, times[times.size() / 2], times.front(),
              times.back());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_startup <installer.exe> <donothing.exe> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
  std::vector<double> installer, floor;
  for (int i = 0; i < runs; ++i) {
    // A folder without an installed copy, so that no question comes before the window.
    installer.push_back(TimeToWindow(argv[1], "\"/dir=c:\\qlxbenchnone\"", "Corvane Quillon Installer"));
    floor.push_back(TimeToWindow(argv[2], "", "Do nothing"));
  }
  std::printf("runs: %d (alternating)\n", runs);
  Report("installer main window", installer);
  Report("do-nothing window", floor);
  std::sort(installer.begin(), installer.end());
  std::sort(floor.begin(), floor.end());
  std::printf("difference of medians: %.1f ms\n", installer[installer.size() / 2] - floor[floor.size() / 2]);
  return 0;
}
