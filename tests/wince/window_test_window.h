#pragma once
// The program's window for stand-in tests: headless, on the test's thread,
// with a procedure that records every message it gets.
#include <vector>

#include "wince/display_settings.h"
#include "wince/driver.h"
#include "wince/window.h"
#include "wince/window_options.h"

struct RecordedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class TestWindow {
 public:
  enum class Host { headless, sdl };

  explicit TestWindow(const char16_t* className = u"CorvantaClass", const char16_t* title = u"Corvanta - Quendrill",
                      int screenWidth = 800, int screenHeight = 480, Host host = Host::headless) {
    wince::driver::useHeadless(screenWidth, screenHeight);
    if (host == Host::sdl) wince::setWindowOptions({wince::BackendChoice::sdl, false});
    wince::resetDisplayOrientation();
    current() = this;
    m_className = className;
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &TestWindow::procedure;
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    handle = CreateWindowExW(0, className, title, WS_VISIBLE, 0, 0, screenWidth, screenHeight, nullptr, nullptr,
                             nullptr, nullptr);
  }
  ~TestWindow() {
    if (IsWindow(handle)) DestroyWindow(handle);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    // Leaves the class free for the runtime's own procedure in later tests.
    UnregisterClassW(m_className, nullptr);
    current() = nullptr;
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  // Dispatches everything waiting; answers whether WM_QUIT came.
  bool pump(int* quitCode = nullptr) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        if (quitCode) *quitCode = int(message.wParam);
        return true;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    return false;
  }

  std::vector<UINT> messageIds() const {
    std::vector<UINT> ids;
    for (const RecordedMessage& message : messages) ids.push_back(message.message);
    return ids;
  }

  HWND handle = nullptr;
  std::vector<RecordedMessage> messages;
  // Called for each message after it is recorded; answers the result.
  LRESULT (*reaction)(HWND, UINT, WPARAM, LPARAM) = nullptr;

 private:
  const char16_t* m_className = nullptr;

  static TestWindow*& current() {
    static TestWindow* window = nullptr;
    return window;
  }

  static LRESULT procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TestWindow* self = current();
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    self->messages.push_back({message, wParam, lParam});
    if (self->reaction) return self->reaction(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
  }
};
