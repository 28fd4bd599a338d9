#pragma once
// Pixels of what is on screen, read back through GDI (under Wine: from the X server).

#include <string>

#include <windows.h>

#include "common/Png.h"

// The window's whole area (frame included) as it is on screen now.
RgbImage CaptureWindow(HWND hwnd);
// Pixels of a memory DC's bitmap area.
RgbImage CaptureDc(HDC dc, int width, int height);

// Unix paths (from CTest) become Wine paths on drive Z:; Windows paths pass unchanged.
std::string ToWindowsPath(const std::string& path);
// A file in the build's artefact folder (screenshots, galleries), created when missing.
std::string ArtifactPath(const std::string& fileName);
