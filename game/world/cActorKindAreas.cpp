// The side-view scenes' areas: the contact area (kind 66), which hurts,
// trips or fells whatever runs into it as the view scrolls by, and the
// camera band (kind 67), which sets the view's limits and speed, wraps the
// view back while a chase goes on, and signals the focus character.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t px = 256;
constexpr int32_t defeatedState = 14;
constexpr int32_t trippedState = 113;
constexpr int32_t bandStopState = 106;
constexpr int32_t hurtMillis = 1000;
constexpr int32_t chaseCounter = 3;

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

cGameCameraStatics& camera() { return worldStatics().cGameCamera; }

void countChase() {
  IntArray* results = shellStatics().cGameShared.results;
  if (results != nullptr && chaseCounter < results->length()) results->set(chaseCounter, results->get(chaseCounter) + 1);
}

void startHurt(cActorMC* character) {
  character->hurtTime = hurtMillis;
  character->hurt = true;
}

bool withinView(int64_t y, int64_t top, int64_t bottom) { return y >= top && y <= bottom; }

// The frame rectangle without the position, sizes made positive.
IntArray* contactBoxOf(cActor* area) {
  IntArray* rect = area->getLocalFrameRect();
  if (rect == nullptr) return nullptr;
  const int32_t w = rect->get(2) - rect->get(0);
  const int32_t h = rect->get(3) - rect->get(1);
  rect->set(2, w < 0 ? -w : w);
  rect->set(3, h < 0 ? -h : h);
  return rect;
}

// "Once" effects act only while the area's own state bit is clear.
bool takeOnce(cActor* area) {
  if (area->hasFlag(ActorFlags::KIND_STATE)) return false;
  area->setFlag(ActorFlags::KIND_STATE, true);
  return true;
}

void contactWithCharacter(cActor* area, cActorMC* character) {
  switch (area->param(0)) {
    case 1:
      if (!takeOnce(area)) break;
      cGame::playSound(21, false);
      area->setAnim(area->param(7) + 1, 1);
      break;
    case 2:
      if (!takeOnce(area) || character->state == trippedState) break;
      area->setAnim(area->param(7) + 1, 1);
      cGame::playSound(22, false);
      startHurt(character);
      break;
    case 3:
      if (!takeOnce(area)) break;
      if (character->player != nullptr) character->player->setAnim(1, 1);
      character->setY(character->y + 32 * px);
      character->state = trippedState;
      break;
    case 4:
      if (!character->hurt && character->state != trippedState) startHurt(character);
      break;
    case 5:
      if (!takeOnce(area)) break;
      area->setAnim(area->param(2), 1);
      cGame::playSound(22, false);
      break;
    case 6:
      if (!takeOnce(area)) break;
      if (area->param(2) >= 0) {
        area->setAnim(area->param(2), 1);
        cGame::playSound(22, false);
      }
      character->takeDamage(100);
      character->setAnim(2, 1);
      character->state = defeatedState;
      break;
    default:
      break;
  }
}

// The pursuers and spawners the area meets: the same effects, without
// what only the character suffers.
void contactWithChaser(cActor* area, cActor* chaser) {
  const bool machine = chaser->kind == ActorKind::BEHAVIOUR_MACHINE;
  switch (area->param(0)) {
    case 1:
      if (!takeOnce(area)) break;
      cGame::playSound(21, false);
      area->setAnim(area->param(7) + 1, 1);
      break;
    case 2:
      if (!takeOnce(area)) break;
      area->setAnim(area->param(7) + 1, 1);
      cGame::playSound(22, false);
      if (machine) {
        chaser->behaviourTimer = hurtMillis;
        chaser->hitMarked = true;
      }
      break;
    case 4:
      if (machine && !chaser->hitMarked) {
        chaser->behaviourTimer = hurtMillis;
        chaser->hitMarked = true;
      }
      break;
    case 6:
      if (!takeOnce(area)) break;
      if (area->param(2) >= 0) {
        area->setAnim(area->param(2), 1);
        cGame::playSound(22, false);
      }
      if (machine) {
        chaser->setAnim(2, 1);
        chaser->behaviourMode = 20;
        countChase();
      }
      break;
    default:
      break;
  }
}

}  // namespace

