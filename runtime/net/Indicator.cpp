#include "runtime/net/Indicator.h"

#include "runtime/lang/DebugLog.h"
#include "wince/event.h"
#include "wince/gdi.h"
#include "wince/thread.h"
#include "wince/wait.h"

namespace {

constexpr COLORREF red = 0x0000FF;
constexpr COLORREF white = 0xFFFFFF;

constexpr const char16_t* frameTexts[ConnectingIndicator::frameCount] = {
    u"    . . . . . . .    ",
    u"          .          ",
    u"        . . .        ",
    u"      . . . . .      ",
    u"    . . . . . . .    ",
};

std::atomic<ConnectingIndicator::Drawing> drawing{nullptr};
std::atomic<int> liveIndicatorThreads{0};

int32_t framePosition(int32_t frame) {
  const int32_t position = frame % ConnectingIndicator::frameCount;
  return position < 0 ? position + ConnectingIndicator::frameCount : position;
}

void drawOnScreen(const char16_t* text, COLORREF colour, int32_t x, int32_t y) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return;
  SetBkMode(screen, TRANSPARENT);
  SetTextColor(screen, colour);
  UINT length = 0;
  while (text[length] != 0) ++length;
  ExtTextOutW(screen, x, y, 0, nullptr, text, length, nullptr);
  ReleaseDC(nullptr, screen);
}

}  // namespace

void ConnectingIndicator::setDrawing(Drawing newDrawing) { drawing = newDrawing; }

const char16_t* ConnectingIndicator::frameText(int32_t frame) { return frameTexts[framePosition(frame)]; }

COLORREF ConnectingIndicator::frameColour(int32_t frame) { return framePosition(frame) == 0 ? white : red; }

int ConnectingIndicator::liveThreads() { return liveIndicatorThreads.load(); }

bool ConnectingIndicator::start(int32_t x, int32_t y) {
  stop();
  m_x = x;
  m_y = y;
  m_wake = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  if (m_wake == nullptr) {
    debugLog("ConnectingIndicator: no event");
    return false;
  }
  m_running = true;
  ++liveIndicatorThreads;
  m_thread = CreateThread(nullptr, 0, run, this, 0, nullptr);
  if (m_thread == nullptr) {
    --liveIndicatorThreads;
    debugLog("ConnectingIndicator: no thread");
    m_running = false;
    CloseHandle(m_wake);
    m_wake = nullptr;
    return false;
  }
  return true;
}

void ConnectingIndicator::stop() {
  if (m_thread == nullptr) return;
  m_running = false;
  SetEvent(m_wake);
  WaitForSingleObject(m_thread, INFINITE);
  CloseHandle(m_thread);
  CloseHandle(m_wake);
  m_thread = nullptr;
  m_wake = nullptr;
}

bool ConnectingIndicator::waitUntilBetweenFrames() { return m_wake != nullptr && wince::waitForWaiters(m_wake, 1); }

DWORD ConnectingIndicator::run(void* parameter) {
  auto* indicator = static_cast<ConnectingIndicator*>(parameter);
  const Drawing draw = drawing.load() != nullptr ? drawing.load() : drawOnScreen;
  for (int32_t frame = 0; indicator->m_running; ++frame) {
    draw(frameText(frame), frameColour(frame), indicator->m_x, indicator->m_y);
    if (WaitForSingleObject(indicator->m_wake, frameMilliseconds) != WAIT_TIMEOUT) break;
  }
  --liveIndicatorThreads;
  return 0;
}
