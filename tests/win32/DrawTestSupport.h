#pragma once
// Helpers of the drawing tests: a plain host form and a rendering of it read back as pixels.

#include <memory>
#include <string>

#include <windows.h>

#include "common/Capture.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

inline std::unique_ptr<Form> MakeHostForm(int width, int height, TColor colour = clMaroon) {
  Form::Settings settings;
  settings.className = "QlxTestForm";
  settings.caption = "test";
  settings.clientWidth = width;
  settings.clientHeight = height;
  settings.color = colour;
  settings.font = TFont{.Name = "Tahoma", .Height = -13, .Bold = true, .Color = clWhite};
  auto form = std::make_unique<Form>(settings);
  form->Create();
  return form;
}

// The form's client area as WM_PAINT draws it, in device pixels.
inline RgbImage Render(Form& form) {
  const SIZE client = form.DeviceClientSize();
  Canvas canvas(client.cx, client.cy);
  form.RenderTo(canvas.Dc());
  return CaptureDc(canvas.Dc(), client.cx, client.cy);
}

constexpr uint32_t Hex(TColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
inline uint32_t Hex(Rgb c) { return (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b; }
inline uint32_t SysHex(int index) { return Hex(static_cast<TColor>(::GetSysColor(index))); }

// Mouse messages as Windows sends them to the form.
inline void SendMouse(Form& form, UINT msg, int x, int y) {
  ::SendMessageA(form.Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}
