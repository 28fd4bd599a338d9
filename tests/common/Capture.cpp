#include "common/Capture.h"

#include <vector>

#include "support/win/UniqueHandle.h"
#include "ui/Gdi.h"

RgbImage CaptureDc(HDC dc, int width, int height) {
  RgbImage image;
  image.width = width;
  image.height = height;
  UniqueMemoryDc memDc(::CreateCompatibleDC(dc));
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject dib(::CreateDIBSection(memDc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memDc || !dib || !bits) return {};
  {
    SelectGuard select(memDc.get(), dib.get());
    ::BitBlt(memDc.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
  }
  image.rgb.resize(static_cast<size_t>(width) * height * 3);
  const auto* px = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    image.rgb[i * 3] = px[i * 4 + 2];
    image.rgb[i * 3 + 1] = px[i * 4 + 1];
    image.rgb[i * 3 + 2] = px[i * 4];
  }
  return image;
}

RgbImage CaptureWindow(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  ScreenDc screen;
  UniqueMemoryDc memDc(::CreateCompatibleDC(screen.Dc()));
  UniqueGdiObject bmp(::CreateCompatibleBitmap(screen.Dc(), w, h));
  if (!memDc || !bmp) return {};
  SelectGuard select(memDc.get(), bmp.get());
  ::BitBlt(memDc.get(), 0, 0, w, h, screen.Dc(), r.left, r.top, SRCCOPY);
  return CaptureDc(memDc.get(), w, h);
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
