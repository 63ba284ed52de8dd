#pragma once
// The connecting indicator: while an HTTP request runs, a platform thread of
// its own draws a row of dots, a new frame every 300 ms. Each request has its
// own indicator, and stop wakes the thread and waits for it, so no drawing
// outlives the request. Nothing is erased: the dots stay until the next
// paint covers them. The thread touches no object memory.
#include <atomic>
#include <cstdint>

#include "wince/types.h"

class ConnectingIndicator {
 public:
  static constexpr int32_t screenX = 75;
  static constexpr int32_t screenY = 240;
  static constexpr DWORD frameMilliseconds = 300;
  static constexpr int32_t frameCount = 5;

  // Draws one frame's text with its top left at (x, y). The default draws,
  // unclipped and without a background, on the device context of the whole
  // screen.
  using Drawing = void (*)(const char16_t* text, COLORREF colour, int32_t x, int32_t y);
  // Null restores the default. Set it while no indicator runs.
  static void setDrawing(Drawing drawing);

  // Frame n of the animation is frameText(n % 5) in frameColour(n % 5).
  static const char16_t* frameText(int32_t frame);
  static COLORREF frameColour(int32_t frame);
  // Indicator threads of the whole process that have not ended.
  static int liveThreads();

  ConnectingIndicator() = default;
  ~ConnectingIndicator() { stop(); }
  ConnectingIndicator(const ConnectingIndicator&) = delete;
  ConnectingIndicator& operator=(const ConnectingIndicator&) = delete;

  // Draws the first frame at once. False (logged) when no thread can be
  // made: the request then runs without dots.
  bool start(int32_t x, int32_t y);
  // Wakes the thread and waits until it has ended; safe to call twice.
  void stop();
  // Lock-step tests: blocks until the thread waits for its next frame.
  bool waitUntilBetweenFrames();

 private:
  static DWORD run(void* parameter);

  HANDLE m_thread = nullptr;
  HANDLE m_wake = nullptr;
  int32_t m_x = 0;
  int32_t m_y = 0;
  std::atomic<bool> m_running{false};
};
