// The spawners (kind 24): small behaviours chosen by p0 that rush at or drop
// toward the focus character, throw or drop kind-25 objects, make one
// behaviour machine, or slide sideways; most of them end at the focus
// character's first touch. The side-view ones are in
// cActorKindSideViewSpawners.cpp.
#include "game/world/SpawnerSteps.h"
#include "platform/java_lang/java_lang_System.h"

using namespace spawner;

namespace {

constexpr int32_t launcherSpeed = 2048;
constexpr int32_t fallerSpeed = 2048;
constexpr int32_t dropperSpeed = 3072;
constexpr int32_t dropLift = 80 * px;  // a dropped object starts this far up
constexpr int32_t thrownSprite = 28;
constexpr int32_t droppedSprite = 16;
constexpr int32_t machineSprite = 40;

IntArray* position(int32_t x, int32_t y, int32_t z) {
  IntArray* at = newIntArray(3);
  if (at == nullptr) return nullptr;
  at->set(0, x);
  at->set(1, y);
  at->set(2, z);
  return at;
}

void copyBox(IntArray* from, cActor* to, bool trigger) {
  if (from == nullptr || from->length() < 4) return;
  if (trigger) to->setTriggerBox(from->get(0), from->get(1), from->get(2), from->get(3));
  else to->setInteractBox(from->get(0), from->get(1), from->get(2), from->get(3));
}

void runLauncher(cActor* self, cActorMC* focus) {
  if (self->launchState == 0) {
    if (self->isAnimationEnded()) self->setAnim(self->param(8), endless);
    if (contact(self->triggerBox, self, focus)) {
      self->launchState = 1;
      self->setAnim(self->param(2) >= 0 ? 44 : 43, endless);
    }
    return;
  }
  const int32_t step = 2 * scaledStep(launcherSpeed, 32);
  self->setX(self->x + (self->param(2) >= 0 ? step : -step));
}

void runFaller(cActor* self) {
  self->setY(self->y + scaledStep(fallerSpeed, 32));
  if (self->isAnimationEnded()) self->setAnim(self->param(8), endless);
}

// Each drop waits for the spawn animation p8 to play out; a new one starts
// once p3 ms have passed since the last drop.
void runThrower(cActor* self) {
  if (!self->isAnimationEnded()) return;
  const int64_t now = java_lang_System::currentTimeMillis();
  if (self->spawnReady) {
    self->lastSpawnTime = now;
    const int32_t top = rounded(self->y) - dropLift;
    if (cActor* thrown = makeSpawned(self, rounded(self->x), top, rounded(self->y), thrownSprite, spawner::thrown)) {
      thrown->setAnim(2, endless);
    }
    self->spawnReady = false;
  }
  if (now - self->lastSpawnTime < self->param(3)) {
    if (self->param(2) == -1) self->setAnim(1, once);
    else if (self->param(2) == 1) self->setAnim(3, once);
  } else {
    self->setAnim(self->param(8), once);
    self->spawnReady = true;
  }
}

void runMachineMaker(cActor* self) {
  if (self->childMade) return;
  int32_t y = rounded(self->y);
  if (self->kindState != sub::idleMachine && self->param(6) == 0) y = (self->getPixelY() << 8) + belowView;
  IntArray* at = position(rounded(self->x), y, 0);
  cActor* machine = at != nullptr ? cActor::create(ActorKind::BEHAVIOUR_MACHINE, 0, at) : nullptr;
  if (machine == nullptr) return;
  machine->setSprite(shell::spriteAt(machineSprite));
  machine->setAnim(0, once);
  copyBox(self->interactBox, machine, false);
  copyBox(self->triggerBox, machine, true);
  machine->setParams(self->params, 9);
  machine->hp = self->hp;
  machine->reset();
  self->childMade = true;
  if (self->kindState == sub::idleMachine) worldStatics().cGamePlay.sideViewTarget = machine;
}

void runDropper(cActor* self) {
  self->setY(self->y + scaledStep(dropperSpeed, 32));
  if (!self->isAnimationEnded()) return;
  self->setAnim(self->param(8), once);
  const int32_t top = rounded(self->y) - dropLift;
  if (cActor* dropped = makeSpawned(self, rounded(self->x), top, -self->getPixelY(), droppedSprite, resting)) {
    dropped->palette = 1;
    dropped->setAnim(71, once);
  }
}

void runSlider(cActor* self, cActorMC* focus) {
  if (self->isAnimationEnded()) self->setAnim(self->param(8), once);
  if (contact(self->interactBox, self, focus)) self->spawnerMoving = false;
  else if (contact(self->triggerBox, self, focus)) self->spawnerMoving = true;
  // Narrowed as the device's 32-bit arithmetic would wrap.
  if (self->spawnerMoving) {
    self->setX(static_cast<int32_t>(self->x + int64_t{speedStep(self->param(1))} * self->param(2)));
  }
}

// The focus character's touch ends the spawner; the side-view ones end by
// their own sequences.
void runContactEnd(cActor* self, cActorMC* focus) {
  const int32_t kind = self->kindState;
  if (kind == sub::seizer || kind == sub::catcher || kind == sub::riser) return;
  if (self->spawnerStatus == finished || !contact(self->interactBox, self, focus)) return;
  if (kind == sub::faller) {
    playSound(22);
    startHurt(focus);
  }
  if (kind == sub::launcher || kind == sub::faller || kind == sub::thrower) {
    if (kind != sub::faller) playSound(16);
    const bool falls = kind == sub::faller;
    if (focus->dirX == -1) show(self, falls ? 89 : 13);
    else if (focus->dirX == 1) show(self, falls ? 88 : 12);
    else show(self, falls ? 146 : 70);
    countResult();
  } else if (kind == sub::dropper) {
    playSound(21);
    show(self, 69);
    startHurt(focus);
  } else if (kind == sub::slider) {
    playSound(21);
    show(self, 73);
    startHurt(focus);
  } else if (kind == sub::hurtingSlider) {
    show(self, 22);
    startHurt(focus);
    focus->takeDamage(60);
  }
  self->spawnerStatus = finished;
  self->setFlag(ActorFlags::KIND_STATE, true);
}

bool inRange(cActor* self) {
  const int32_t kind = self->kindState;
  if (kind == sub::catcher || kind == sub::riser || kind == sub::hurtingSlider) {
    return self->y >= cameraY() && self->y <= cameraY() + 1440 * px;
  }
  return self->isOnScreen();
}

}  // namespace

