// The animation a creature shows for its state, by behaviour type: the
// ordinary creature's table (shifted by its animation base), the leader's
// and the caller's.
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"

namespace {

constexpr int32_t once = 1;
constexpr int32_t looping = -1;

// Up 0, left 1, down 2, right 3; none counts as up.
int32_t directionIndex(int32_t mask) {
  if ((mask & DirectionMask::UP) == DirectionMask::UP) return 0;
  if ((mask & DirectionMask::LEFT) == DirectionMask::LEFT) return 1;
  if ((mask & DirectionMask::DOWN) == DirectionMask::DOWN) return 2;
  if ((mask & DirectionMask::RIGHT) == DirectionMask::RIGHT) return 3;
  // The single keypad bits a scripted move sets.
  if ((mask & 0x400) != 0) return 0;
  if ((mask & 0x1000) != 0) return 1;
  if ((mask & 0x800) != 0) return 2;
  if ((mask & 0x2000) != 0) return 3;
  return 0;
}

}  // namespace

void cActorEnemy::playAnimation(int32_t anim, int32_t loops) {
  if (anim == lastAnim && loops == lastAnimLoops) return;
  lastAnim = anim;
  lastAnimLoops = loops;
  setAnim(anim, loops);
}

void cActorEnemy::applyBehaviour() {
  int32_t loops = looping;
  const int32_t anim = chooseAnimation(loops);
  if (anim < 0) return;
  playAnimation(anim, loops);
}

// -1 leaves the animation as it is.
int32_t cActorEnemy::chooseAnimation(int32_t& loops) {
  const int32_t f = isFacingRight(direction) ? 1 : 0;
  const int32_t d = directionIndex(direction);
  loops = looping;
  switch (behaviourType()) {
    case LEADER:
      switch (state) {
        case 1: case 5: return f + 4;
        case 6: loops = once; return f + 12;
        case 10: loops = once; return f + 6;
        case 11: return f + 38;
        case 12: return f + 36;
        case 16: loops = once; return f + 24;
        case 99:
          if (subState == 0) {
            loops = once;
            return f + 28;
          }
          return f + 30;
        case 100:
          loops = once;
          return f + (subState == 7 ? 28 : subState == 6 ? 32 : subState == 8 ? 12 : 10);
        case 102: loops = once; return f + 12;
        case 103: loops = once; return f + 14;
        case 104: case 666: return f + 16;
        default: return d;
      }
    case CALLER:
      switch (state) {
        case 1: case 5: return f + 4;
        case 26:
          if (subState == 0) return f + 4;
          if (subState == 2) return 1;
          loops = once;
          return 10;
        case 102: case 103: loops = once; return d;
        case 108: return 1;
        case 100: return -1;
        default: return d;
      }
    default:
      break;
  }
  const bool wearing = wearsOut();
  const int32_t base = param(8);
  int32_t anim = d;
  switch (state) {
    case 1: anim = wearing ? f + 43 : d + 4; break;
    case 3: case 4: anim = wearing ? f + 43 : d + 20; break;
    case 5: case 22:
      anim = wearing ? f + 43 : walkSpeed == 120 ? d + 20 : walkSpeed != 0 ? f + 26 : d;
      break;
    case 9: case 12: case 25: anim = wearing ? f + 43 : f + 24; break;
    case 10: loops = once; anim = getStateAnim(direction); break;
    case 15: anim = f + 41; break;
    case 21: loops = once; anim = d + 45; break;
    case 23:
      if (subState == 0) anim = useVariant + 59;
      else anim = ((direction & (DirectionMask::LEFT | DirectionMask::RIGHT | DirectionMask::DOWN)) != 0 ? 1 : 0) + 55;
      break;
    case 98: anim = d + 20; break;
    case 100:
      loops = once;
      switch (subState) {
        case 1: case 11: anim = f + 10; break;
        case 3: case 9: anim = f + 36; break;
        case 4: anim = (isFacingRight(pushDirection) ? 1 : 0) + 39; break;
        case 10: anim = f + 12; break;
        default: anim = f + 8; break;
      }
      break;
    case 102: loops = once; anim = subState == 1 ? f + 66 : f + 12; break;
    case 103: loops = once; anim = f + 14; break;
    case 104: anim = subState == 1 ? f + 16 : f + 18; break;
    case 106: return -1;
    case 107: anim = f + 57; break;
    case 666:
      anim = subState == 1 ? f + 16 : subState == 2 ? f + 18 : f;
      if (wearing && markerPlayer != nullptr && markerPlayer->anim != 1) {
        markerPlayer->setAnim(1, once);
      }
      break;
    default: break;
  }
  return anim + base;
}
