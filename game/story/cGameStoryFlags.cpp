// What a room's start makes for the story: the started flag, the 13-int
// table, the looping animation player and the block of story flags.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "runtime/lang/Arrays.h"

namespace {

cGameStoryFlagsStatics& flags() { return storyStatics().cGameStoryFlags; }

}  // namespace

void cGame::resetStoryFlags() {
  cGameStoryFlagsStatics& state = flags();
  state.roomStarted = true;
  state.roomTable = newIntArray(cGameStoryFlagsStatics::tableSize);
}

void cGame::keepRoomAnimationPlayer(CVLibPlayer* player) { flags().roomAnimationPlayer = player; }

void cGame::clearStoryFlagBlock() {
  cGameStoryFlagsStatics& state = flags();
  if (state.storyFlagBlock == nullptr) state.storyFlagBlock = newByteArray(cGameStoryFlagsStatics::tableSize);
  if (ByteArray* block = state.storyFlagBlock) {
    for (int32_t i = 0; i < block->length(); ++i) block->set(i, 0);
  }
}