void cActor::updateArea66() {
  if (isKilled() || isNotActive()) return;
  cActorMC* character = focusCharacter();
  if (character == nullptr || character->state == defeatedState) return;
  const int64_t cameraY = camera().cameraY;
  if (!withinView(y, cameraY, cameraY + 480 * px)) {
    setFlag(ActorFlags::KIND_STATE, false);
    return;
  }
  animate();
  IntArray* box = contactBoxOf(this);
  if (box == nullptr) return;
  if (cGame::boxesOverlap(box, this, character->footprint, character)) contactWithCharacter(this, character);
  if (param(0) == 0) return;
  for (cActor* other = layerHead(0); other != nullptr; other = other->nextInLayer) {
    if (other->kind != ActorKind::BEHAVIOUR_MACHINE && other->kind != ActorKind::SPAWNER) continue;
    if (!withinView(other->y, cameraY - 128, cameraY + 123008)) continue;
    IntArray* theirs = other->interactBox != nullptr ? other->interactBox : other->footprint;
    if (cGame::boxesOverlap(box, this, theirs, other)) contactWithChaser(this, other);
  }
}

void cActor::updateBand67() {
  if (isKilled()) return;
  cGameCameraStatics& cam = camera();
  const int64_t boxHeight = interactBox != nullptr ? interactBox->get(3) : 0;
  if (param(0) == 4 && !hasFlag(ActorFlags::KIND_STATE) && int64_t{cam.cameraY} < int64_t{y} - 480 * px) {
    cam.bandWrapRequest = false;
  }
  const bool inBand = cam.cameraY >= y && int64_t{cam.cameraY} <= int64_t{y} + boxHeight * px;
  if (!inBand) {
    if (param(0) != 4) setFlag(ActorFlags::KIND_STATE, false);
    return;
  }
  cActorMC* character = focusCharacter();
  switch (param(0)) {
    case 0: {
      IntArray* limits = cam.sideViewLimits;
      if (limits == nullptr || limits->length() < 4) cam.sideViewLimits = limits = newIntArray(4);
      if (limits == nullptr || interactBox == nullptr) break;
      limits->set(0, x + interactBox->get(0) * px);
      limits->set(1, y + interactBox->get(1) * px);
      limits->set(2, 800 * px);
      limits->set(3, interactBox->get(3) * px);
      cam.sideViewSpeed = param(1) << 8;
      setFlag(ActorFlags::KIND_STATE, true);
      break;
    }
    case 3:
      if (character != nullptr && takeOnce(this)) character->state = bandStopState;
      break;
    case 4:
      // The chase's end (the wrap request) lets the view run on past the band.
      if (hasFlag(ActorFlags::KIND_STATE) || cam.bandWrapRequest || int64_t{cam.cameraY} > int64_t{y} + 64 * px) break;
      {
        const int32_t before = cam.cameraY;
        cam.cameraY = static_cast<int32_t>(int64_t{y} + (boxHeight - 480) * px);
        // Everything in the chase goes back with the view: the character
        // here, the first pursuer of the pass by this offset.
        cam.bandWrapOffset = before - cam.cameraY;
        if (character != nullptr) character->setY(character->y - cam.bandWrapOffset);
        cam.bandWrapRequest = false;
        setFlag(ActorFlags::KIND_STATE, true);
      }
      break;
    case 5:
      if (character != nullptr && takeOnce(this)) character->bandFlagA = true;
      break;
    case 6:
      if (character != nullptr && takeOnce(this)) character->bandFlagB = true;
      break;
    default:
      break;
  }
}
