#include "wince/window.h"

#include <algorithm>
#include <map>
#include <vector>

#include "wince/backend/backend.h"
#include "wince/display_screen.h"
#include "wince/log.h"
#include "wince/window_instance.h"
#include "wince/window_internal.h"

namespace wince {

namespace {

struct WindowList {
  std::mutex mutex;
  std::vector<HWND> live;
  std::map<std::u16string, WNDCLASSW> classes;
  HWND foreground = nullptr;
  HWND program = nullptr;
  // Handles stay valid objects after destruction so that late callers read
  // "no such window" rather than freed memory.
  std::vector<HWND> destroyed;
};

WindowList& windowList() {
  static WindowList* list = new WindowList;  // outlives exit() from any thread
  return *list;
}

HWND withoutFlagBit(HWND handle) { return reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(handle) & ~uintptr_t(1)); }

bool sameText(const std::u16string& text, const char16_t* other) { return other == nullptr || text == other; }

// Message delivery to a window that may belong to another thread.
void sendOrQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool fromOutside) {
  if (!fromOutside && window->queue->ownedByCallingThread()) {
    callWindowProcedure(window, message, wParam, lParam);
    return;
  }
  QueuedMessage entry;
  entry.message = MSG{window, message, wParam, lParam, 0, {0, 0}};
  entry.dispatchInside = true;
  window->queue->post(entry);
  if (window == programWindow()) backend::activeBackend().wake();
}

}  // namespace

HWND liveWindow(HWND handle) {
  if (!handle) return nullptr;
  HWND window = withoutFlagBit(handle);
  WindowList& list = windowList();
  std::lock_guard lock(list.mutex);
  return std::find(list.live.begin(), list.live.end(), window) != list.live.end() ? window : nullptr;
}

HWND programWindow() {
  WindowList& list = windowList();
  std::lock_guard lock(list.mutex);
  return list.program;
}

LRESULT callWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!liveWindow(window) || window->remote || !window->procedure) return 0;
  return window->procedure(window, message, wParam, lParam);
}

void deliverSystemMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool fromOutside) {
  sendOrQueue(window, message, wParam, lParam, fromOutside);
}

std::vector<HWND> topLevelWindows() {
  WindowList& list = windowList();
  std::lock_guard lock(list.mutex);
  std::vector<HWND> windows;
  for (HWND window : list.live)
    if (!window->remote) windows.push_back(window);
  return windows;
}

void activateWindow(HWND window, bool fromOutside) {
  WindowList& list = windowList();
  HWND previous;
  {
    std::lock_guard lock(list.mutex);
    window->minimized = false;
    window->visible = true;
    previous = list.foreground;
    if (previous == window) return;
    list.foreground = window;
  }
  if (previous) {
    sendOrQueue(previous, WM_ACTIVATE, WA_INACTIVE, LPARAM(window), fromOutside);
    sendOrQueue(previous, WM_KILLFOCUS, WPARAM(window), 0, fromOutside);
  }
  sendOrQueue(window, WM_ACTIVATE, WA_ACTIVE, LPARAM(previous), fromOutside);
  sendOrQueue(window, WM_SETFOCUS, WPARAM(previous), 0, fromOutside);
}

void deactivateWindow(HWND window, bool fromOutside) {
  WindowList& list = windowList();
  {
    std::lock_guard lock(list.mutex);
    if (list.foreground != window) return;
    list.foreground = nullptr;
  }
  sendOrQueue(window, WM_ACTIVATE, WA_INACTIVE, 0, fromOutside);
  sendOrQueue(window, WM_KILLFOCUS, 0, 0, fromOutside);
}

}  // namespace wince

using namespace wince;

