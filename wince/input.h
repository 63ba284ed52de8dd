#pragma once
// Keyboard calls: capture of all keys, keys handed back to the system, the
// input method's virtual key, and the virtual-key codes the runtime names.
#include <vector>

#include "wince/types.h"

constexpr DWORD VK_RETURN = 0x0D;
constexpr DWORD VK_ESCAPE = 0x1B;
constexpr DWORD VK_HOME = 0x24;
constexpr DWORD VK_LEFT = 0x25;
constexpr DWORD VK_UP = 0x26;
constexpr DWORD VK_RIGHT = 0x27;
constexpr DWORD VK_DOWN = 0x28;
constexpr DWORD VK_LWIN = 0x5B;
constexpr DWORD VK_RWIN = 0x5C;
constexpr DWORD VK_F1 = 0x70;
constexpr DWORD VK_F2 = 0x71;
constexpr DWORD VK_F3 = 0x72;
constexpr DWORD VK_F4 = 0x73;
constexpr DWORD VK_F6 = 0x75;
constexpr DWORD VK_F7 = 0x76;
constexpr DWORD VK_F8 = 0x77;
constexpr DWORD VK_F9 = 0x78;
constexpr DWORD VK_PROCESSKEY = 0xE5;

constexpr DWORD KEYEVENTF_KEYUP = 0x0002;

// While on, the program gets every key, the system keys included.
BOOL AllKeys(BOOL allKeys);
// Hands a key to the system (not to the program's window).
void keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo);
// The key the input method turned into VK_PROCESSKEY for the key message the
// calling thread took last; VK_PROCESSKEY when no input method was involved.
UINT ImmGetVirtualKey(HWND window);

namespace wince {

struct SystemKeyEvent {
  BYTE virtualKey;
  DWORD flags;
};

bool allKeysCaptured();
// Keys handed to the system so far, oldest first; taking them empties the list.
std::vector<SystemKeyEvent> takeSystemKeyEvents();

}  // namespace wince
