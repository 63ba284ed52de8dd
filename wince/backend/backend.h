#pragma once
// The host side of the stand-in: where the screen is shown and where input
// comes from. SDL2 shows a real window; headless shows nothing. Everything
// above this interface behaves the same with either.
#include <cstdint>
#include <memory>
#include <vector>

#include "wince/types.h"

namespace wince::backend {

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* name() const = 0;
  // On the thread that made the window (the UI thread), for the program's
  // first top-level window. False when the host cannot show it.
  virtual bool openWindow(HWND window, int width, int height) = 0;
  virtual void closeWindow() = 0;
  // UI thread: turns host events into window messages and shows the newest
  // presented frame.
  virtual void pollEvents() = 0;
  // UI thread: true when the back end itself waits for host events (the
  // window's queue wakes it through wake()).
  virtual bool waitForEvents(int milliseconds) = 0;
  // Any thread: ends a waitForEvents early.
  virtual void wake() = 0;
  // Any thread: a new frame is on the screen; the UI thread shows it.
  virtual void framePresented() = 0;
  virtual void raiseWindow() = 0;
  virtual void minimizeWindow() = 0;
  // UI thread: the pixels the host window shows now, scaled to its real
  // size, as 0x00RRGGBB. False when there is no such thing.
  virtual bool readShownPixels(std::vector<uint32_t>& pixels, int& width, int& height) = 0;
  // Any thread: the host's pointer (WM_LBUTTONDOWN, WM_MOUSEMOVE or
  // WM_LBUTTONUP) at window coordinates, queued as the host would queue it.
  virtual void injectPointer(UINT message, int windowX, int windowY) = 0;
};

std::unique_ptr<Backend> makeHeadlessBackend();
// Null when SDL cannot open its video subsystem.
std::unique_ptr<Backend> makeSdlBackend(bool fullScreen);

// The back end in use; chosen when the first window opens.
Backend& activeBackend();
bool backendChosen();
// Opens the window on the chosen back end, falling back to headless when
// SDL cannot show one.
bool openBackendWindow(HWND window, int width, int height);

}  // namespace wince::backend
