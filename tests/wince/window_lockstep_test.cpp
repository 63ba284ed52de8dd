#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "tests/wince/window_test_window.h"
#include "wince/clock.h"

namespace {

// A UI thread shaped like the runtime's main loop: empty the queue, then
// sleep twice.
class LockStepProgram {
 public:
  LockStepProgram() {
    std::promise<TestWindow*> made;
    std::future<TestWindow*> madeFuture = made.get_future();
    m_thread = std::thread([&made] {
      TestWindow window;
      window.reaction = [](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_CLOSE) {
          PostQuitMessage(0);
          return 0;
        }
        return DefWindowProcW(handle, message, wParam, lParam);
      };
      made.set_value(&window);
      while (!window.pump()) {
        Sleep(5);
        Sleep(5);
      }
    });
    m_window = madeFuture.get();
  }
  ~LockStepProgram() {
    wince::driver::close();
    wince::driver::stopLockStep();
    m_thread.join();
  }

  // Messages since the last call, read while the UI thread waits at its queue.
  std::vector<UINT> takeMessages() {
    std::vector<UINT> ids = m_window->messageIds();
    m_window->messages.clear();
    return ids;
  }

 private:
  std::thread m_thread;
  TestWindow* m_window = nullptr;
};

TEST(WindowLockStep, EachStepRunsOnePassWithItsSleepsAndItsInput) {
  LockStepProgram program;
  wince::driver::startLockStep(1000);
  wince::driver::stepFrame();
  program.takeMessages();
  const DWORD start = GetTickCount();

  wince::driver::penDown(3, 4);
  wince::driver::stepFrame();
  EXPECT_EQ(program.takeMessages(), (std::vector<UINT>{WM_LBUTTONDOWN}));
  EXPECT_EQ(GetTickCount(), start + 10);

  wince::driver::penUp(3, 4);
  wince::driver::key(0x41, true);
  wince::driver::stepFrame();
  EXPECT_EQ(program.takeMessages(), (std::vector<UINT>{WM_LBUTTONUP, WM_KEYDOWN}));

  for (int i = 0; i < 3; ++i) wince::driver::stepFrame();
  EXPECT_TRUE(program.takeMessages().empty());
  EXPECT_EQ(GetTickCount(), start + 50);
}

}  // namespace
