// Blocks the focus character holds: where the character stands beside one,
// and letting go. params[4] is the side the block is handled from (1 left,
// 2 right, 4 above, 8 below); params[0] is set while it is held.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "runtime/object/Object.h"

namespace {

constexpr int32_t pushSound = 20;

void placeAtSide(cActor* block, cActor* other, int32_t aboveDy, int32_t belowDy) {
  if (other == nullptr) return;
  switch (block->param(4)) {
    case 1:
      other->setX(block->x - (60 << 8));
      other->setY(block->y - (8 << 8));
      break;
    case 2:
      other->setX(block->x + (60 << 8));
      other->setY(block->y - (8 << 8));
      break;
    case 4:
      other->setX(block->getPixelX() << 8);
      other->setY(block->y + (aboveDy << 8));
      break;
    case 8:
      other->setX(block->getPixelX() << 8);
      other->setY(block->y + (belowDy << 8));
      break;
    default:
      break;
  }
}

}  // namespace

void cActor::placeBeside(cActor* other) { placeAtSide(this, other, -20, 20); }

void cActor::placeBesideFar(cActor* other) { placeAtSide(this, other, -40, 16); }

bool cActor::releaseHold() {
  if (param(0) == 0) return false;
  setParam(0, 0);
  cActor* focus = worldStatics().cGamePlay.focusActor;
  placeBesideFar(focus);
  if (focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0) {
    auto* character = static_cast<cActorMC*>(focus);
    if (character->state != 0) character->setState(0);
  }
  cGame::stopSound(pushSound);
  return true;
}
