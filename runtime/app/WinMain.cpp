#include "runtime/app/WinMain.h"

#include <new>

#include "runtime/app/HostWindow.h"
#include "runtime/app/LauncherMessages.h"
#include "runtime/app/MainLoop.h"
#include "runtime/display/DisplayDevice.h"
#include "runtime/memory/MemoryManagers.h"
#include "wince/shell.h"
#include "wince/window.h"

namespace {

void dispatchWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Kept for the main loop, which ends the run on it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

ApplicationImpl& processApplicationImpl() {
  static ApplicationImpl host;
  return host;
}

int WinMain(HINSTANCE instance, HINSTANCE /*previousInstance*/, LPWSTR /*commandLine*/, int showCommand,
            const ApplicationStartup& startup) {
  ApplicationImpl& host = processApplicationImpl();
  host.running = 1;
  host.repaintSkip = 0;
  host.displayActive = 0;
  resetHostWindow();
  HostWindow& window = hostWindow();
  getProgramDirectory(window.programDirectory);
  if (window.logToFile == 1) openLogFile(window.programDirectory);

  if (HWND first = FindWindowW(windowClassName, windowTitle)) {
    SetForegroundWindow(first);
    return 0;
  }
  installOutOfMemoryHandler();

  WNDCLASSW windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &WndProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = windowClassName;
  RegisterClassW(&windowClass);

  if (!InitInstance(instance, showCommand)) return -1;
  if (host.openDisplay(startup.displayType, window.window) == 0) {
    shutdownWindow();
    return -1;
  }
  if (window.smoothStretchOption == 1) host.display->setSmoothStretch();
  selectLauncherLanguageOfUser();
  if (host.init(startup) == 0) {
    shutdownWindow();
    return -1;
  }
  window.application = host.application;
  dispatchWaitingMessages();
  SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(window.window) | 1u));
  SHFullScreen(window.window, fullScreenHideBars);
  const int exitCode = mainLoop(host);
  shutdownWindow();
  return exitCode;
}
