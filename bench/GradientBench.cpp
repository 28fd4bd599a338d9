// Times the page background of the main window (489 x 390, pyramid, 100 steps): rendering its
// picture once, against a cached repaint that only copies the picture, and a whole repaint of a
// form holding it. Prints the median and the fastest of many runs, in microseconds.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <windows.h>

#include "BenchClock.h"

#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/JvGradient.h"
#include "ui/Label.h"

namespace {

double Now() { return NowMicroseconds(); }

struct Figures {
  double median;
  double fastest;
};

template <typename F>
Figures Measure(int runs, F&& once) {
  std::vector<double> times;
  times.reserve(static_cast<size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    once();
    ::GdiFlush();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front()};
}

TJvGradient::Props Pyramid() {
  return TJvGradient::Props{.Style = TGradientStyle::grPyramid, .StartColor = clMaroon, .EndColor = clRed, .Align = TAlign::alNone};
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  Canvas target(489, 390);

  // Each run paints a fresh control: the picture is rendered (bitmap made, 100 rings filled)
  // and copied.
  const Figures render = Measure(runs, [&] {
    TJvGradient g("g", Rect{0, 0, 489, 390}, Pyramid());
    g.Paint(target.Dc());
  });

  // The same control painted again: only the copy.
  TJvGradient cached("g", Rect{0, 0, 489, 390}, Pyramid());
  cached.Paint(target.Dc());
  const Figures repaint = Measure(runs, [&] { cached.Paint(target.Dc()); });

  // A whole page repaint as WM_PAINT does it: a fresh off-screen bitmap, the cached gradient,
  // two labels on it, and the copy of the result.
  Form::Settings settings;
  settings.className = "QlxBenchForm";
  settings.clientWidth = 489;
  settings.clientHeight = 390;
  settings.color = clRed;
  settings.font = TFont{.Name = "Tahoma", .Height = -15, .Bold = true, .Color = clYellow};
  Form form(settings);
  form.Add(std::make_unique<TJvGradient>("JvGradient1", Rect{0, 0, 489, 390}, Pyramid()));
  form.Add(std::make_unique<Label>("lbIns1", Rect{130, 13, 0, 0}, Label::Props{.Caption = "This will install Corvane Quillon"}));
  form.Add(std::make_unique<Label>("lbIns2", Rect{170, 34, 0, 0}, Label::Props{.Caption = "Version 3.55.0.0"}));
  form.RenderTo(target.Dc());
  const Figures page = Measure(runs, [&] {
    DoubleBuffer buffer(target.Dc(), RectOfSize(489, 390));
    form.RenderTo(buffer.Dc());
  });

  std::printf("runs per figure: %d\n", runs);
  std::printf("%-50s %10s %10s\n", "", "median us", "fastest us");
  std::printf("%-50s %10.1f %10.1f\n", "pyramid 489x390 rendered once (fresh control)", render.median, render.fastest);
  std::printf("%-50s %10.1f %10.1f\n", "pyramid 489x390 cached repaint (copy only)", repaint.median, repaint.fastest);
  std::printf("%-50s %10.1f %10.1f\n", "page repaint: buffer + cached pyramid + 2 labels", page.median, page.fastest);
  std::printf("ratio render / cached repaint: %.1f\n", render.median / repaint.median);
  return 0;
}
