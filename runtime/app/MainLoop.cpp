#include "runtime/app/MainLoop.h"

#include "runtime/app/ApplicationImpl.h"
#include "runtime/app/HostWindow.h"
#include "runtime/app/LauncherMessages.h"
#include "runtime/thread/ThreadTable.h"
#include "runtime/thread/java_lang_Thread.h"
#include "wince/clock.h"
#include "wince/input.h"
#include "wince/window.h"

namespace {

// A lock-step driver may hold this thread inside the peek for a whole frame;
// a collection another thread starts meanwhile must not wait for it.
bool peekMessage(MSG& message, HWND window) {
  bool found = false;
  ThreadTable::instance().runInSafeRegion([&] { found = PeekMessageW(&message, window, 0, 0, PM_REMOVE); });
  return found;
}

}  // namespace

std::optional<int> pumpMessages() {
  HostWindow& host = hostWindow();
  MSG message;
  while (peekMessage(message, host.window)) {
    if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
    const bool isKey = message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    host.imeVirtualKey = isKey ? ImmGetVirtualKey(host.window) : 0;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return std::nullopt;
}

int mainLoop(ApplicationImpl& host) {
  HostWindow& window = hostWindow();
  int exitCode = 0;
  while (host.running != 0) {
    window.power.drainPowerQueue(host);
    // Leaving here rather than from inside the pump keeps every lock and
    // event alive for threads that are parked on them.
    if (std::optional<int> quitCode = pumpMessages()) {
      exitCode = *quitCode;
      host.running = 0;
      break;
    }
    host.repaintSkip = 0;
    if (host.displayActive != 0) {
      window.power.checkOrientation(host, window.window, getLauncherMessage(launcherPleaseWait));
    }
    Sleep(5);
    java_lang_Thread::sleep(5);
  }
  host.shutdown();
  return exitCode;
}
