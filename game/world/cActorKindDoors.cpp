// The door of kind 60: locked until its key is used, then opening on the
// player's use; and the switch that a door with uses left offers to the
// focus character standing at it. params: [1] opening animation, [2] closed
// animation, [3] key item, [4]/[5] uses, [6] state (0 open, 1 opening,
// 2 closed, 3 closing), [7] hint text (negative: the default one).
#include "game/story/ItemFields.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "runtime/object/Object.h"
#include "runtime/lang/DebugLog.h"

namespace {

constexpr int32_t askUseItemText = 52;
constexpr int32_t lockedHintText = 62;
constexpr int32_t hintMs = 5000;
constexpr int32_t woodenDoorSound = 17;
constexpr int32_t gateSound = 19;

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

}  // namespace

bool cActor::useBarrier() {
  if (isNotActive()) {
    cActorMC* character = focusCharacter();
    const int32_t slot = character != nullptr ? character->findInventorySlot(param(3)) : -1;
    if (slot >= 0) {
      String* name = cGame::getText(cGame::getItemField(param(3), itemfield::name));
      cGame::openChoice(cGame::formatText1(cGame::getText(askUseItemText), name), 2, this, slot);
    } else if (param(7) >= 0) {
      shellStatics().cGameNotice.noticeY = 0;
      cGame::showHint(param(7), hintMs, false);
    } else {
      cGame::showHint(lockedHintText, hintMs, true);
    }
    return true;
  }
  if (player == nullptr) return false;
  if (param(6) == 2) {
    debugLog("cGame: door %d opens", id);
    setAnim(param(1), 1);
    setParam(6, 1);
    ASprite* sprite = player->sprite;
    if (sprite != nullptr && (sprite == shell::spriteAt(16) || sprite == shell::spriteAt(31))) {
      cGame::playSound(woodenDoorSound, false);
    } else if (sprite != nullptr && sprite == shell::spriteAt(32)) {
      cGame::playSound(gateSound, false);
    }
  }
  return true;
}

void cActor::updateBarrierSwitch() {
  if (isKilled()) return;
  switch (param(6)) {
    case 0:
    case 2:
      // A shut door's look runs on; an open one holds where its animation
      // ended: a door whose open look is its opening would otherwise show
      // that animation's first, shut frame again and again.
      if (player != nullptr && param(6) == 2) setAnim(player->anim, 1);
      if (param(6) == 0 && (param(4) >= 1 || param(5) >= 1) && touches(worldStatics().cGamePlay.focusActor)) {
        operateSwitch();
      }
      break;
    case 1:
      if (isAnimationEnded()) setBarrierOpen();
      break;
    case 3:
      if (isAnimationEnded()) setBarrierClosed();
      break;
    default:
      break;
  }
}

void cActor::operateSwitch() {
  if (isNotActive()) return;
  cActorMC* character = focusCharacter();
  if (character != nullptr && character->isHandlingBlock() && character->pushable != nullptr) {
    character->pushable->releaseHold();
  }
  // No text: the restart follows the closed bars at once.
  cGame::openCinematic(0, 0, -1);
  cGame::setCinematicObject(this);
}
