#include "wince/backend/sdl_keys.h"

#include <SDL_keycode.h>

namespace wince::backend {

DWORD virtualKeyFromSdl(int32_t sdlKey) {
  if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) return DWORD('A' + (sdlKey - SDLK_a));
  if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) return DWORD('0' + (sdlKey - SDLK_0));
  if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12) return DWORD(0x70 + (sdlKey - SDLK_F1));
  if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9) return DWORD(0x61 + (sdlKey - SDLK_KP_1));
  switch (sdlKey) {
    case SDLK_KP_0: return 0x60;
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_TAB: return 0x09;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 0x0D;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 0x11;
    case SDLK_LALT:
    case SDLK_RALT: return 0x12;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_SPACE: return 0x20;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    case SDLK_LGUI: return 0x5B;
    case SDLK_RGUI: return 0x5C;
    default: return 0;
  }
}

}  // namespace wince::backend
