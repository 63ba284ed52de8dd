#include "wince/gdi.h"

#include <mutex>
#include <new>
#include <unordered_set>

#include "wince/display_screen.h"
#include "wince/gdi_internal.h"
#include "wince/log.h"
#include "wince/window.h"

namespace wince {

namespace {

struct GdiTables {
  std::mutex mutex;
  std::unordered_set<HGDIOBJ> objects;
  std::unordered_set<HDC> contexts;
  std::vector<HBITMAP> screenBitmaps;  // 16-bit DIB sections, oldest first
  HBRUSH__ whiteBrush;
  HBRUSH__ blackBrush;
  HBRUSH__ nullBrush;
  HFONT__ systemFont;

  GdiTables() {
    whiteBrush.kind = blackBrush.kind = nullBrush.kind = brushKind;
    whiteBrush.color = 0xFFFFFF;
    nullBrush.hollow = true;
    systemFont.kind = fontKind;
    objects.insert({&whiteBrush, &blackBrush, &nullBrush, &systemFont});
  }
};

GdiTables& gdiTables() {
  static GdiTables* tables = new GdiTables;  // outlives exit() from any thread
  return *tables;
}

HGDIOBJ liveObject(HGDIOBJ object) {
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  return tables.objects.count(object) ? object : nullptr;
}

PixelTarget bitmapTarget(HBITMAP bitmap) {
  PixelTarget target;
  target.bits = bitmap->topRow;
  target.width = bitmap->width;
  target.height = bitmap->height;
  target.pitch = bitmap->pitch;
  target.bitsPerPixel = bitmap->bitsPerPixel;
  target.clip = RECT{0, 0, bitmap->width, bitmap->height};
  return target;
}

}  // namespace

HDC liveContext(HDC dc) {
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  return tables.contexts.count(dc) ? dc : nullptr;
}

HBRUSH liveBrush(HBRUSH brush) {
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  return tables.objects.count(brush) && brush->kind == brushKind ? brush : nullptr;
}

bool drawOnContext(HDC dc, const std::function<void(const PixelTarget&, int, int)>& drawing) {
  if (!liveContext(dc)) return false;
  if (dc->isWindowContext) {
    RECT area{0, 0, screen().width(), screen().height()};
    if (dc->window && !GetWindowRect(dc->window, &area)) return false;
    screen().draw(area, [&](const PixelTarget& target) { drawing(target, area.left, area.top); });
    return true;
  }
  if (!dc->bitmap) return false;
  drawing(bitmapTarget(dc->bitmap), 0, 0);
  return true;
}

bool contextSourcePixels(HDC dc, PixelTarget& pixels) {
  if (!liveContext(dc) || dc->isWindowContext || !dc->bitmap) return false;
  pixels = bitmapTarget(dc->bitmap);
  return true;
}

bool bitmapPixels(HBITMAP bitmap, BitmapPixels& pixels) {
  if (!liveObject(bitmap) || bitmap->kind != bitmapKind) return false;
  pixels = BitmapPixels{bitmap->topRow, bitmap->width, bitmap->height, bitmap->bitsPerPixel, bitmap->pitch};
  return true;
}

HBITMAP newestScreenBitmap() {
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  return tables.screenBitmaps.empty() ? nullptr : tables.screenBitmaps.back();
}

}  // namespace wince

using namespace wince;

HDC GetDC(HWND window) {
  if (window && !IsWindow(window)) return nullptr;
  auto dc = new HDC__;
  dc->isWindowContext = true;
  dc->window = window;
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  dc->font = &tables.systemFont;
  dc->brush = &tables.whiteBrush;
  tables.contexts.insert(dc);
  return dc;
}

int ReleaseDC(HWND, HDC dc) {
  if (!liveContext(dc) || !dc->isWindowContext) return 0;
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  tables.contexts.erase(dc);
  delete dc;
  return 1;
}

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !liveContext(dc)) return nullptr;
  auto memory = new HDC__;
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  memory->font = &tables.systemFont;
  memory->brush = &tables.whiteBrush;
  tables.contexts.insert(memory);
  return memory;
}

