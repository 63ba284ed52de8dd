#pragma once
// What the window calls, the input paths and the back ends share about a
// window. Not for the runtime.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "wince/window.h"
#include "wince/window_queue.h"

struct HWND__ {
  std::u16string className;
  std::u16string title;
  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  DWORD style = 0;
  // Guarded by the window list's lock.
  RECT rect{};
  bool visible = false;
  bool minimized = false;
  // A window of another process, found through its identity socket.
  bool remote = false;
  std::shared_ptr<wince::MessageQueue> queue;
};

namespace wince {

// Null unless the handle (bit 0 ignored) names a live window.
HWND liveWindow(HWND handle);
// The program's own top-level window (the first one made), or null.
HWND programWindow();
// Runs the procedure at once when called on the window's thread, else queues
// it to run inside that thread's pump. fromOutside (host input, another
// process) always queues, keeping order with the input queued before it.
void deliverSystemMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool fromOutside);
// Activation changes; each side gets WM_ACTIVATE then its focus message.
void activateWindow(HWND window, bool fromOutside);
void deactivateWindow(HWND window, bool fromOutside);
// Every live top-level window of this process.
std::vector<HWND> topLevelWindows();

}  // namespace wince
