#include <gtest/gtest.h>

#include <algorithm>

#include "tests/wince/window_test_window.h"
#include "wince/gdi.h"
#include "wince/log.h"
#include "wince/text.h"

namespace {

BITMAPINFO dibInfo(int width, int height, int bits, DWORD compression) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = WORD(bits);
  info.bmiHeader.biCompression = compression;
  info.bmiColors[0] = 0xF800;
  info.bmiColors[1] = 0x07E0;
  info.bmiColors[2] = 0x001F;
  return info;
}

// A memory context with a DIB section of its own.
struct MemoryBitmap {
  MemoryBitmap(int width, int height, int bits, DWORD compression = BI_BITFIELDS) {
    const BITMAPINFO info = dibInfo(width, height, bits, bits == 32 ? BI_RGB : compression);
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
  }
  ~MemoryBitmap() {
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  uint16_t* pixels16() const { return static_cast<uint16_t*>(pixels); }
  uint32_t* pixels32() const { return static_cast<uint32_t*>(pixels); }

  HBITMAP bitmap = nullptr;
  HDC dc = nullptr;
  void* pixels = nullptr;
};

TEST(GdiSections, TopDownAndBottomUpRowsLandWhereTheirHeightSays) {
  MemoryBitmap topDown(4, -3, 16);
  ASSERT_NE(topDown.bitmap, nullptr);
  const RECT firstRow{0, 0, 4, 1};
  FillRect(topDown.dc, &firstRow, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(topDown.pixels16()[0], 0xFFFF);
  EXPECT_EQ(topDown.pixels16()[2 * 4], 0);

  const BITMAPINFO upInfo = dibInfo(4, 3, 16, BI_BITFIELDS);
  void* upPixels = nullptr;
  HBITMAP up = CreateDIBSection(nullptr, &upInfo, DIB_RGB_COLORS, &upPixels, nullptr, 0);
  HDC upDC = CreateCompatibleDC(nullptr);
  SelectObject(upDC, up);
  FillRect(upDC, &firstRow, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // Bottom-up: the picture's first row is the last in memory.
  EXPECT_EQ(static_cast<uint16_t*>(upPixels)[2 * 4], 0xFFFF);
  EXPECT_EQ(static_cast<uint16_t*>(upPixels)[0], 0);
  DeleteDC(upDC);
  DeleteObject(up);
}

TEST(GdiSections, UnsupportedBitmapsAreRefusedWithALogLine) {
  wince::LogCapture log;
  for (const BITMAPINFO& info : {dibInfo(8, 8, 24, BI_RGB), dibInfo(0, 8, 16, BI_BITFIELDS),
                                 dibInfo(8, 8, 32, BI_BITFIELDS), dibInfo(100000, 8, 16, BI_RGB)}) {
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
  }
  EXPECT_TRUE(log.contains("CreateDIBSection: unsupported bitmap"));
}

TEST(GdiObjects, ASelectedBitmapIsNotDeletedAndStockObjectsStay) {
  MemoryBitmap memory(8, 8, 16);
  EXPECT_FALSE(DeleteObject(memory.bitmap));
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, memory.bitmap), nullptr) << "one context at a time";
  DeleteDC(other);
  EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_BRUSH)));
  EXPECT_NE(GetStockObject(SYSTEM_FONT), nullptr);
  EXPECT_EQ(GetStockObject(99), nullptr);
  HGDIOBJ previousFont = SelectObject(memory.dc, GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(previousFont, GetStockObject(SYSTEM_FONT));
}

TEST(GdiBlits, StretchToTheWindowPresentsTheBackBufferScaled) {
  TestWindow window(u"CorvantaClass", u"Corvanta - Quendrill", 400, 240);
  MemoryBitmap back(800, -480, 16);
  // Left half red, right half blue, one green pixel at (799, 479).
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 800; ++x) back.pixels16()[y * 800 + x] = x < 400 ? 0xF800 : 0x001F;
  back.pixels16()[479 * 800 + 799] = 0x07E0;
  HDC windowDC = GetDC(window.handle);
  const uint64_t before = wince::driver::presentCount();
  ASSERT_TRUE(StretchBlt(windowDC, 0, 0, 400, 240, back.dc, 0, 0, 800, 480, SRCCOPY));
  uint64_t presents = 0;
  const std::vector<uint16_t> frame = wince::driver::presentedFrame(&presents);
  EXPECT_EQ(presents, before + 1);
  ASSERT_EQ(frame.size(), 400u * 240u);
  EXPECT_EQ(frame[0], 0xF800);
  EXPECT_EQ(frame[199], 0xF800);
  EXPECT_EQ(frame[200], 0x001F);
  EXPECT_EQ(frame[239 * 400 + 399], 0x001F) << "nearest pixel of a halving takes the even source pixels";
  EXPECT_FALSE(StretchBlt(windowDC, 0, 0, 400, 240, back.dc, 0, 0, 800, 480, 0x00EE0086));
  ReleaseDC(window.handle, windowDC);
}