BOOL DeleteDC(HDC dc) {
  if (!liveContext(dc) || dc->isWindowContext) return FALSE;
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  if (dc->bitmap) dc->bitmap->selectedInto = nullptr;
  tables.contexts.erase(dc);
  delete dc;
  return TRUE;
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits) *bits = nullptr;
  if (dc && !liveContext(dc)) return nullptr;
  if (!info || usage != DIB_RGB_COLORS || section) return nullptr;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  const LONG width = header.biWidth, height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  const bool sixteen =
      header.biBitCount == 16 &&
      (header.biCompression == BI_RGB || (header.biCompression == BI_BITFIELDS && info->bmiColors[0] == 0xF800 &&
                                          info->bmiColors[1] == 0x07E0 && info->bmiColors[2] == 0x001F));
  const bool thirtyTwo = header.biBitCount == 32 && header.biCompression == BI_RGB;
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || (!sixteen && !thirtyTwo) || width <= 0 ||
      height <= 0 || width > 8192 || height > 8192) {
    logPrintf("CreateDIBSection: unsupported bitmap %dx%d, %u bits, compression %u\n", int(header.biWidth),
              int(header.biHeight), unsigned(header.biBitCount), unsigned(header.biCompression));
    return nullptr;
  }
  const ptrdiff_t stride = ((ptrdiff_t(width) * header.biBitCount + 31) / 32) * 4;
  auto storage = new (std::nothrow) uint8_t[size_t(stride) * size_t(height)]();
  if (!storage) return nullptr;
  auto bitmap = new HBITMAP__;
  bitmap->kind = bitmapKind;
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bitsPerPixel = header.biBitCount;
  bitmap->storage = storage;
  const bool topDown = header.biHeight < 0;
  bitmap->topRow = topDown ? storage : storage + stride * (height - 1);
  bitmap->pitch = topDown ? stride : -stride;
  GdiTables& tables = gdiTables();
  {
    std::lock_guard lock(tables.mutex);
    tables.objects.insert(bitmap);
    if (sixteen) tables.screenBitmaps.push_back(bitmap);
  }
  if (bits) *bits = storage;
  return bitmap;
}

HGDIOBJ GetStockObject(int object) {
  GdiTables& tables = gdiTables();
  switch (object) {
    case WHITE_BRUSH:
      return &tables.whiteBrush;
    case BLACK_BRUSH:
      return &tables.blackBrush;
    case NULL_BRUSH:
      return &tables.nullBrush;
    case SYSTEM_FONT:
      return &tables.systemFont;
    default:
      return nullptr;
  }
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!liveContext(dc) || !liveObject(object)) return nullptr;
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  switch (object->kind) {
    case bitmapKind: {
      auto bitmap = static_cast<HBITMAP>(object);
      if (dc->isWindowContext) return nullptr;
      if (bitmap->selectedInto && bitmap->selectedInto != dc) return nullptr;
      HBITMAP previous = dc->bitmap;
      if (previous) previous->selectedInto = nullptr;
      bitmap->selectedInto = dc;
      dc->bitmap = bitmap;
      return previous;
    }
    case brushKind: {
      HBRUSH previous = dc->brush;
      dc->brush = static_cast<HBRUSH>(object);
      return previous;
    }
    case fontKind: {
      HFONT previous = dc->font;
      dc->font = static_cast<HFONT>(object);
      return previous;
    }
    default:
      return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ object) {
  if (!liveObject(object) || object->kind != bitmapKind) return FALSE;  // brushes and the font are stock ones
  GdiTables& tables = gdiTables();
  std::lock_guard lock(tables.mutex);
  auto bitmap = static_cast<HBITMAP>(object);
  if (bitmap->selectedInto) return FALSE;
  tables.objects.erase(object);
  std::erase(tables.screenBitmaps, bitmap);
  delete[] bitmap->storage;
  delete bitmap;
  return TRUE;
}

int SetStretchBltMode(HDC dc, int mode) {
  if (!liveContext(dc) || mode < 1 || mode > HALFTONE) return 0;
  const int previous = dc->stretchMode;
  dc->stretchMode = mode;
  return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (!liveContext(dc)) return CLR_INVALID;
  const COLORREF previous = dc->textColor;
  dc->textColor = color & 0xFFFFFF;
  return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  if (!liveContext(dc)) return CLR_INVALID;
  const COLORREF previous = dc->backgroundColor;
  dc->backgroundColor = color & 0xFFFFFF;
  return previous;
}

int SetBkMode(HDC dc, int mode) {
  if (!liveContext(dc) || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = dc->backgroundMode;
  dc->backgroundMode = mode;
  return previous;
}
