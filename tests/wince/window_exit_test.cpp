#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "tests/wince/window_test_process.h"
#include "tests/wince/window_test_window.h"
#include "wince/gdi.h"

namespace {

// The program ends from inside its window procedure, as the runtime does on
// WM_QUIT, while another thread is in the middle of window and drawing calls.
TEST(WindowExitChild, EndsFromInsideThePumpWhileAnotherThreadWorks) {
  if (!std::getenv("QUENDRILL_EXIT_CHILD")) GTEST_SKIP() << "runs only in a process of its own";
  static TestWindow& window = *new TestWindow;  // the program's own objects stay, as the runtime's do
  window.reaction = [](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_USER + 1) std::exit(7);
    return DefWindowProcW(handle, message, wParam, lParam);
  };
  std::thread busy([] {
    HDC dc = GetDC(window.handle);
    const RECT all{0, 0, 800, 480};
    for (int i = 0;; ++i) {
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject((i & 1) ? WHITE_BRUSH : BLACK_BRUSH)));
      PostMessageW(window.handle, WM_USER, 0, 0);
      SendMessageW(window.handle, WM_USER, 0, 0);
      if (i == 100) PostMessageW(window.handle, WM_USER + 1, 0, 0);
    }
  });
  busy.detach();
  for (;;) {
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    DispatchMessageW(&message);
  }
  std::_Exit(1);  // only reached when the pump ended the wrong way
}

TEST(WindowExit, LeavingFromInsideThePumpEndsCleanlyWithItsCode) {
  EXPECT_EQ(runTestInChildProcess("WindowExitChild.EndsFromInsideThePumpWhileAnotherThreadWorks",
                                  {"QUENDRILL_EXIT_CHILD=1", "QUENDRILL_HEADLESS=1"}),
            7);
}

}  // namespace
