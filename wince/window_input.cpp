#include "wince/window_input.h"

#include "wince/backend/backend.h"
#include "wince/input.h"
#include "wince/window_internal.h"

namespace wince {

namespace {

void postInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD imeVirtualKey = 0) {
  QueuedMessage entry;
  entry.message = MSG{window, message, wParam, lParam, 0, {0, 0}};
  entry.imeVirtualKey = imeVirtualKey;
  window->queue->post(entry);
  backend::activeBackend().wake();
}

}  // namespace

void deliverPen(UINT message, int x, int y) {
  HWND window = programWindow();
  if (!window) return;
  if (message != WM_LBUTTONDOWN && message != WM_MOUSEMOVE && message != WM_LBUTTONUP) return;
  postInput(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, makePointLParam(x, y));
}

void deliverKey(DWORD virtualKey, bool down, DWORD imeVirtualKey) {
  HWND window = programWindow();
  if (!window) return;
  // Repeat count 1; key-up also carries the previous-state and transition bits.
  const LPARAM lParam = down ? 1 : LPARAM(0xC0000001u);
  const WPARAM wParam = imeVirtualKey ? VK_PROCESSKEY : (virtualKey & 0xFF);
  postInput(window, down ? WM_KEYDOWN : WM_KEYUP, wParam, lParam, imeVirtualKey);
}

void deliverFocus(bool gained) {
  HWND window = programWindow();
  if (!window) return;
  if (gained)
    activateWindow(window, true);
  else
    deactivateWindow(window, true);
}

void deliverClose() {
  HWND window = programWindow();
  if (window) postInput(window, WM_CLOSE, 0, 0);
}

void deliverSettingChange() {
  for (HWND window : topLevelWindows()) deliverSystemMessage(window, WM_SETTINGCHANGE, 0, 0, true);
  backend::activeBackend().wake();
}

}  // namespace wince
