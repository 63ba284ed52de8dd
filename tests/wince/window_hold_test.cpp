// Lock-step from the very start: the program's thread is held the first time
// it finds its queue empty, stepped one pass at a time, and let go from any
// thread, also when it never comes back to its queue.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "tests/wince/window_test_window.h"
#include "wince/clock.h"

namespace {

TEST(WindowHold, TheThreadIsHeldFromItsFirstEmptyQueueAndStepsOnePassAtATime) {
  std::atomic<int> passes{0};
  std::atomic<bool> quit{false};
  std::promise<void> held;
  std::thread program([&] {
    wince::driver::holdCallingThreadAtEmptyQueue();
    held.set_value();
    TestWindow window;
    window.reaction = [](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
      }
      return DefWindowProcW(handle, message, wParam, lParam);
    };
    while (!window.pump()) ++passes;
    quit = true;
  });
  held.get_future().wait();
  wince::driver::waitUntilHeld();
  // Held inside its first pump: no pass has ended.
  EXPECT_EQ(passes.load(), 0);
  for (int step = 1; step <= 3; ++step) {
    wince::driver::stepFrame();
    EXPECT_EQ(passes.load(), step);
  }
  // The step ends the pump it was held in; the close comes in the pass after,
  // and the quit leaves the loop without coming back to the queue. Letting go
  // ends the wait of a step that would otherwise never end.
  wince::driver::close();
  std::thread stepper([] { wince::driver::stepFrame(); });
  while (!quit) std::this_thread::yield();
  wince::driver::releaseHeldThread();
  stepper.join();
  program.join();
  EXPECT_EQ(passes.load(), 4);
}

TEST(WindowHold, ReleasingBeforeTheThreadEverWaitsLetsWaitersGo) {
  std::promise<void> held;
  std::promise<void> released;
  std::thread program([&] {
    wince::driver::holdCallingThreadAtEmptyQueue();
    held.set_value();
    released.get_future().wait();
  });
  held.get_future().wait();
  std::thread waiter([] { wince::driver::waitUntilHeld(); });
  wince::driver::releaseHeldThread();
  waiter.join();
  released.set_value();
  program.join();
}

TEST(WindowHold, TheHostPointerOfAHeadlessWindowIsThePen) {
  TestWindow window;
  window.pump();
  window.messages.clear();
  wince::driver::hostPointer(WM_LBUTTONDOWN, 12, 34);
  wince::driver::hostPointer(WM_MOUSEMOVE, 13, 35);
  wince::driver::hostPointer(WM_LBUTTONUP, 14, 36);
  window.pump();
  ASSERT_EQ(window.messageIds(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}));
  EXPECT_EQ(window.messages[0].lParam, LPARAM(12 | (34 << 16)));
  EXPECT_EQ(window.messages[2].lParam, LPARAM(14 | (36 << 16)));
}

}  // namespace
