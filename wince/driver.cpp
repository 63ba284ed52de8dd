#include "wince/driver.h"

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>

#include "wince/backend/backend.h"
#include "wince/clock.h"
#include "wince/display_screen.h"
#include "wince/display_settings.h"
#include "wince/gdi.h"
#include "wince/power.h"
#include "wince/window.h"
#include "wince/window_input.h"
#include "wince/window_instance.h"
#include "wince/window_internal.h"
#include "wince/window_options.h"

namespace wince::driver {

std::string privateInstanceNamespace() {
  static std::atomic<int> counter{0};
  return "test-" + std::to_string(getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

void useHeadless(int screenWidth, int screenHeight) {
  WindowOptions options = windowOptions();
  options.backend = BackendChoice::headless;
  setWindowOptions(options);
  screen().setSize(screenWidth, screenHeight);
  setInstanceNamespace(privateInstanceNamespace());
}

void penDown(int x, int y) { deliverPen(WM_LBUTTONDOWN, x, y); }
void penMove(int x, int y) { deliverPen(WM_MOUSEMOVE, x, y); }
void penUp(int x, int y) { deliverPen(WM_LBUTTONUP, x, y); }

void key(DWORD virtualKey, bool down, DWORD imeVirtualKey) { deliverKey(virtualKey, down, imeVirtualKey); }

void tapKey(DWORD virtualKey) {
  deliverKey(virtualKey, true);
  deliverKey(virtualKey, false);
}

void focus(bool gained) { deliverFocus(gained); }
void close() { deliverClose(); }
int power(DWORD powerFlags) { return sendPowerTransition(powerFlags); }
void rotate(DWORD orientation) { rotateDisplay(orientation); }
DWORD orientation() { return displayOrientation(); }

std::vector<uint16_t> backBuffer(int* width, int* height) {
  BitmapPixels pixels{};
  if (!bitmapPixels(newestScreenBitmap(), pixels)) return {};
  if (width) *width = pixels.width;
  if (height) *height = pixels.height;
  std::vector<uint16_t> copy(size_t(pixels.width) * size_t(pixels.height));
  for (int y = 0; y < pixels.height; ++y)
    std::memcpy(copy.data() + size_t(y) * size_t(pixels.width), pixels.bits + pixels.pitch * y,
                size_t(pixels.width) * 2);
  return copy;
}

std::vector<uint16_t> presentedFrame(uint64_t* presentCount) { return screen().copyFrame(presentCount); }
uint64_t presentCount() { return screen().presentCount(); }
void waitForPresentAfter(uint64_t count) { screen().waitForPresentAfter(count); }

namespace {

std::mutex heldQueueMutex;
std::shared_ptr<MessageQueue> heldQueue;

std::shared_ptr<MessageQueue> gatedQueue() {
  {
    std::lock_guard lock(heldQueueMutex);
    if (heldQueue) return heldQueue;
  }
  HWND window = programWindow();
  return window ? window->queue : nullptr;
}

}  // namespace

void holdCallingThreadAtEmptyQueue() {
  std::shared_ptr<MessageQueue> queue = currentThreadQueue();
  queue->setFrameGate(true);
  std::lock_guard lock(heldQueueMutex);
  heldQueue = std::move(queue);
}

void waitUntilHeld() {
  if (std::shared_ptr<MessageQueue> queue = gatedQueue()) queue->waitUntilAtGate();
}

void releaseHeldThread() {
  std::shared_ptr<MessageQueue> queue;
  {
    std::lock_guard lock(heldQueueMutex);
    queue = std::move(heldQueue);
  }
  if (queue) queue->setFrameGate(false);
}

void hostPointer(UINT message, int windowX, int windowY) {
  backend::activeBackend().injectPointer(message, windowX, windowY);
}

void startLockStep(uint64_t startMilliseconds) {
  useFakeClock(startMilliseconds, true);
  if (HWND window = programWindow()) window->queue->setFrameGate(true);
}

void stepFrame() {
  if (std::shared_ptr<MessageQueue> queue = gatedQueue()) queue->stepThroughGate();
}

void stopLockStep() {
  if (HWND window = programWindow()) window->queue->setFrameGate(false);
  releaseHeldThread();
  useRealClock();
}

void waitUntilQueueDrained() {
  HWND window = programWindow();
  if (!window) return;
  const uint64_t polls = window->queue->emptyPolls();
  window->queue->wake();
  window->queue->waitForEmptyPollAfter(polls);
}

}  // namespace wince::driver
