// The staged barrier of kind 13 (a breakable object among them): each time
// its animation ends it takes the stage it was asked for. params: [1]
// current animation, [2] current stage, [3] wanted stage; stage 2 is open.
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t openStage = 2;
constexpr int32_t openAnimation = 50;

}  // namespace

void cActor::updateStagedBarrier() {
  // A barrier without params has no stages: both read as 0.
  if (param(2) == param(3) || !isAnimationEnded()) return;
  setParam(2, param(3));
  if (param(2) == openStage) {
    setParam(1, openAnimation);
    cGame::stampFootprint(this, 1, 4, false);
  } else {
    setParam(1, param(1) + 2);
  }
  setAnim(param(1), -1);
}

namespace {

constexpr int32_t brokenAnimation = 18;
constexpr int32_t breakSound = 21;
constexpr int32_t blowDamage = 5;

bool isSmallBreakable(int32_t anim) { return anim >= 31 && anim <= 33; }

}  // namespace

void cActor::initBreakable(int32_t anim) {
  if (params == nullptr) {
    params = newIntArray(4);
    paramCount = 4;
  }
  setParam(1, anim);
  setParam(2, 0);
  setParam(3, 0);
  hp = isSmallBreakable(anim) ? 5 : 50;
}

void cActor::hitBreakable() {
  // A blow counts only once the last stage change has played out.
  if (param(3) != param(2) || param(2) == openStage) return;
  hp -= blowDamage;
  if (hp < 1) {
    breakObject();
  } else if (hp < 50) {
    setParam(3, 1);
  }
  if (param(3) < openStage) setAnim(param(1) + 1, 1);
}

void cActor::breakObject() {
  if (param(2) == openStage) return;
  setParam(3, openStage);
  setParam(1, brokenAnimation);
  setAnim(brokenAnimation, 1);
  cGame::playSound(breakSound, false);
}
