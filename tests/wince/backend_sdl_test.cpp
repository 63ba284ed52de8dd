#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "tests/wince/window_test_window.h"
#include "wince/backend/backend.h"
#include "wince/gdi.h"
#include "wince/gdi_pixels.h"

namespace {

// The test pattern: four coloured quadrants crossed by a grey ramp.
uint16_t patternPixel(int x, int y) {
  if (y >= 200 && y < 280) return uint16_t(((x * 31 / 799) << 11) | ((x * 63 / 799) << 5) | (x * 31 / 799));
  if (y < 240) return x < 400 ? 0xF800 : 0x07E0;
  return x < 400 ? 0x001F : 0xFFE0;
}

SDL_Window* hostWindow() {
  for (Uint32 id = 1; id < 64; ++id)
    if (SDL_Window* window = SDL_GetWindowFromID(id)) return window;
  return nullptr;
}

void pushMouseButton(Uint32 type, int x, int y) {
  SDL_Event event{};
  event.type = type;
  event.button.windowID = SDL_GetWindowID(hostWindow());
  event.button.button = SDL_BUTTON_LEFT;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  SDL_PushEvent(&event);
}

class SdlBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    // QUENDRILL_TEST_SDL_VIDEODRIVER=x11 runs the same test on a real display (xvfb-run).
    const char* driver = std::getenv("QUENDRILL_TEST_SDL_VIDEODRIVER");
    setenv("SDL_VIDEODRIVER", driver && *driver ? driver : "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
};

TEST_F(SdlBackend, ShowsThePresentedFrameScaledAndTurnsClicksIntoLogicalPen) {
  TestWindow window(u"CorvantaClass", u"Corvanta - Quendrill", 800, 480, TestWindow::Host::sdl);
  ASSERT_NE(window.handle, nullptr);
  wince::backend::Backend& host = wince::backend::activeBackend();
  ASSERT_STREQ(host.name(), "sdl");

  BITMAPINFO info{};
  info.bmiHeader =
      BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 800, -480, 1, 16, BI_BITFIELDS, 800 * 480 * 2, 0, 0, 0, 0};
  info.bmiColors[0] = 0xF800, info.bmiColors[1] = 0x07E0, info.bmiColors[2] = 0x001F;
  void* bits = nullptr;
  HBITMAP back = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 800; ++x) static_cast<uint16_t*>(bits)[y * 800 + x] = patternPixel(x, y);
  HDC memory = CreateCompatibleDC(nullptr);
  SelectObject(memory, back);
  HDC windowDC = GetDC(window.handle);
  ASSERT_TRUE(StretchBlt(windowDC, 0, 0, 800, 480, memory, 0, 0, 800, 480, SRCCOPY));
  window.pump();

  std::vector<uint32_t> shown;
  int width = 0, height = 0;
  ASSERT_TRUE(host.readShownPixels(shown, width, height));
  ASSERT_EQ(width, 800);
  ASSERT_EQ(height, 480);
  int mismatches = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 800; ++x)
      mismatches += wince::rgbToRgb565(shown[size_t(y) * 800 + size_t(x)]) != patternPixel(x, y);
  EXPECT_EQ(mismatches, 0);

  // Twice the size, then taller than the picture's aspect: black bars above and below.
  SDL_SetWindowSize(hostWindow(), 1600, 1280);
  window.pump();
  ASSERT_TRUE(host.readShownPixels(shown, width, height));
  ASSERT_EQ(width, 1600);
  ASSERT_EQ(height, 1280);
  EXPECT_EQ(shown[size_t(100) * 1600 + 800], 0u) << "bar";
  EXPECT_EQ(wince::rgbToRgb565(shown[size_t(160 + 2 * 100) * 1600 + 2 * 100]), patternPixel(100, 100));
  EXPECT_EQ(wince::rgbToRgb565(shown[size_t(160 + 2 * 400) * 1600 + 2 * 700]), patternPixel(700, 400));

  window.messages.clear();
  pushMouseButton(SDL_MOUSEBUTTONDOWN, 10, 50);  // in the bar: no pen
  pushMouseButton(SDL_MOUSEBUTTONUP, 10, 50);
  pushMouseButton(SDL_MOUSEBUTTONDOWN, 1000, 660);
  pushMouseButton(SDL_MOUSEBUTTONUP, 1002, 662);
  window.pump();
  std::vector<RecordedMessage> pen;
  for (const RecordedMessage& message : window.messages)
    if (message.message == WM_LBUTTONDOWN || message.message == WM_LBUTTONUP) pen.push_back(message);
  ASSERT_EQ(pen.size(), 2u);
  EXPECT_EQ(pen[0].message, UINT(WM_LBUTTONDOWN));
  EXPECT_EQ(pen[0].lParam, makePointLParam(500, 250));
  EXPECT_EQ(pen[1].message, UINT(WM_LBUTTONUP));
  EXPECT_EQ(pen[1].lParam, makePointLParam(501, 251));

  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(hostWindow());
  SDL_PushEvent(&close);
  window.messages.clear();
  window.pump();
  EXPECT_FALSE(IsWindow(window.handle)) << "WM_CLOSE reached the default procedure";

  ReleaseDC(nullptr, windowDC);
  DeleteDC(memory);
  DeleteObject(back);
}

TEST_F(SdlBackend, AFrameFlushedOnAnotherThreadIsShownByTheUiThread) {
  TestWindow window(u"CorvantaClass", u"Corvanta - Quendrill", 800, 480, TestWindow::Host::sdl);
  wince::backend::Backend& host = wince::backend::activeBackend();
  ASSERT_STREQ(host.name(), "sdl");
  const uint64_t presents = wince::driver::presentCount();
  std::thread game([&] {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 8, -8, 1, 16, BI_BITFIELDS, 128, 0, 0, 0, 0};
    info.bmiColors[0] = 0xF800, info.bmiColors[1] = 0x07E0, info.bmiColors[2] = 0x001F;
    void* bits = nullptr;
    HBITMAP back = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<uint16_t*>(bits), 64, uint16_t(0x07E0));
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, back);
    HDC windowDC = GetDC(window.handle);
    StretchBlt(windowDC, 0, 0, 800, 480, memory, 0, 0, 8, 8, SRCCOPY);
    ReleaseDC(window.handle, windowDC);
    DeleteDC(memory);
    DeleteObject(back);
  });
  wince::driver::waitForPresentAfter(presents);
  game.join();
  window.pump();
  std::vector<uint32_t> shown;
  int width = 0, height = 0;
  ASSERT_TRUE(host.readShownPixels(shown, width, height));
  ASSERT_EQ(shown.size(), 800u * 480u);
  EXPECT_TRUE(
      std::all_of(shown.begin(), shown.end(), [](uint32_t pixel) { return wince::rgbToRgb565(pixel) == 0x07E0; }));
}

}  // namespace
