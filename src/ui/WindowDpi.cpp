#include "ui/WindowDpi.h"

#include <algorithm>

#include "ui/Gdi.h"

namespace {

HMODULE User32() { return ::GetModuleHandleA("user32.dll"); }

template <typename F>
F Lookup(const char* name) {
  HMODULE user32 = User32();
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// A font height given at one DPI, at another.
LONG Rescale(LONG height, int from, int to) { return from > 0 ? ::MulDiv(height, to, from) : height; }

}  // namespace

int SystemDpi() {
  static const auto forSystem = Lookup<GetDpiForSystemFn>("GetDpiForSystem");
  if (forSystem)
    if (const UINT dpi = forSystem()) return static_cast<int>(dpi);
  ScreenDc screen;
  const int dpi = ::GetDeviceCaps(screen.Dc(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
  static const auto forWindow = Lookup<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow && window)
    if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
  return SystemDpi();
}

NONCLIENTMETRICSA NonClientMetricsForDpi(int dpi) {
  static const auto forDpi = Lookup<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (forDpi) {
    // The wide structure has the same layout but for the face names.
    NONCLIENTMETRICSW wide{};
    wide.cbSize = sizeof wide;
    if (forDpi(SPI_GETNONCLIENTMETRICS, sizeof wide, &wide, 0, static_cast<UINT>(dpi))) {
      auto narrow = [](const LOGFONTW& w) {
        LOGFONTA a{};
        a.lfHeight = w.lfHeight;
        a.lfWeight = w.lfWeight;
        a.lfCharSet = w.lfCharSet;
        ::WideCharToMultiByte(CP_ACP, 0, w.lfFaceName, -1, a.lfFaceName, LF_FACESIZE, nullptr, nullptr);
        return a;
      };
      metrics.lfMessageFont = narrow(wide.lfMessageFont);
      metrics.lfCaptionFont = narrow(wide.lfCaptionFont);
      return metrics;
    }
  }
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    // The answer is at the system's DPI.
    const int system = SystemDpi();
    metrics.lfMessageFont.lfHeight = Rescale(metrics.lfMessageFont.lfHeight, system, dpi);
    metrics.lfCaptionFont.lfHeight = Rescale(metrics.lfCaptionFont.lfHeight, system, dpi);
    return metrics;
  }
  // Without the system's answer: the usual message font.
  metrics = NONCLIENTMETRICSA{};
  metrics.lfMessageFont.lfHeight = Rescale(-11, 96, dpi);
  ::lstrcpynA(metrics.lfMessageFont.lfFaceName, "Tahoma", LF_FACESIZE);
  metrics.lfCaptionFont = metrics.lfMessageFont;
  return metrics;
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjust = Lookup<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, client.cx, client.cy};
  if (!adjust || !adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT ClampToWorkArea(RECT r) {
  MONITORINFO monitor{sizeof monitor};
  if (!::GetMonitorInfoA(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) return r;
  const RECT& work = monitor.rcWork;
  const LONG width = std::min(r.right - r.left, work.right - work.left);
  const LONG height = std::min(r.bottom - r.top, work.bottom - work.top);
  r.left = std::clamp(r.left, work.left, work.right - width);
  r.top = std::clamp(r.top, work.top, work.bottom - height);
  return RECT{r.left, r.top, r.left + width, r.top + height};
}