WORD RegisterClassW(const WNDCLASSW* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
    logPrintf("RegisterClassW: class without name or procedure refused\n");
    return 0;
  }
  WindowList& list = windowList();
  std::lock_guard lock(list.mutex);
  const std::u16string name(windowClass->lpszClassName);
  if (list.classes.count(name)) return 0;  // already registered
  WNDCLASSW stored = *windowClass;
  stored.lpszClassName = nullptr;  // the caller's text need not outlive the call
  list.classes.emplace(name, stored);
  return WORD(list.classes.size());
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  if (!className) return FALSE;
  WindowList& list = windowList();
  std::lock_guard lock(list.mutex);
  for (HWND window : list.live)
    if (!window->remote && window->className == className) return FALSE;
  return list.classes.erase(className) ? TRUE : FALSE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HANDLE menu, HINSTANCE instance, void* param) {
  if (!className) return nullptr;
  WindowList& list = windowList();
  auto window = new HWND__;
  bool isProgramWindow = false;
  {
    std::lock_guard lock(list.mutex);
    auto found = list.classes.find(className);
    if (found == list.classes.end()) {
      delete window;
      return nullptr;
    }
    window->procedure = found->second.lpfnWndProc;
    window->className = className;
    window->title = windowName ? windowName : u"";
    window->instance = instance;
    window->style = style;
    window->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    window->visible = (style & WS_VISIBLE) != 0;
    window->queue = currentThreadQueue();
    list.live.push_back(window);
    if (!parent && !list.program) {
      list.program = window;
      isProgramWindow = true;
    }
  }
  if (isProgramWindow && !backend::openBackendWindow(window, screen().width(), screen().height())) {
    logPrintf("CreateWindowExW: the host cannot show a window\n");
    DestroyWindow(window);
    return nullptr;
  }
  CREATESTRUCTW creation{param, instance, menu,        parent,     height,    width,
                         y,     x,        LONG(style), windowName, className, exStyle};
  if (callWindowProcedure(window, WM_CREATE, 0, LPARAM(&creation)) == -1) {
    DestroyWindow(window);
    return nullptr;
  }
  if (!parent) publishWindowIdentity(window);
  return window;
}

BOOL DestroyWindow(HWND handle) {
  HWND window = liveWindow(handle);
  if (!window || window->remote) return FALSE;
  deactivateWindow(window, false);
  callWindowProcedure(window, WM_DESTROY, 0, 0);
  withdrawWindowIdentity(window);
  WindowList& list = windowList();
  bool wasProgram;
  {
    std::lock_guard lock(list.mutex);
    std::erase(list.live, window);
    list.destroyed.push_back(window);
    wasProgram = list.program == window;
    if (wasProgram) list.program = nullptr;
  }
  window->queue->discardWindow(window);
  if (wasProgram) backend::activeBackend().closeWindow();
  return TRUE;
}

BOOL IsWindow(HWND window) { return liveWindow(window) != nullptr; }

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(window);
  return 0;
}

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = liveWindow(handle);
  if (!window || window->remote) return 0;
  if (window->queue->ownedByCallingThread()) return callWindowProcedure(window, message, wParam, lParam);
  if (window == programWindow()) backend::activeBackend().wake();
  return window->queue->sendAndWait(window, message, wParam, lParam);
}

BOOL PostMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!handle) {
    QueuedMessage entry;
    entry.message = MSG{nullptr, message, wParam, lParam, 0, {0, 0}};
    currentThreadQueue()->post(entry);
    return TRUE;
  }
  HWND window = liveWindow(handle);
  if (!window || window->remote) return FALSE;
  QueuedMessage entry;
  entry.message = MSG{window, message, wParam, lParam, 0, {0, 0}};
  window->queue->post(entry);
  if (window == programWindow()) backend::activeBackend().wake();
  return TRUE;
}

void PostQuitMessage(int exitCode) { currentThreadQueue()->postQuit(exitCode); }

namespace {

// The program window's thread also serves the host's events.
void pollHostEvents() {
  HWND program = programWindow();
  if (program && program->queue->ownedByCallingThread()) backend::activeBackend().pollEvents();
}

}  // namespace

BOOL PeekMessageW(MSG* message, HWND filter, UINT filterMin, UINT filterMax, UINT removeMessage) {
  if (!message) return FALSE;
  pollHostEvents();
  return currentThreadQueue()->next(message, filter, filterMin, filterMax, (removeMessage & PM_REMOVE) != 0);
}

