// Times what one written file costs the progress window: SetFileName and SetPosition on a
// shown window, including the messages processed and the repaint they cause (bar, file line,
// count and byte line). Prints the median and the fastest of many runs, in microseconds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <windows.h>

#include "BenchClock.h"

#include "ui/InstProgressForm.h"
#include "ui/MessageLoop.h"

namespace {
double Now() { return NowMicroseconds(); }
}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  TInstProgressForm form;
  form.SetProgramName("Quillon");
  form.SetStage("Installing ...");
  form.Show();
  const int total = 24 * 1024 * 1024;
  form.SetTotal(total);

  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    // Positions sweep the bar so that the number of filled blocks changes as in a run.
    const int position = static_cast<int>(static_cast<long long>(total) * (i % 100 + 1) / 100);
    const double start = Now();
    form.SetFileName(i % 2 ? "c:\\zt\\manuals\\qlxmanual.pdf" : "c:\\zt\\tips\\tip01.htm");
    form.SetPosition(position);
    ::GdiFlush();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  std::printf("runs: %d\n", runs);
  std::printf("one file's update (SetFileName + SetPosition, with repaint): median %.1f us, fastest %.1f us\n",
              median, times.front());
  std::printf("34 files: %.2f ms at the median\n", 34 * median / 1000.0);
  return 0;
}
