#pragma once
// The main window's picture: the product's short label in large white letters on red inside a
// yellow frame, drawn once into the image's own bitmap.

#include <string>

#include <windows.h>

#include "ui/DpiScale.h"

// The face of the toolkit's default font: the substitute registered for "MS Shell Dlg 2", or
// "MS Sans Serif" when none is.
std::string DefaultFontFace();

// The letters' cell height for an image of height `height` framed by a pen `penWidth` wide.
constexpr int PictureFontHeight(int height, int penWidth) { return height - (penWidth * 9) / 2 - 1; }

// Draws the picture into `dc` (origin at the image's top-left), `width` x `height` device
// pixels, with the frame's pen as wide as the scale makes it.
void DrawProductPicture(HDC dc, int width, int height, const std::string& text, const DpiScale& scale = {});
