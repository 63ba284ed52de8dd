#pragma once
// What a room's level data leaves for the later load steps: the tile-set
// byte of its header, the header's palette switch for the player's sprite,
// and the action the room starts with.
#include <cstdint>

struct cGameRoomStatics {
  int32_t roomSpriteSet;     // chooses the room's tile sprites (entries 6t + 2, 6t + 4, 6t + 6)
  bool roomAltPalette;       // palette 1 of the player's sprite
  int32_t startActionIndex;  // index into the action table, -1 none
};
