#include "wince/input.h"

#include <atomic>
#include <mutex>
#include <utility>

#include "wince/window_internal.h"
#include "wince/window_queue.h"

namespace {

struct KeyState {
  std::mutex mutex;
  std::vector<wince::SystemKeyEvent> systemKeys;
};

KeyState& keyState() {
  static KeyState* state = new KeyState;  // outlives exit() from any thread
  return *state;
}

std::atomic<bool> allKeysOn{false};

}  // namespace

BOOL AllKeys(BOOL allKeys) {
  allKeysOn = allKeys != 0;
  return TRUE;
}

void keybd_event(BYTE virtualKey, BYTE, DWORD flags, ULONG_PTR) {
  KeyState& state = keyState();
  std::lock_guard lock(state.mutex);
  if (state.systemKeys.size() < 1024) state.systemKeys.push_back({virtualKey, flags});
}

UINT ImmGetVirtualKey(HWND) {
  const DWORD imeVirtualKey = wince::lastTakenImeVirtualKey();
  return imeVirtualKey ? imeVirtualKey : VK_PROCESSKEY;
}

namespace wince {

bool allKeysCaptured() { return allKeysOn; }

std::vector<SystemKeyEvent> takeSystemKeyEvents() {
  KeyState& state = keyState();
  std::lock_guard lock(state.mutex);
  return std::exchange(state.systemKeys, {});
}

}  // namespace wince
