#include <gtest/gtest.h>

#include <thread>

#include "tests/wince/window_test_window.h"
#include "wince/input.h"

namespace {

using Ids = std::vector<UINT>;

TEST(WindowCreation, CreateArrivesDuringCreationWithTheCreationRecord) {
  TestWindow window;
  ASSERT_NE(window.handle, nullptr);
  ASSERT_FALSE(window.messages.empty());
  EXPECT_EQ(window.messages.front().message, UINT(WM_CREATE));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
  EXPECT_EQ(FindWindowW(u"CorvantaClass", u"Corvanta - Quendrill"), window.handle);
  EXPECT_EQ(FindWindowW(u"HHTaskBar", nullptr), nullptr);
  EXPECT_FALSE(UnregisterClassW(u"CorvantaClass", nullptr)) << "its window still exists";
}

TEST(WindowCreation, CreateAnsweringMinusOneLeavesNoWindow) {
  TestWindow first(u"RefusingClass", u"first");
  DestroyWindow(first.handle);
  first.reaction = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT { return message == WM_CREATE ? -1 : 0; };
  HWND refused =
      CreateWindowExW(0, u"RefusingClass", u"second", WS_VISIBLE, 0, 0, 800, 480, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(FindWindowW(u"RefusingClass", u"second"), nullptr);
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST(WindowActivation, ForegroundingSendsActivateThenSetFocusOnce) {
  TestWindow window;
  window.messages.clear();
  // The device's "owned windows too" bit must not make the handle unknown.
  HWND flagged = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(window.handle) | 1);
  ASSERT_TRUE(SetForegroundWindow(flagged));
  ASSERT_EQ(window.messageIds(), (Ids{WM_ACTIVATE, WM_SETFOCUS}));
  EXPECT_EQ(window.messages[0].wParam, WA_ACTIVE);
  EXPECT_EQ(GetForegroundWindow(), window.handle);

  window.messages.clear();
  SetForegroundWindow(window.handle);
  ShowWindow(window.handle, SW_SHOW);
  EXPECT_TRUE(window.messages.empty()) << "already in front";

  ShowWindow(window.handle, SW_MINIMIZE);
  ASSERT_EQ(window.messageIds(), (Ids{WM_ACTIVATE, WM_KILLFOCUS}));
  EXPECT_EQ(window.messages[0].wParam, WA_INACTIVE);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
}

TEST(WindowActivation, HostFocusChangesKeepTheirPlaceAmongInput) {
  TestWindow window;
  SetForegroundWindow(window.handle);
  window.messages.clear();
  wince::driver::penDown(10, 20);
  wince::driver::focus(false);
  wince::driver::focus(true);
  wince::driver::penUp(10, 20);
  EXPECT_TRUE(window.messages.empty()) << "host events wait for the pump";
  window.pump();
  EXPECT_EQ(window.messageIds(),
            (Ids{WM_LBUTTONDOWN, WM_ACTIVATE, WM_KILLFOCUS, WM_ACTIVATE, WM_SETFOCUS, WM_LBUTTONUP}));
}

TEST(WindowQueue, QuitComesAfterPostedMessagesWhateverTheFilter) {
  TestWindow window;
  PostMessageW(window.handle, WM_USER + 1, 7, 8);
  PostQuitMessage(3);
  PostMessageW(window.handle, WM_USER + 2, 0, 0);
  HWND other = reinterpret_cast<HWND>(uintptr_t(0x1000));
  MSG message;
  std::vector<UINT> seen;
  while (PeekMessageW(&message, window.handle, 0, 0, PM_REMOVE)) {
    seen.push_back(message.message);
    if (message.message == WM_QUIT) {
      EXPECT_EQ(message.wParam, WPARAM(3));
      break;
    }
  }
  EXPECT_EQ(seen, (Ids{WM_USER + 1, WM_USER + 2, WM_QUIT}));

  PostQuitMessage(4);
  ASSERT_TRUE(PeekMessageW(&message, other, WM_KEYDOWN, WM_KEYUP, PM_REMOVE));
  EXPECT_EQ(message.message, UINT(WM_QUIT));
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST(WindowQueue, FilterRangeAndNoRemove) {
  TestWindow window;
  PostMessageW(window.handle, WM_USER + 5, 0, 0);
  PostMessageW(window.handle, WM_KEYDOWN, 0x41, 1);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_KEYDOWN, WM_KEYUP, PM_NOREMOVE));
  EXPECT_EQ(message.message, UINT(WM_KEYDOWN));
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_KEYDOWN, WM_KEYUP, PM_REMOVE));
  EXPECT_EQ(message.message, UINT(WM_KEYDOWN));
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, UINT(WM_USER + 5));
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST(WindowQueue, SendFromAnotherThreadRunsInTheOwnersPump) {
  TestWindow window;
  static std::thread::id ranOn;
  window.reaction = [](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message != WM_USER) return 0;
    ranOn = std::this_thread::get_id();
    return LRESULT(wParam * 2);
  };
  LRESULT answer = 0;
  std::thread sender([&] { answer = SendMessageW(window.handle, WM_USER, 21, 0); });
  while (answer == 0) {
    window.pump();
    std::this_thread::yield();
  }
  sender.join();
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(WindowQueue, GetMessageWakesForAPostFromAnotherThread) {
  TestWindow window;
  std::thread poster([&] { PostMessageW(window.handle, WM_USER + 9, 1, 2); });
  MSG message;
  ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, UINT(WM_USER + 9));
  poster.join();
  PostQuitMessage(0);
  EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), 0);
}

