#pragma once
// What the system says of dots per inch. The per-window and per-DPI calls exist from Windows 10
// (1607) on and are looked up when first needed; older systems answer with the screen's DPI.

#include <windows.h>

// The DPI of the system (the primary screen's when the program is not aware of each monitor).
int SystemDpi();
// The DPI of the monitor the window is on; SystemDpi() where the system cannot say.
int WindowDpi(HWND window);
// The system's non-client metrics (fonts of captions and messages) as they are at `dpi`.
NONCLIENTMETRICSA NonClientMetricsForDpi(int dpi);
// The outer size of a window with that style whose client area is `client` at `dpi`.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, int dpi);
// The rectangle (screen coordinates) moved and cut to lie in its monitor's work area.
RECT ClampToWorkArea(RECT r);
