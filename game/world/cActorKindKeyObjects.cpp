// The key-operated object of kind 64: a machine that runs once it is armed
// (by the action key at it, or by a trigger), shifts a block of the
// collision map aside and back, and rests again. params: [0] resting,
// [4] starting, [5] running and [6] stopping animation; [1] state; [2] 1:
// armed by the action key; [3] what the step back does; [7] ms it runs
// (negative: for ever), [8] the id the step back uses; [9] camera bits
// (1: watch it start, 2: watch it stop); [10] 1: the camera shakes;
// [11] ms run.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "runtime/object/Object.h"

namespace {

constexpr int32_t blockBit = 4;
constexpr int32_t cellSize = 32;
// The block steps two cells to the right of its place.
constexpr int32_t shiftPixels = 2 * cellSize;
constexpr int32_t panMs = 500;
constexpr int32_t shakeMs = 10000;

cActor* focusActor() { return worldStatics().cGamePlay.focusActor; }

cActorMC* focusCharacter() {
  cActor* focus = focusActor();
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

// The footprint stamped or cleared as if the object stood shiftPixels
// further right; the object itself does not move.
void stampShifted(cActor* object, int32_t mode) {
  const int32_t x = object->x;
  object->x = x + (shiftPixels << 8);
  cGame::stampFootprint(object, mode, blockBit, false);
  object->x = x;
}

// A focus character caught inside the block hops out to where it came from.
void hopOutOfBlock(int32_t px, int32_t py) {
  cActorMC* character = focusCharacter();
  if (character != nullptr && cGame::isBlockedAt(character->getPixelX(), character->getPixelY(), blockBit)) {
    character->startHop(px, py);
  }
}

}  // namespace

void cActor::updateKeyObject() {
  switch (param(1)) {
    case 0:
      if (param(2) == 1) {
        cActor* focus = focusActor();
        if (focus != nullptr && cGame::boxesOverlap(focus->footprint, focus, interactBox, this) &&
            (cGame::isKeyPressed(5) || cGame::isKeyPressed(11))) {
          setFlag(ActorFlags::ACTIVE, true);
        }
      } else if (isActive()) {
        setKeyObjectState(1);
      }
      break;
    case 1:
      if (isAnimationEnded()) setKeyObjectState(2);
      break;
    case 2:
      setParam(11, param(11) + shellStatics().cGameLoop.timeStep);
      if (param(7) >= 0 && param(11) > param(7)) setKeyObjectState(3);
      break;
    case 3:
      if (isAnimationEnded()) setKeyObjectState(0);
      break;
    default:
      break;
  }
}

void cActor::setKeyObjectState(int32_t n) {
  setParam(1, n);
  const bool shakes = param(10) == 1;
  switch (n) {
    case 0:
      setAnim(param(0), -1);
      if ((param(9) & 2) != 0) cGame::setCameraTarget(focusActor(), panMs);
      if (shakes) cGame::stopCameraShake();
      break;
    case 1:
      setAnim(param(4), 1);
      if ((param(9) & 1) != 0) cGame::setCameraTarget(this, panMs);
      if (shakes) cGame::startCameraShake(shakeMs, 1, 1, 40);
      break;
    case 2:
      shiftBlockBack();
      setParam(11, 0);
      setAnim(param(5), -1);
      if ((param(9) & 1) != 0) cGame::setCameraTarget(focusActor(), panMs);
      if (shakes) cGame::stopCameraShake();
      break;
    case 3:
      if ((param(9) & 2) != 0) cGame::setCameraTarget(this, panMs);
      shiftBlock();
      setAnim(param(6), 1);
      if (shakes) cGame::startCameraShake(shakeMs, 1, 1, 40);
      break;
    default:
      break;
  }
  deactivate();
}

void cActor::shiftBlock() {
  if (param(3) != 0) return;
  stampShifted(this, 1);
  cGame::stampFootprint(this, 0, blockBit, false);
  hopOutOfBlock(getPixelX() + shiftPixels, getPixelY() + 16);
}

void cActor::shiftBlockBack() {
  switch (param(3)) {
    case 0:
      cGame::stampFootprint(this, 1, blockBit, false);
      stampShifted(this, 0);
      hopOutOfBlock(getPixelX(), getPixelY() + 16);
      break;
    case 1:
      if (cActor* next = findByKindAndId(param(8), ActorKind::KEY_OBJECT)) next->activate();
      break;
    case 2:
      cGame::runAction(cGame::findActionById(param(8)));
      break;
    case 3:
      cGame::playCutscene(cGame::findCutscene(param(8)));
      break;
    default:
      break;
  }
}