TEST(WindowInput, PenPositionsSurviveSignExtension) {
  TestWindow window;
  window.messages.clear();
  wince::driver::penDown(-5, 300);
  wince::driver::penMove(799, -1);
  window.pump();
  ASSERT_EQ(window.messages.size(), 2u);
  for (const auto& [message, expectedX, expectedY] : std::vector<std::tuple<RecordedMessage, int, int>>{
           {window.messages[0], -5, 300}, {window.messages[1], 799, -1}}) {
    EXPECT_EQ(int(int16_t(message.lParam & 0xFFFF)), expectedX);
    EXPECT_EQ(int(int16_t((message.lParam >> 16) & 0xFFFF)), expectedY);
    EXPECT_EQ(message.wParam, MK_LBUTTON);
  }
}

TEST(WindowInput, InputMethodKeysCarryProcessKeyAndTheRealKey) {
  TestWindow window;
  window.messages.clear();
  wince::driver::key(0x41, true, VK_F6);
  wince::driver::key(0x41, false);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, UINT(WM_KEYDOWN));
  EXPECT_EQ(message.wParam, WPARAM(VK_PROCESSKEY));
  EXPECT_EQ(ImmGetVirtualKey(window.handle), UINT(VK_F6));
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, UINT(WM_KEYUP));
  EXPECT_EQ(message.wParam, WPARAM(0x41));
  EXPECT_EQ(ImmGetVirtualKey(window.handle), UINT(VK_PROCESSKEY));
}

TEST(WindowLifetime, CloseThroughTheDefaultProcedureDestroysTheWindow) {
  TestWindow window;
  window.messages.clear();
  wince::driver::close();
  window.pump();
  EXPECT_EQ(window.messageIds(), (Ids{WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(IsWindow(window.handle));
  EXPECT_FALSE(PostMessageW(window.handle, WM_USER, 0, 0));
  EXPECT_EQ(SendMessageW(window.handle, WM_USER, 0, 0), 0);
}

TEST(WindowLifetime, ClosingAsTheRuntimeDoesEndsThePumpWithItsCode) {
  TestWindow window;
  window.reaction = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_CLOSE || message == WM_DESTROY) {
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  };
  wince::driver::close();
  int quitCode = -1;
  EXPECT_TRUE(window.pump(&quitCode));
  EXPECT_EQ(quitCode, 0);
  EXPECT_TRUE(IsWindow(window.handle));
}

}  // namespace
