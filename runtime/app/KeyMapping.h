#pragma once
// The key codes the Displayable receives for the device's virtual keys, and
// the keys the system keeps for itself.
#include <cstdint>

// Enter, arrows, digits, F8 and F9 give -999 (no key); F1 and F2 the soft
// keys -6 and -7; every other key its virtual-key value.
int32_t mapVirtualKey(uint32_t virtualKey);
// Windows keys, F3, F4, Escape and Home: never handed to the game.
bool isSystemKey(int32_t code);
// F6 and F7 step the volume and never reach the game.
bool isVolumeKey(int32_t code);
