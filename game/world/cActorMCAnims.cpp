// Which animation each state shows, for each partner, by facing; and the
// animations of the attack codes.
#include "game/GameStatics.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"

namespace {

constexpr int32_t endless = -1;
constexpr int32_t once = 1;

struct AnimChoice {
  int32_t anim;
  int32_t loops;
};

int32_t facingIndexOf(int32_t mask) {
  if ((mask & DirectionMask::UP) != 0) return 0;
  if ((mask & DirectionMask::DOWN) != 0) return 2;
  if ((mask & DirectionMask::LEFT) != 0) return 1;
  if ((mask & DirectionMask::RIGHT) != 0) return 3;
  return 2;
}

int32_t rightOf(int32_t mask) {
  if ((mask & DirectionMask::LEFT) != 0) return 0;
  return (mask & (DirectionMask::RIGHT | DirectionMask::UP | DirectionMask::DOWN)) != 0 ? 1 : 0;
}

int32_t aimIndex() { return cActorMC::facingIndexOfCode(worldStatics().cActorMC.aimCode); }

}  // namespace

bool cActorMC::isAnimEnded() const {
  if (player == nullptr || player->isAnimOver()) return true;
  // An animation without frames never advances: it counts as played out,
  // so that no state waits on it for ever.
  return player->loops >= 0 && player->getAFrameCount() <= 0;
}

void cActorMC::playStateAnim(int32_t s, int32_t mask) {
  const int32_t f = facingIndexOf(mask);
  const int32_t r = rightOf(mask);
  AnimChoice choice{f, endless};
  switch (s) {
    case 3: case 18: case 21: choice = {12 + f, endless}; break;
    case 4: choice = {4 + f, endless}; break;
    case 12: choice = {18 + r, endless}; break;
    case 8: choice = {getActionAnim(), actionCode == 199 ? endless : once}; break;
    case 9: choice = {16 + r, endless}; break;
    case 10: choice = {76 + f, endless}; break;
    case 11: choice = {(actionCode != 0 ? 72 : 80) + f, endless}; break;
    case 13: choice = {38 + r, once}; break;
    // The defeat plays through once and stays down, so its end can open
    // what follows the defeat.
    case 14: choice = {42 + r, once}; break;
    case 15: choice = {40 + r, once}; break;
    case 100: {
      const int32_t base = actionCode == 1 ? 34 : actionCode == 2 ? 38 : 36;
      choice = {base + r, once};
      break;
    }
    case 103: choice = {54 + r, once}; break;
    case 107: choice = {100 + r, once}; break;
    case 108: choice = {102 + r, endless}; break;
    case 109: choice = {104 + r, endless}; break;
    case 110: choice = {106 + r, once}; break;
    default: break;
  }
  if (choice.anim == lastAnim && choice.loops == lastAnimLoops) return;
  lastAnim = choice.anim;
  lastAnimLoops = choice.loops;
  setAnim(choice.anim, choice.loops);
}

void cActorMC::playStateAnimAlt(int32_t s, int32_t mask) {
  const int32_t f = facingIndexOf(mask);
  const int32_t r = rightOf(mask);
  AnimChoice choice{f, endless};
  switch (s) {
    case 3: case 18: case 4: case 12: choice = {8 + f, endless}; break;
    case 21: {
      int32_t vector = 0;
      if (param(0) > 0) vector |= DirectionMask::RIGHT;
      else if (param(0) < 0) vector |= DirectionMask::LEFT;
      if (param(1) > 0) vector |= DirectionMask::DOWN;
      else if (param(1) < 0) vector |= DirectionMask::UP;
      choice = {8 + (vector != 0 ? facingIndexOf(vector) : f), endless};
      break;
    }
    case 6: case 24: choice = {14 + aimIndex(), endless}; break;
    case 7: choice = {18 + aimIndex(), endless}; break;
    case 22: choice = {22 + aimIndex(), once}; break;
    case 8: choice = {12 + r, once}; break;
    case 13: choice = {28 + r, once}; break;
    case 14: choice = {30 + r, once}; break;
    case 15: choice = {32 + r, once}; break;
    case 100: choice = {26 + r, once}; break;
    case 103: choice = {f, once}; break;
    default: break;
  }
  if (choice.anim == lastAnim && choice.loops == lastAnimLoops) return;
  lastAnim = choice.anim;
  lastAnimLoops = choice.loops;
  setAnim(choice.anim, choice.loops);
}

void cActorMC::playCurrentStateAnim() {
  if (partnerIndex == 1) playStateAnimAlt(state, facing);
  else playStateAnim(state, facing);
}

int32_t cActorMC::getActionAnim() {
  const int32_t h = (facing & DirectionMask::LEFT) != 0 ? 0 : 4;
  const int32_t r = rightOf(facing);
  switch (actionCode) {
    case 199: return 16 + r;
    case 200: case 201: case 202: case 203: return 20 + (actionCode - 200) + h;
    case 204: return 28 + r;
    case 205: return 60 + r;
    case 300: return 16 + r;
    default: return h;
  }
}
