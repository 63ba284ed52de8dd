// The staged barrier of kind 13 (a breakable object among them): each time
// its animation ends it takes the stage it was asked for. params: [1]
// current animation, [2] current stage, [3] wanted stage; stage 2 is open.
#include "game/shell/cGame.h"
#include "game/world/cActor.h"

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