cActor* spawner::makeSpawned(cActor* spawner, int32_t x, int32_t y, int32_t z, int32_t sprite, int32_t mode) {
  IntArray* at = position(x, y, z);
  cActor* object = at != nullptr ? cActor::create(ActorKind::SPAWNED, 0, at) : nullptr;
  if (object == nullptr) return nullptr;
  object->setSprite(shell::spriteAt(sprite));
  object->setParams(spawner->params, 9);
  // The spawned object's mode, state, frame counter and, thrown, the height
  // it started from.
  object->spawnedMode = static_cast<int8_t>(mode);
  object->spawnedState = 0;
  object->spawnedFrames = 0;
  if (mode == thrown) object->startHeight = object->y;
  return object;
}

void cActor::updateSpawner() {
  if (isKilled() || spawnerStatus == finished || isNotActive()) return;
  // Rooms with spawners have a focus character; without one there is
  // nothing to act on.
  cActorMC* focus = focusCharacter();
  if (focus == nullptr) return;
  if (!inRange(this)) return;
  if (focus->state == defeatedState && kindState != sub::seizer) return;
  // The update pass has animated it already: while it acts it runs at
  // double speed.
  animate();
  if (hasFlag(ActorFlags::KIND_STATE) && isAnimationEnded()) kill();
  switch (kindState) {
    case sub::launcher:
      runLauncher(this, focus);
      break;
    case sub::faller:
      runFaller(this);
      break;
    case sub::thrower:
      runThrower(this);
      break;
    case sub::machineA:
    case sub::idleMachine:
    case sub::machineB:
      runMachineMaker(this);
      break;
    case sub::dropper:
      runDropper(this);
      break;
    case sub::seizer:
      runSeizer(this, focus);
      break;
    case sub::catcher:
      runCatcher(this, focus);
      break;
    case sub::riser:
      runRiser(this, focus);
      break;
    case sub::slider:
    case sub::hurtingSlider:
      runSlider(this, focus);
      break;
    default:  // 6, 10 and unknown values only end at a touch
      break;
  }
  runContactEnd(this, focus);
}

cActor* cGame::sideViewTarget() { return worldStatics().cGamePlay.sideViewTarget; }
