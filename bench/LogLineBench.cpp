// Cost of one run-log line (open, seek, write, close, heap figure): writes many lines to a
// scratch log and prints the median, the quartiles and the mean per line in microseconds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

#include "support/run/RunLog.h"

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  char temp[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string base = std::string(temp) + "qlx-bench-" + std::to_string(::GetCurrentProcessId()) + "\\bench.exe";

  SetLogEnabled(true);
  StartRunLog(base);
  LARGE_INTEGER frequency{}, start{}, end{};
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> micros;
  micros.reserve(static_cast<size_t>(lines));
  for (int i = 0; i < lines; ++i) {
    ::QueryPerformanceCounter(&start);
    LogFormat("InstallProgram.SaveFile: <%s> %d", "c:\\zt\\manuals\\quillon.pdf", i);
    ::QueryPerformanceCounter(&end);
    micros.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
  }
  double heapTotal = 0;
  for (int i = 0; i < lines; ++i) {
    ::QueryPerformanceCounter(&start);
    volatile std::uint32_t heap = HeapBytesInUse();
    (void)heap;
    ::QueryPerformanceCounter(&end);
    heapTotal += 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  }
  const std::string logPath = LogPath();
  ::DeleteFileA(logPath.c_str());
  ::RemoveDirectoryA(logPath.substr(0, logPath.rfind('\\')).c_str());

  double mean = 0;
  for (double m : micros) mean += m;
  mean /= static_cast<double>(micros.size());
  std::sort(micros.begin(), micros.end());
  const auto at = [&](double q) { return micros[static_cast<size_t>(q * static_cast<double>(micros.size() - 1))]; };
  std::printf("lines=%d median_us=%.1f p25_us=%.1f p75_us=%.1f mean_us=%.1f heap_figure_mean_us=%.1f\n", lines,
              at(0.5), at(0.25), at(0.75), mean, heapTotal / lines);
  return 0;
}
