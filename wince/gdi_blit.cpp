#include "wince/gdi.h"
#include "wince/gdi_internal.h"
#include "wince/log.h"

using namespace wince;

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop) {
  if (rop != SRCCOPY) {
    logPrintf("StretchBlt: raster operation 0x%08X is not offered\n", rop);
    return FALSE;
  }
  if (width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0) return FALSE;  // no mirroring
  PixelTarget sourcePixels;
  if (!liveContext(target) || !contextSourcePixels(source, sourcePixels)) return FALSE;
  if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return TRUE;
  return drawOnContext(target,
                       [&](const PixelTarget& pixels, int originX, int originY) {
                         stretchPixels(pixels, originX + x, originY + y, width, height, sourcePixels, sourceX, sourceY,
                                       sourceWidth, sourceHeight);
                       })
             ? TRUE
             : FALSE;
}

BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
  return StretchBlt(target, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!rect || !liveBrush(brush) || !liveContext(dc)) return 0;
  if (brush->hollow) return 1;
  return drawOnContext(dc,
                       [&](const PixelTarget& pixels, int originX, int originY) {
                         const RECT area{rect->left + originX, rect->top + originY, rect->right + originX,
                                         rect->bottom + originY};
                         fillPixels(pixels, area, colorRefToRgb(brush->color));
                       })
             ? 1
             : 0;
}
