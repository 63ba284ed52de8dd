// Two one-shot markers: the snapshot trigger of kind 65, which keeps the
// room as it is when the focus character first reaches it, and the emitter
// of kind 68, which starts an effect once it comes on screen.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"

void cActor::updateSnapshotTrigger() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (isNotActive() || focus == nullptr) return;
  if (!cGame::boxesOverlap(interactBox, this, focus->footprint, focus)) {
    setFlag(ActorFlags::KIND_STATE, false);
    return;
  }
  if (hasFlag(ActorFlags::KIND_STATE)) return;
  setFlag(ActorFlags::KIND_STATE, true);
  kill();
  storyStatics().cGameCountdown.snapshotBonusSeconds = param(0);
  cGame::snapshotRoomState(false, -1);
}

void cActor::updateEmitter() {
  if (isNotActive() || !isOnScreen()) return;
  cGame::spawnEffect(16 + param(0), param(1), param(2), getPixelX(), param(3) != 0);
  kill();
}
