// What a room load calls of the world and the story before those land. Each
// body is the part's stand-in until its own file replaces it; the level
// data's readers only step past their data.
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"
#include "game/world/cActorMC.h"

// The story's animation player (slot 34, animation 16).
void cGame::keepRoomAnimationPlayer(CVLibPlayer*) {}
// The 13-byte block of story flags.
void cGame::clearStoryFlagBlock() {}