BOOL GetMessageW(MSG* message, HWND filter, UINT filterMin, UINT filterMax) {
  if (!message) return -1;
  if (filter && !liveWindow(filter)) return -1;
  auto queue = currentThreadQueue();
  for (;;) {
    pollHostEvents();
    if (queue->next(message, filter, filterMin, filterMax, true)) return message->message == WM_QUIT ? 0 : 1;
    HWND program = programWindow();
    const bool hostWaits = program && program->queue == queue && backend::activeBackend().waitForEvents(50);
    if (!hostWaits) queue->waitForMessages(50);
  }
}

BOOL TranslateMessage(const MSG* message) {
  // Character messages are not made: nothing in the program reads them.
  return message && (message->message == WM_KEYDOWN || message->message == WM_KEYUP);
}

LRESULT DispatchMessageW(const MSG* message) {
  if (!message || !message->hwnd) return 0;
  return callWindowProcedure(message->hwnd, message->message, message->wParam, message->lParam);
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  WindowList& list = windowList();
  {
    std::lock_guard lock(list.mutex);
    for (HWND window : list.live) {
      if (!window->remote && sameText(window->className, className) && sameText(window->title, windowName))
        return window;
    }
    // A remote window found before is answered from the list if still there.
  }
  if (!className || !remoteWindowExists(className, windowName)) return nullptr;
  std::lock_guard lock(list.mutex);
  for (HWND window : list.live) {
    if (window->remote && window->className == className && sameText(window->title, windowName)) return window;
  }
  auto remote = new HWND__;
  remote->remote = true;
  remote->className = className;
  remote->title = windowName ? windowName : u"";
  list.live.push_back(remote);
  return remote;
}

BOOL SetForegroundWindow(HWND handle) {
  HWND window = liveWindow(handle);
  if (!window) return FALSE;
  if (window->remote) return bringRemoteWindowToFront(window->className, window->title) ? TRUE : FALSE;
  if (window == programWindow()) backend::activeBackend().raiseWindow();
  activateWindow(window, false);
  return TRUE;
}

HWND GetForegroundWindow() {
  WindowList& list = windowList();
  std::lock_guard lock(list.mutex);
  return list.foreground;
}

BOOL ShowWindow(HWND handle, int showCommand) {
  HWND window = liveWindow(handle);
  if (!window) return FALSE;
  if (window->remote) return TRUE;
  bool wasVisible;
  {
    std::lock_guard lock(windowList().mutex);
    wasVisible = window->visible;
  }
  const bool isProgram = window == programWindow();
  switch (showCommand) {
    case SW_HIDE: {
      std::lock_guard lock(windowList().mutex);
      window->visible = false;
    }
      deactivateWindow(window, false);
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED: {
      std::lock_guard lock(windowList().mutex);
      window->minimized = true;
      window->visible = true;
    }
      if (isProgram) backend::activeBackend().minimizeWindow();
      deactivateWindow(window, false);
      break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: {
      std::lock_guard lock(windowList().mutex);
      window->visible = true;
      break;
    }
    default:  // every other command shows and activates
      if (isProgram) backend::activeBackend().raiseWindow();
      activateWindow(window, false);
      break;
  }
  return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window) { return liveWindow(window) ? TRUE : FALSE; }

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL) {
  HWND window = liveWindow(handle);
  if (!window) return FALSE;
  if (window->remote) return TRUE;
  {
    std::lock_guard lock(windowList().mutex);
    window->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  }
  return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
  // Nothing keeps pixels that need repainting: every window draws itself.
  return !window || liveWindow(window) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND handle, RECT* rect) {
  HWND window = liveWindow(handle);
  if (!window || !rect) return FALSE;
  std::lock_guard lock(windowList().mutex);
  *rect = window->rect;
  return TRUE;
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return screen().width();
    case SM_CYSCREEN:
      return screen().height();
    default:
      return 0;
  }
}
