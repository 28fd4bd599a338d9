#include "ui/ProductPicture.h"

#include "support/win/UniqueHandle.h"
#include "ui/Control.h"
#include "ui/Gdi.h"

std::string DefaultFontFace() {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", 0,
                      KEY_QUERY_VALUE, &raw) == ERROR_SUCCESS) {
    UniqueHkey key(raw);
    char face[LF_FACESIZE] = {};
    DWORD size = sizeof face - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.get(), "MS Shell Dlg 2", nullptr, &type, reinterpret_cast<BYTE*>(face), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ && face[0])
      return std::string(face, ::strnlen(face, sizeof face));
  }
  return "MS Sans Serif";
}

void DrawProductPicture(HDC dc, int width, int height, const std::string& text, const DpiScale& scale) {
  const int penWidth = scale.ToDevice(10);
  FillSolid(dc, Rect{0, 0, width, height}, Rgb{0xFF, 0x00, 0x00});
  {
    // The pen is centred on the outline, so half of it lies inside the image on every side.
    UniqueGdiObject pen = MakePen(Rgb{0xFF, 0xFF, 0x00}, penWidth);
    SelectGuard selectPen(dc, pen.get());
    const POINT outline[] = {{0, 0}, {width, 0}, {width, height}, {0, height}, {0, 0}};
    ::Polyline(dc, outline, 5);
  }
  UniqueGdiObject font = MakeFont(TFont{.Name = DefaultFontFace(), .Height = PictureFontHeight(height, penWidth), .Bold = true});
  SelectGuard selectFont(dc, font.get());
  SIZE size{};
  ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
  ::TextOutA(dc, (width - size.cx + 1) / 2, (height - size.cy) / 2, text.data(), static_cast<int>(text.size()));
}
