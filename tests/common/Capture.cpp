#include "common/Capture.h"

#include <vector>

RgbImage CaptureDc(HDC dc, int width, int height) {
  RgbImage image;
  image.width = width;
  image.height = height;
  HDC memDc = ::CreateCompatibleDC(dc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(memDc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memDc, dib);
  ::BitBlt(memDc, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  ::GdiFlush();
  image.rgb.resize(static_cast<size_t>(width) * height * 3);
  const auto* px = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    image.rgb[i * 3] = px[i * 4 + 2];
    image.rgb[i * 3 + 1] = px[i * 4 + 1];
    image.rgb[i * 3 + 2] = px[i * 4];
  }
  ::SelectObject(memDc, old);
  ::DeleteObject(dib);
  ::DeleteDC(memDc);
  return image;
}

RgbImage CaptureWindow(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  HDC screen = ::GetDC(nullptr);
  HDC memDc = ::CreateCompatibleDC(screen);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = ::SelectObject(memDc, bmp);
  ::BitBlt(memDc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  RgbImage image = CaptureDc(memDc, w, h);
  ::SelectObject(memDc, old);
  ::DeleteObject(bmp);
  ::DeleteDC(memDc);
  ::ReleaseDC(nullptr, screen);
  return image;
}

std::string ToWindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string ArtifactPath(const std::string& fileName) {
  const std::string folder = ToWindowsPath(QLX_ARTIFACT_DIR);
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\" + fileName;
}
