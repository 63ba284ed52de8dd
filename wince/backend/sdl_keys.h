#pragma once
// The host keyboard's keys as the device's virtual-key codes.
#include <cstdint>

#include "wince/types.h"

namespace wince::backend {

// 0 for keys the device has no code for. sdlKey is an SDL_Keycode.
DWORD virtualKeyFromSdl(int32_t sdlKey);

}  // namespace wince::backend
