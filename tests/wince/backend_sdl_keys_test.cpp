#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include "wince/backend/sdl_keys.h"

namespace {

TEST(SdlKeys, HostKeysBecomeTheDevicesVirtualKeys) {
  const std::pair<SDL_Keycode, DWORD> table[] = {
      {SDLK_a, 0x41},      {SDLK_z, 0x5A},      {SDLK_0, 0x30},         {SDLK_9, 0x39},      {SDLK_F1, 0x70},
      {SDLK_F6, 0x75},     {SDLK_F7, 0x76},     {SDLK_F12, 0x7B},       {SDLK_RETURN, 0x0D}, {SDLK_KP_ENTER, 0x0D},
      {SDLK_ESCAPE, 0x1B}, {SDLK_HOME, 0x24},   {SDLK_LEFT, 0x25},      {SDLK_UP, 0x26},     {SDLK_RIGHT, 0x27},
      {SDLK_DOWN, 0x28},   {SDLK_LGUI, 0x5B},   {SDLK_RGUI, 0x5C},      {SDLK_KP_0, 0x60},   {SDLK_KP_9, 0x69},
      {SDLK_SPACE, 0x20},  {SDLK_LSHIFT, 0x10}, {SDLK_BACKSPACE, 0x08}, {SDLK_MENU, 0},      {SDLK_F13, 0},
  };
  for (const auto& [hostKey, virtualKey] : table)
    EXPECT_EQ(wince::backend::virtualKeyFromSdl(hostKey), virtualKey) << "SDL key " << hostKey;
}

}  // namespace