TEST(GdiBlits, BlitsAndFillsStayInsideTheTargetAndTheWindow) {
  TestWindow window;
  MoveWindow(window.handle, 100, 50, 200, 100, FALSE);
  HDC windowDC = GetDC(window.handle);
  const RECT everything{-1000, -1000, 5000, 5000};
  ASSERT_TRUE(FillRect(windowDC, &everything, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  const std::vector<uint16_t> frame = wince::driver::presentedFrame();
  EXPECT_EQ(frame[50 * 800 + 100], 0xFFFF);
  EXPECT_EQ(frame[149 * 800 + 299], 0xFFFF);
  EXPECT_EQ(frame[49 * 800 + 100], 0);
  EXPECT_EQ(frame[50 * 800 + 300], 0);
  EXPECT_EQ(std::count(frame.begin(), frame.end(), 0xFFFF), 200 * 100);

  MemoryBitmap small(4, -4, 16);
  std::fill_n(small.pixels16(), 16, 0x1234);
  MemoryBitmap target(8, -8, 16);
  // Source rectangle half outside the source: only the real pixels arrive.
  ASSERT_TRUE(BitBlt(target.dc, 6, 6, 4, 4, small.dc, 2, 2, SRCCOPY));
  EXPECT_EQ(target.pixels16()[6 * 8 + 6], 0x1234);
  EXPECT_EQ(target.pixels16()[7 * 8 + 7], 0x1234);
  EXPECT_EQ(std::count(target.pixels16(), target.pixels16() + 64, 0x1234), 4);
  ReleaseDC(window.handle, windowDC);
}

TEST(GdiBlits, SixteenAndThirtyTwoBitSectionsConvert) {
  MemoryBitmap wide(2, -1, 32);
  wide.pixels32()[0] = 0x00FF0000;
  wide.pixels32()[1] = 0x0000F81F;
  MemoryBitmap narrow(2, -1, 16);
  ASSERT_TRUE(BitBlt(narrow.dc, 0, 0, 2, 1, wide.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(narrow.pixels16()[0], 0xF800);
  EXPECT_EQ(narrow.pixels16()[1], uint16_t(((0xF8 >> 2) << 5) | (0x1F >> 3)));
}

TEST(GdiText, TheSystemFontIsDejaVuSansBoldAtSixteenPixels) {
  ASSERT_TRUE(wince::systemFontAvailable());
  MemoryBitmap memory(8, -8, 32);
  TEXTMETRICW metrics{};
  ASSERT_TRUE(GetTextMetricsW(memory.dc, &metrics));
  EXPECT_EQ(metrics.tmAscent, 15);
  EXPECT_EQ(metrics.tmHeight, 19);
  SIZE one{}, two{};
  ASSERT_TRUE(GetTextExtentPoint32W(memory.dc, u"W", 1, &one));
  ASSERT_TRUE(GetTextExtentPoint32W(memory.dc, u"WW", 2, &two));
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(two.cx, 2 * one.cx) << "no kerning";
  EXPECT_EQ(two.cy, 19);
  int fit = 0, extents[3] = {};
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointW(memory.dc, u"WWW", 3, one.cx * 2, &fit, extents, &size));
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(extents[2], 3 * one.cx);
}

TEST(GdiText, OpaqueTextOnAKeyBackgroundKeepsOnlyTwoColours) {
  SIZE size{};
  MemoryBitmap probe(8, -8, 32);
  GetTextExtentPoint32W(probe.dc, u"Quest", 5, &size);
  MemoryBitmap memory(size.cx, -size.cy, 32);
  std::fill_n(memory.pixels32(), size.cx * size.cy, 0x00123456u);
  SetTextColor(memory.dc, 0x0000FF);  // red as a colour reference
  SetBkColor(memory.dc, 0x1FF800);
  RECT rect{0, 0, size.cx, size.cy};
  EXPECT_EQ(DrawTextW(memory.dc, u"Quest", -1, &rect, 0), 19);
  int red = 0, key = 0, other = 0;
  for (int i = 0; i < size.cx * size.cy; ++i) {
    const uint32_t pixel = memory.pixels32()[i];
    red += pixel == 0x00FF0000;
    key += pixel == 0x0000F81F;
    other += pixel != 0x00FF0000 && pixel != 0x0000F81F;
  }
  EXPECT_GT(red, 20);
  EXPECT_GT(key, red);
  EXPECT_EQ(other, 0) << "1-bit glyphs, the whole extent painted";
}

TEST(GdiText, CentredTransparentTextOnTheWindowKeepsToItsBand) {
  TestWindow window;
  HDC windowDC = GetDC(window.handle);
  RECT screenRect{0, 0, 800, 480};
  FillRect(windowDC, &screenRect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetTextColor(windowDC, 0x0000FF);
  SetBkMode(windowDC, TRANSPARENT);
  RECT band{0, 240, 800, 480};
  DrawTextW(windowDC, u"Please wait", -1, &band, DT_CENTER);
  const std::vector<uint16_t> frame = wince::driver::presentedFrame();
  int left = 800, right = -1, top = 480, bottom = -1, red = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 800; ++x) {
      const uint16_t pixel = frame[size_t(y) * 800 + size_t(x)];
      ASSERT_TRUE(pixel == 0 || pixel == 0xF800) << x << "," << y;
      if (pixel != 0xF800) continue;
      ++red;
      left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    }
  ASSERT_GT(red, 0);
  EXPECT_GE(top, 240);
  EXPECT_LT(bottom, 240 + 19);
  SIZE size{};
  GetTextExtentPoint32W(windowDC, u"Please wait", 11, &size);
  EXPECT_NEAR((left + right) / 2.0, 400.0, 3.0);
  EXPECT_LE(right - left + 1, size.cx);
  ReleaseDC(window.handle, windowDC);
}

TEST(GdiText, CalculatedRectangleCoversEveryLine) {
  MemoryBitmap memory(8, -8, 32);
  RECT rect{10, 20, 10, 20};
  EXPECT_EQ(DrawTextW(memory.dc, u"ab\ncdef", -1, &rect, DT_CALCRECT), 38);
  SIZE cdef{};
  GetTextExtentPoint32W(memory.dc, u"cdef", 4, &cdef);
  EXPECT_EQ(rect.right, 10 + cdef.cx);
  EXPECT_EQ(rect.bottom, 20 + 38);
}

}  // namespace
