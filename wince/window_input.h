#pragma once
// Input that reaches the program's window from outside: the back ends and the
// test driver both come through here, so both see the same messages.
#include "wince/types.h"

namespace wince {

// Pen: WM_LBUTTONDOWN, WM_MOUSEMOVE or WM_LBUTTONUP at logical coordinates.
void deliverPen(UINT message, int x, int y);
// A key with its virtual-key code. With imeVirtualKey set the message carries
// VK_PROCESSKEY and ImmGetVirtualKey answers imeVirtualKey.
void deliverKey(DWORD virtualKey, bool down, DWORD imeVirtualKey = 0);
// The host gave the window the focus or took it away.
void deliverFocus(bool gained);
// The host asked the window to close (WM_CLOSE).
void deliverClose();
// The display settings changed (WM_SETTINGCHANGE to every top-level window).
void deliverSettingChange();

}  // namespace wince
