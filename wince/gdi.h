#pragma once
// GDI: device contexts of windows and memory, DIB sections (16-bit RGB565
// and 32-bit), stretch blits, rectangle fills, stock objects and text in the
// system font.
#include <cstddef>

#include "wince/gdi_objects.h"
#include "wince/types.h"

using HGDIOBJ = HGDIOBJ__*;
using HBITMAP = HBITMAP__*;
using HBRUSH = HBRUSH__*;
using HFONT = HFONT__*;
using HDC = HDC__*;

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // negative: rows top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

// The header and, for BI_BITFIELDS, the red, green and blue masks.
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  DWORD bmiColors[3];
};

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};

struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr int BLACKONWHITE = 1;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 5;

constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int SYSTEM_FONT = 13;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// A null window gives a context of the whole screen.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);

// 16 bits (BI_BITFIELDS 0xF800/0x07E0/0x001F, or BI_RGB read as RGB565) and
// 32 bits (BI_RGB, 0x00RRGGBB); width and height up to 8192.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
HGDIOBJ GetStockObject(int object);
// Fails (null) for a bitmap that another context already holds.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Stock objects and selected bitmaps are not deleted (FALSE).
BOOL DeleteObject(HGDIOBJ object);

int SetStretchBltMode(HDC dc, int mode);
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
// count -1: up to the terminating zero. Lines break at '\n' unless
// DT_SINGLELINE; answers the height of the text.
int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int* spacing);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit, int* extents, SIZE* size);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);

namespace wince {

// The pixels of a DIB section, for the test driver; false for anything else.
struct BitmapPixels {
  uint8_t* bits;
  int width;
  int height;
  int bitsPerPixel;
  ptrdiff_t pitch;
};
bool bitmapPixels(HBITMAP bitmap, BitmapPixels& pixels);
// The 16-bit DIB section made last that still exists (the display's back
// buffer), or null.
HBITMAP newestScreenBitmap();

}  // namespace wince
