#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "runtime/net/Indicator.h"
#include "wince/clock.h"
#include "wince/display_screen.h"
#include "wince/gdi.h"
#include "wince/text.h"

namespace {

struct Frame {
  std::u16string text;
  COLORREF colour;
};

// Records what the indicator draws through its seam.
struct FrameLog {
  static inline std::mutex mutex;
  static inline std::condition_variable drawn;
  static inline std::vector<Frame> frames;

  static void draw(const char16_t* text, COLORREF colour, int32_t, int32_t) {
    std::lock_guard lock(mutex);
    frames.push_back({text, colour});
    drawn.notify_all();
  }
  // Bounded, so that a lost frame fails the test instead of hanging it.
  static bool waitForFrames(size_t count) {
    std::unique_lock lock(mutex);
    return drawn.wait_for(lock, std::chrono::seconds(10), [count] { return frames.size() >= count; });
  }
  static size_t count() {
    std::lock_guard lock(mutex);
    return frames.size();
  }
};

class IndicatorTest : public testing::Test {
 protected:
  void SetUp() override {
    FrameLog::frames.clear();
    wince::useFakeClock(1000, false);
  }
  void TearDown() override {
    ConnectingIndicator::setDrawing(nullptr);
    wince::useRealClock();
    EXPECT_EQ(ConnectingIndicator::liveThreads(), 0);
  }
};

TEST_F(IndicatorTest, AFrameEveryTickOfTheClockUntilStopped) {
  ConnectingIndicator::setDrawing(FrameLog::draw);
  ConnectingIndicator indicator;
  ASSERT_TRUE(indicator.start(ConnectingIndicator::screenX, ConnectingIndicator::screenY));
  for (size_t frame = 1; frame <= 6; ++frame) {
    ASSERT_TRUE(FrameLog::waitForFrames(frame));
    ASSERT_TRUE(indicator.waitUntilBetweenFrames());
    if (frame < 6) wince::advanceFakeClock(ConnectingIndicator::frameMilliseconds);
  }
  EXPECT_EQ(ConnectingIndicator::liveThreads(), 1);
  indicator.stop();
  EXPECT_EQ(ConnectingIndicator::liveThreads(), 0) << "stop wakes the thread and waits for it";
  indicator.stop();

  const char16_t* const texts[] = {u"    . . . . . . .    ", u"          .          ", u"        . . .        ",
                                   u"      . . . . .      ", u"    . . . . . . .    ", u"    . . . . . . .    "};
  const COLORREF colours[] = {0xFFFFFF, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0xFFFFFF};
  ASSERT_EQ(FrameLog::count(), 6u) << "no frame after the stop";
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(FrameLog::frames[i].text, texts[i]) << i;
    EXPECT_EQ(FrameLog::frames[i].text.size(), 21u) << i;
    EXPECT_EQ(FrameLog::frames[i].colour, colours[i]) << i;
  }
}

TEST_F(IndicatorTest, IndicatorsOfTwoRequestsRunApart) {
  ConnectingIndicator::setDrawing(FrameLog::draw);
  ConnectingIndicator first;
  ConnectingIndicator second;
  ASSERT_TRUE(first.start(10, 20));
  ASSERT_TRUE(second.start(30, 40));
  ASSERT_TRUE(FrameLog::waitForFrames(2));
  EXPECT_EQ(ConnectingIndicator::liveThreads(), 2);
  first.stop();
  EXPECT_EQ(ConnectingIndicator::liveThreads(), 1) << "stopping one leaves the other running";
  ASSERT_TRUE(second.waitUntilBetweenFrames());
  wince::advanceFakeClock(ConnectingIndicator::frameMilliseconds);
  EXPECT_TRUE(FrameLog::waitForFrames(3));
  second.stop();
}

// Pixels of the given RGB565 colour in the indicator's row on the screen.
int pixelsOfColour(uint16_t colour) {
  const std::vector<uint16_t> frame = wince::screen().copyFrame();
  const int width = wince::screen().width();
  int count = 0;
  for (int y = ConnectingIndicator::screenY; y < ConnectingIndicator::screenY + 24; ++y)
    for (int x = ConnectingIndicator::screenX; x < ConnectingIndicator::screenX + 300; ++x)
      count += frame[size_t(y) * size_t(width) + size_t(x)] == colour ? 1 : 0;
  return count;
}

TEST_F(IndicatorTest, DotsAppearOnTheScreenAndStayThere) {
  if (!wince::systemFontAvailable()) GTEST_SKIP() << "no system font";
  HDC dc = GetDC(nullptr);
  const RECT row{0, ConnectingIndicator::screenY - 10, 800, ConnectingIndicator::screenY + 40};
  FillRect(dc, &row, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(nullptr, dc);
  ASSERT_EQ(pixelsOfColour(0xFFFF), 0);

  uint64_t presents = wince::screen().presentCount();
  ConnectingIndicator indicator;
  ASSERT_TRUE(indicator.start(ConnectingIndicator::screenX, ConnectingIndicator::screenY));
  wince::screen().waitForPresentAfter(presents);
  ASSERT_TRUE(indicator.waitUntilBetweenFrames());
  EXPECT_GT(pixelsOfColour(0xFFFF), 0) << "the first frame is white";
  EXPECT_EQ(pixelsOfColour(0xF800), 0);

  presents = wince::screen().presentCount();
  wince::advanceFakeClock(ConnectingIndicator::frameMilliseconds);
  wince::screen().waitForPresentAfter(presents);
  indicator.stop();
  EXPECT_GT(pixelsOfColour(0xF800), 0) << "the second frame is red";
  EXPECT_GT(pixelsOfColour(0xFFFF), 0) << "drawn over, never erased";
}

}  // namespace
