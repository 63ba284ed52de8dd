// The other characters of a room: they stand, animate, speak, follow what
// they are bound to, walk where scripts send them and can be talked to.
#include "game/world/cActorNPC.h"

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "runtime/lang/Arrays.h"

namespace {

// The sprite whose people block the full height of their frame.
constexpr int32_t tallCharacterSprite = 22;

}  // namespace

void cActorNPC::reset() {
  direction = DirectionMask::DOWN;
  signX = 1;
  signY = 1;
  moveMode = 0;
  for (int32_t& work : npcWork) work = 0;
  speedX = 0;
  speedY = 0;
  walkWork = 0;
  brakeFrames = 0;
  cornerAssisted = false;
  setMode(0);
}

bool cActorNPC::canTalkTo(cActor* actor) {
  if (actor == nullptr || interactBox == nullptr || moveMode != 0) return false;
  if (isActive() && (talkEvent < 0 || (talkMode != 0 && talkMode != 1))) {
    if (talkEvent < 1 || talkMode != 3) return false;
  }
  return cGame::boxesOverlap(interactBox, this, actor->footprint, actor);
}

void cActorNPC::kill() {
  if (player != nullptr && player->sprite != nullptr) {
    const bool fullHeight = player->sprite == shell::spriteAt(tallCharacterSprite);
    cGame::markSpriteBox(this, player->sprite, standAnim, getPixelX(), getPixelY(), fullHeight, 1);
  }
  clearFootprintBlocking();
  flags |= ActorFlags::KILLED;
  hp = 0;
}

void cActorNPC::update() {
  if (!beginUpdate() || !isActive()) return;
  stepMode();
  stepMove(direction, speedX * 140, speedY * 140, 3584);
  followBoundActor();
}

void cActorNPC::paint() {
  if (isKilled() || hasFlag(ActorFlags::HIDDEN)) return;
  cGamePlayStatics& play = worldStatics().cGamePlay;
  screenX = getPixelX() - play.cameraPixelX;
  screenY = getPixelY() - play.cameraPixelY;
  if (player != nullptr && isOnScreen()) {
    const bool highlighted = param(1) != 0;
    if (highlighted) play.highlightPresent = true;
    if (player->sprite != nullptr) player->sprite->setPalette(palette);
    paintPulsing(highlighted);
  }
  repaintOccludingTiles();
}
