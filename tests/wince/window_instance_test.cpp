#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wince/window_test_window.h"
#include "wince/window_instance.h"

extern char** environ;

namespace {

// Runs this test program again as a second copy that looks for the first
// copy's window; answers the second copy's exit code.
int runSecondCopy(const std::string& identityNamespace, const std::string& title) {
  std::vector<std::string> environment = {"QUENDRILL_INSTANCE_NAMESPACE=" + identityNamespace,
                                          "QUENDRILL_SECOND_COPY_TITLE=" + title};
  for (char** variable = environ; *variable; ++variable) {
    const std::string entry = *variable;
    if (entry.rfind("QUENDRILL_INSTANCE_NAMESPACE=", 0) != 0 && entry.rfind("QUENDRILL_SECOND_COPY_TITLE=", 0) != 0)
      environment.push_back(entry);
  }
  std::vector<char*> environmentPointers;
  for (std::string& entry : environment) environmentPointers.push_back(entry.data());
  environmentPointers.push_back(nullptr);
  std::string program = "/proc/self/exe", filter = "--gtest_filter=WindowInstanceSecondCopy.FindsTheFirstAndFrontsIt";
  char* arguments[] = {program.data(), filter.data(), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, arguments, environmentPointers.data()) != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
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
