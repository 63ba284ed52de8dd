#pragma once
// What the spawners' behaviours share: their sub-kinds, the focus character
// they act on, the per-frame distances and the small effects on the focus
// character. The side-view spawners (seizer, catcher, riser) live apart
// from the others.
#include <cstdint>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"

namespace spawner {

namespace sub {
constexpr int32_t launcher = 0;
constexpr int32_t faller = 1;
constexpr int32_t thrower = 2;
constexpr int32_t machineA = 3;
constexpr int32_t idleMachine = 4;
constexpr int32_t dropper = 5;
constexpr int32_t seizer = 7;
constexpr int32_t machineB = 8;
constexpr int32_t catcher = 9;
constexpr int32_t riser = 11;
constexpr int32_t slider = 12;
constexpr int32_t hurtingSlider = 13;
}  // namespace sub

constexpr int32_t finished = 104;
constexpr int32_t defeatedState = 14;
constexpr int32_t px = 256;  // one pixel in 24.8
constexpr int32_t once = 1;
constexpr int32_t endless = -1;
constexpr int32_t viewHeight = 480 * px;
constexpr int32_t belowView = 720 * px;  // where risers and lifted machines start
constexpr int32_t hurtMillis = 1000;
constexpr int32_t resultSlot = 3;

// Spawned-object modes.
constexpr int32_t thrown = cActor::SPAWNED_THROWN;
constexpr int32_t latching = cActor::SPAWNED_LATCHING;
constexpr int32_t resting = cActor::SPAWNED_STATIC;

// The focus character, when it is a player character.
inline cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0 ? static_cast<cActorMC*>(focus)
                                                                               : nullptr;
}

inline int32_t timeStep() { return shellStatics().cGameLoop.timeStep; }
inline int32_t cameraY() { return worldStatics().cGameCamera.cameraY; }
inline int32_t cameraPixelY() { return (cameraY() + 128) >> 8; }

// timeStep x speed x 32 / 1000 toward zero, in 64 bits so that any speed the
// level data can hold stays in range.
inline int32_t scaledStep(int32_t speed, int32_t factor) {
  return static_cast<int32_t>(int64_t{timeStep()} * speed * factor / 1000);
}
// The camera's scroll of this frame.
inline int32_t carry() { return scaledStep(worldStatics().cGameCamera.sideViewSpeed, 32); }
// step(p1) of the moving sub-kinds.
inline int32_t speedStep(int32_t p1) { return scaledStep(p1, 8192); }

// Whole pixels kept in 24.8.
inline int32_t rounded(int32_t v) { return (v + 128) & ~0xFF; }

inline bool outsideView(const cActor* actor) {
  return actor->y < cameraY() || actor->y > cameraY() + viewHeight;
}

// The box of the actor, placed at it, meets the focus character's footprint.
inline bool contact(IntArray* box, cActor* actor, cActorMC* focus) {
  return cGame::boxesOverlap(box, actor, focus->footprint, focus);
}

// Plays n unless it is still running.
inline void show(cActor* actor, int32_t anim, int32_t loops = once) {
  if (actor->player != nullptr) actor->player->setAnim(anim, loops);
}

// The damage itself is the focus character's own to take.
inline void startHurt(cActorMC* focus) {
  focus->hurtTime = hurtMillis;
  focus->hurt = true;
}

inline void countResult() {
  IntArray* results = shellStatics().cGameShared.results;
  if (results != nullptr && resultSlot < results->length()) results->set(resultSlot, results->get(resultSlot) + 1);
}

inline int32_t footprintValue(const cActor* actor, int32_t i) {
  return actor->footprint != nullptr && i < actor->footprint->length() ? actor->footprint->get(i) : 0;
}

inline void playSound(int32_t id) { cGame::playSound(id, false); }

// A kind-25 object at {x, y, z} with the spawner's first nine params, in the
// given mode; null when none could be made.
cActor* makeSpawned(cActor* spawner, int32_t x, int32_t y, int32_t z, int32_t sprite, int32_t mode);

void runSeizer(cActor* seizer, cActorMC* focus);
void runCatcher(cActor* catcher, cActorMC* focus);
void runRiser(cActor* riser, cActorMC* focus);

}  // namespace spawner
