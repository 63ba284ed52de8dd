#include "wince/backend/sdl_keys.h"

#include <SDL_keycode.h>

namespace wince::backend {

namespace {

struct KeyPair {
  int32_t sdlKey;
  DWORD virtualKey;
};

constexpr KeyPair singleKeys[] = {
    {SDLK_KP_0, 0x60},   {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},    {SDLK_RETURN, 0x0D}, {SDLK_KP_ENTER, 0x0D},
    {SDLK_LSHIFT, 0x10}, {SDLK_RSHIFT, 0x10},    {SDLK_LCTRL, 0x11},  {SDLK_RCTRL, 0x11},  {SDLK_LALT, 0x12},
    {SDLK_RALT, 0x12},   {SDLK_ESCAPE, 0x1B},    {SDLK_SPACE, 0x20},  {SDLK_PAGEUP, 0x21}, {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},    {SDLK_HOME, 0x24},      {SDLK_LEFT, 0x25},   {SDLK_UP, 0x26},     {SDLK_RIGHT, 0x27},
    {SDLK_DOWN, 0x28},   {SDLK_INSERT, 0x2D},    {SDLK_DELETE, 0x2E}, {SDLK_LGUI, 0x5B},   {SDLK_RGUI, 0x5C},
};

}  // namespace

DWORD virtualKeyFromSdl(int32_t sdlKey) {
  if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) return DWORD('A' + (sdlKey - SDLK_a));
  if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) return DWORD('0' + (sdlKey - SDLK_0));
  if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12) return DWORD(0x70 + (sdlKey - SDLK_F1));
  if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9) return DWORD(0x61 + (sdlKey - SDLK_KP_1));
  for (const KeyPair& pair : singleKeys)
    if (pair.sdlKey == sdlKey) return pair.virtualKey;
  return 0;
}

}  // namespace wince::backend
