#pragma once
// What the GDI calls share about contexts and their pixels.
#include <functional>

#include "wince/gdi.h"
#include "wince/gdi_pixels.h"

struct HDC__ {
  bool isWindowContext = false;
  HWND window = nullptr;  // null with isWindowContext: the whole screen
  HBITMAP bitmap = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  COLORREF textColor = 0;
  COLORREF backgroundColor = 0xFFFFFF;
  int backgroundMode = OPAQUE;
  int stretchMode = BLACKONWHITE;
};

namespace wince {

// Null unless the handle is a live object of that kind.
HDC liveContext(HDC dc);
HBRUSH liveBrush(HBRUSH brush);
// Runs drawing on the context's pixels; (originX, originY) is where the
// context's (0, 0) lies in the target. False when the context has nothing to
// draw on. Window contexts draw on the screen and present.
bool drawOnContext(HDC dc, const std::function<void(const PixelTarget& target, int originX, int originY)>& drawing);
// The pixels of a memory context's bitmap.
bool contextSourcePixels(HDC dc, PixelTarget& pixels);

}  // namespace wince
