#include "wince/window_instance.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wince/window_test_process.h"
#include "tests/wince/window_test_window.h"

namespace {

// Runs this test program again as a second copy that looks for the first
// copy's window; answers the second copy's exit code.
int runSecondCopy(const std::string& identityNamespace, const std::string& title) {
  return runTestInChildProcess(
      "WindowInstanceSecondCopy.FindsTheFirstAndFrontsIt",
      {"QUENDRILL_INSTANCE_NAMESPACE=" + identityNamespace, "QUENDRILL_SECOND_COPY_TITLE=" + title});
}

// The second copy: exits 0 after bringing the first window forward, 3 when
// there is none.
TEST(WindowInstanceSecondCopy, FindsTheFirstAndFrontsIt) {
  const char* title = std::getenv("QUENDRILL_SECOND_COPY_TITLE");
  if (!title) GTEST_SKIP() << "runs only as the second copy of another test";
  std::u16string wideTitle;
  for (const char* character = title; *character; ++character) wideTitle += char16_t(*character);
  HWND first = FindWindowW(u"CorvantaClass", wideTitle.c_str());
  std::_Exit(first && SetForegroundWindow(first) ? 0 : 3);
}

TEST(WindowInstance, ASecondCopyFindsTheFirstWindowAndBringsItToTheFront) {
  TestWindow window;
  ShowWindow(window.handle, SW_MINIMIZE);
  window.messages.clear();
  EXPECT_EQ(runSecondCopy(wince::instanceNamespace(), "Corvanta - Quendrill"), 0);
  window.pump();
  EXPECT_EQ(window.messageIds(), (std::vector<UINT>{WM_ACTIVATE, WM_SETFOCUS}));
  EXPECT_EQ(GetForegroundWindow(), window.handle);
}

TEST(WindowInstance, OtherNamespacesAndTitlesStayApart) {
  TestWindow window;
  EXPECT_EQ(runSecondCopy(wince::instanceNamespace() + "-elsewhere", "Corvanta - Quendrill"), 3);
  EXPECT_EQ(runSecondCopy(wince::instanceNamespace(), "Another Title"), 3);
  DestroyWindow(window.handle);
  EXPECT_EQ(runSecondCopy(wince::instanceNamespace(), "Corvanta - Quendrill"), 3) << "gone with its window";
}

}  // namespace
