#pragma once
// What lies behind GDI handles. Callers use only the handle types; the
// fields are the GDI calls' own.
#include <cstddef>
#include <cstdint>

#include "wince/types.h"

namespace wince {

enum GdiKind { bitmapKind = 1, brushKind = 2, fontKind = 3 };

}  // namespace wince

// Every kind starts with the common part.
struct HGDIOBJ__ {
  int kind;
};
struct HDC__;

struct HBITMAP__ : HGDIOBJ__ {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  uint8_t* storage = nullptr;  // what CreateDIBSection handed out
  uint8_t* topRow = nullptr;
  ptrdiff_t pitch = 0;  // negative for bottom-up rows
  HDC__* selectedInto = nullptr;
};

// Only the stock brushes and the stock system font exist.
struct HBRUSH__ : HGDIOBJ__ {
  COLORREF color = 0;
  bool hollow = false;
};

struct HFONT__ : HGDIOBJ__ {};
