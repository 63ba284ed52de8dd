// The camera: which 800 x 480 part of the room is shown. It follows its
// target with a look-ahead lead, pans over a fixed time when the target or
// its zone changes, keeps the view in the zone and the map, shakes, and in
// the side-view chapters scrolls by itself.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "platform/java_util/java_util_Random.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/Arrays.h"

namespace {

cGameCameraStatics& camera() { return worldStatics().cGameCamera; }
cGamePlayStatics& play() { return worldStatics().cGamePlay; }

constexpr int32_t px = 256;  // one pixel in 24.8
constexpr int32_t viewWidth = 800;
constexpr int32_t viewHeight = 480;
// The look-ahead's reach while walking: 72 px up and down, 120 px across.
constexpr int32_t leadLimitY = 18432;
constexpr int32_t leadLimitX = 30720;
constexpr int32_t zoneChangePanMs = 1000;
constexpr int32_t sideViewStep = 2048;
constexpr int32_t defeatedState = 14;
constexpr int32_t walkingState = 3;

int32_t saturate(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The focus actor as the character it is, or null for any other actor.
cActorMC* focusCharacter() {
  cActor* focus = play().focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) ? static_cast<cActorMC*>(focus) : nullptr;
}

bool focusDefeated() {
  cActor* focus = play().focusActor;
  if (focus == nullptr) return false;
  if (focus->hp < 1) return true;
  cActorMC* character = focusCharacter();
  return character != nullptr && character->state == defeatedState;
}

// The lead's rest values: the view sits a little ahead of where the focus
// character faces; any other target is centred.
struct Lead {
  int32_t x;
  int32_t y;
};

Lead restLead(cActor* target) {
  if (target == nullptr || target != play().focusActor) return {0, 0};
  cActorMC* character = focusCharacter();
  const int32_t facing = character != nullptr ? character->facing : 0;
  Lead rest{0, 0};
  if ((facing & DirectionMask::DOWN) != 0) rest.y = -5664;
  else if ((facing & DirectionMask::UP) != 0) rest.y = 6144;
  if ((facing & DirectionMask::RIGHT) != 0) rest.x = -9440;
  else if ((facing & DirectionMask::LEFT) != 0) rest.x = 10240;
  return rest;
}

// Toward rest by at most step, never past it.
int32_t relaxToward(int32_t lead, int32_t rest, int64_t step) {
  const int64_t gap = int64_t{rest} - lead;
  if (std::llabs(gap) <= step) return rest;
  return saturate(gap > 0 ? lead + step : lead - step);
}

// The relax step of a timed pan: the whole way in pixels spread over the
// time left (at least 1 ms), so the pan ends in time.
int64_t panStep(int64_t distance, int32_t t, int32_t timeLeft) {
  const int64_t pixels = (std::llabs(distance) + 128) >> 8;
  const int64_t product = pixels * t;
  const int64_t divisor = std::max(timeLeft, 1);
  return product > 0x7FFFFF ? (product / divisor) * px : product * px / divisor;
}

// The walking look-ahead of the focus character and the relax steps it
// leaves; the leads of any other target are 0.
Lead followLeads(cGameCameraStatics& cam, cActor* target, int32_t t) {
  if (target != play().focusActor) {
    cam.cameraLeadX = 0;
    cam.cameraLeadY = 0;
    return {0, 0};
  }
  cActorMC* character = focusCharacter();
  const int32_t state = character != nullptr ? character->state : -1;
  const int32_t facing = character != nullptr ? character->facing : 0;
  const int32_t stepX = t * 1024 / 140;
  const int32_t stepY = t * 614 / 140;
  if (state == walkingState) {
    Lead relax{0, 0};
    if ((facing & DirectionMask::UP) != 0) cam.cameraLeadY = std::min(cam.cameraLeadY + stepY, leadLimitY);
    if ((facing & DirectionMask::DOWN) != 0) cam.cameraLeadY = std::max(cam.cameraLeadY - stepY, -leadLimitY);
    if ((facing & (DirectionMask::UP | DirectionMask::DOWN)) == 0) relax.y = stepY;
    if ((facing & DirectionMask::LEFT) != 0) cam.cameraLeadX = std::min(cam.cameraLeadX + stepX, leadLimitX);
    if ((facing & DirectionMask::RIGHT) != 0) cam.cameraLeadX = std::max(cam.cameraLeadX - stepX, -leadLimitX);
    if ((facing & (DirectionMask::LEFT | DirectionMask::RIGHT)) == 0) relax.x = stepX;
    return relax;
  }
  if (state == 6 || state == 7) return {t * 3072 / 140, t * 3072 / 140};
  return {stepX, stepY};
}

// A timed pan: the view comes to rest, inside its zone, where following
// would put it once the leads are at rest. The jump to that goal goes into
// the leads first, so the picture does not jump; the leads then relax over
// the time left.
void panStepTowardTarget(cGameCameraStatics& cam, int32_t desiredX, int32_t desiredY, Lead rest, int64_t previousX,
                         int64_t previousY, int32_t t) {
  cam.cameraX = saturate(int64_t{desiredX} - cam.cameraPanX - rest.x);
  cam.cameraY = saturate(int64_t{desiredY} - cam.cameraPanY - rest.y);
  cGame::clampCameraToZone();
  const int32_t goalX = cam.cameraX;
  const int32_t goalY = cam.cameraY;
  cam.cameraLeadX = saturate(cam.cameraLeadX + (int64_t{goalX} + cam.cameraPanX + rest.x - previousX));
  cam.cameraLeadY = saturate(cam.cameraLeadY + (int64_t{goalY} + cam.cameraPanY + rest.y - previousY));
  int64_t relaxX;
  int64_t relaxY;
  if (cam.panElapsed < cam.panDuration) {
    const int32_t timeLeft = cam.panDuration - cam.panElapsed;
    relaxX = panStep(int64_t{cam.panStartX} - goalX, t, timeLeft);
    relaxY = panStep(int64_t{cam.panStartY} - goalY, t, timeLeft);
  } else {
    relaxX = std::llabs(int64_t{cam.cameraLeadX} - rest.x);
    relaxY = std::llabs(int64_t{cam.cameraLeadY} - rest.y);
  }
  cam.panElapsed = saturate(int64_t{cam.panElapsed} + t);
  cam.cameraLeadX = relaxToward(cam.cameraLeadX, rest.x, relaxX);
  cam.cameraLeadY = relaxToward(cam.cameraLeadY, rest.y, relaxY);
  if (cam.panElapsed >= cam.panDuration || (cam.cameraLeadX == rest.x && cam.cameraLeadY == rest.y))
    cam.cameraMode = 1;
  cam.cameraX = saturate(int64_t{goalX} + rest.x - cam.cameraLeadX);
  cam.cameraY = saturate(int64_t{goalY} + rest.y - cam.cameraLeadY);
}

void topDownStep(cGameCameraStatics& cam, cActor* target, int64_t previousX, int64_t previousY) {
  const int32_t desiredX = saturate(int64_t{target->x} - viewWidth / 2 * px);
  const int32_t desiredY = saturate(int64_t{target->y} - viewHeight / 2 * px);
  const int32_t t = shellStatics().cGameLoop.frameTime;
  const Lead rest = restLead(target);
  if (cam.cameraMode != 1) {
    panStepTowardTarget(cam, desiredX, desiredY, rest, previousX, previousY, t);
    return;
  }
  const Lead relax = followLeads(cam, target, t);
  cam.cameraLeadX = relaxToward(cam.cameraLeadX, rest.x, relax.x);
  cam.cameraLeadY = relaxToward(cam.cameraLeadY, rest.y, relax.y);
  cam.cameraX = saturate(int64_t{desiredX} - cam.cameraPanX - cam.cameraLeadX);
  cam.cameraY = saturate(int64_t{desiredY} - cam.cameraPanY - cam.cameraLeadY);
  cGame::clampCameraToZone();
}

// The side-view chapters: across, the view holds the band's limits or
// trails the target; down, it scrolls by itself. False while the focus
// character is down: the view then stays where it is.
bool sideViewScroll(cGameCameraStatics& cam, cActor* target) {
  cActor* focus = play().focusActor;
  if (focus != nullptr && focus->hp < 1) return false;
  const int64_t cameraX = cam.cameraX;
  const int64_t cameraY = cam.cameraY;
  IntArray* limits = cam.sideViewLimits;
  const bool inBand = limits != nullptr && limits->length() >= 4 && cameraY >= limits->get(1) &&
                      cameraY <= int64_t{limits->get(1)} + limits->get(3);
  if (inBand) {
    const int64_t left = limits->get(0);
    if (cameraX <= left - 16 * px) cam.cameraX = saturate(cameraX + sideViewStep);
    else if (cameraX >= left + limits->get(2) - 784 * px) cam.cameraX = saturate(cameraX - sideViewStep);
    else cam.cameraX = limits->get(0);
  } else {
    const int64_t targetX = target->x;
    if (cameraX > targetX - 384 * px) cam.cameraX = saturate(cameraX - sideViewStep);
    else if (cameraX >= targetX - 416 * px) cam.cameraX = saturate(targetX - 400 * px);
    else cam.cameraX = saturate(cameraX + sideViewStep);
  }
  if (!focusDefeated() && !cGame::isConversationActive()) {
    const int64_t scroll = int64_t{shellStatics().cGameLoop.timeStep} * cam.sideViewSpeed * 32 / 1000;
    cam.cameraY = saturate(cameraY + scroll);
  }
  return true;
}

// The view never leaves the map; a map smaller than the view shows from 0.
void keepInMap(cGameCameraStatics& cam) {
  const int64_t maxX = (int64_t{cGame::getMapWidth()} - viewWidth) * px;
  const int64_t maxY = (int64_t{cGame::getMapHeight()} - viewHeight) * px;
  cam.cameraX = saturate(std::max<int64_t>(std::min<int64_t>(cam.cameraX, maxX), 0));
  cam.cameraY = saturate(std::max<int64_t>(std::min<int64_t>(cam.cameraY, maxY), 0));
}

// One axis of the shake: a triangle wave between -amplitude and +amplitude.
void shakeAxis(int32_t& offset, int32_t& speed, int32_t amplitude, int32_t timeStep) {
  offset += speed * timeStep;
  const int32_t limit = amplitude < 0 ? -amplitude : amplitude;
  if ((offset < 0 ? -int64_t{offset} : offset) > limit) {
    offset = speed > 0 ? limit : -limit;
    speed = -speed;
  }
}

void shakeStep(cGameCameraStatics& cam) {
  if (cam.shakeTimeLeft <= 0) return;
  const int32_t timeStep = shellStatics().cGameLoop.timeStep;
  cam.shakeTimeLeft -= timeStep;
  if (cam.shakeTimeLeft < 1) cam.shakeTimeLeft = 0;
  shakeAxis(cam.shakeOffsetX, cam.shakeSpeedX, cam.shakeAmplitudeX, timeStep);
  shakeAxis(cam.shakeOffsetY, cam.shakeSpeedY, cam.shakeAmplitudeY, timeStep);
  cam.cameraX = saturate(int64_t{cam.cameraX} + cam.shakeOffsetX);
  cam.cameraY = saturate(int64_t{cam.cameraY} + cam.shakeOffsetY);
}

// Some cutscenes move the map under the actors: by progress value and
// cutscene; any other pair keeps the offset it had.
void updateCutsceneLayerOffsets(cGameCameraStatics& cam) {
  if (!cGame::isCutsceneActive()) {
    cam.mapLayerOffsetX = 0;
    cam.mapLayerOffsetY = 0;
    return;
  }
  const int32_t progress = cGame::progressValue();
  const int32_t cutscene = cGame::currentCutscene();
  if (progress == 0) {
    if (cutscene == 1) cam.mapLayerOffsetY = 96;
    else if (cutscene == 9) cam.mapLayerOffsetY = 80;
    else if (cutscene == 3) cam.mapLayerOffsetY = -80;
    else if (cutscene == 4) cam.mapLayerOffsetY = 80;
  } else if (progress == 3 && cutscene == 1) {
    cam.mapLayerOffsetY = 240;
  } else if (progress == 8 && cutscene == 5) {
    cam.mapLayerOffsetY = 120;
  }
}

int32_t randomInt() {
  java_util_Random* random = shellStatics().cGameLoop.random;
  return random != nullptr ? random->nextInt() : 0;
}

}  // namespace

void cGameWorld::updateCamera() {
  cGameCameraStatics& cam = camera();
  if (cActor* target = cam.cameraTarget) {
    bool moved = true;
    if (cam.currentZone != cam.lastZone) {
      setCameraTarget(target, zoneChangePanMs);
      cam.lastZone = cam.currentZone;
    }
    const int64_t previousX = int64_t{cam.cameraX} + cam.cameraPanX + cam.cameraLeadX;
    const int64_t previousY = int64_t{cam.cameraY} + cam.cameraPanY + cam.cameraLeadY;
    if (shellStatics().cGameProgress.sideViewMode)
      moved = sideViewScroll(cam, target);
    else
      topDownStep(cam, target, previousX, previousY);
    if (moved) keepInMap(cam);
  }
  shakeStep(cam);
  positionMapLayers();
}

void cGameWorld::resetCamera() {
  cGameCameraStatics& cam = camera();
  cam.cameraMode = 0;
  cam.cameraLeadX = 0;
  cam.cameraLeadY = 0;
  cam.cameraTarget = nullptr;
  cam.cameraPanX = 0;
  cam.cameraPanY = 0;
  cam.panElapsed = 0;
  cam.panDuration = 0;
  cam.panStartX = 0;
  cam.panStartY = 0;
  stopCameraShake();
  cam.lastZone = -1;
  cActor* focus = play().focusActor;
  if (shellStatics().cGameProgress.sideViewMode) {
    cam.sideViewSpeed = -3072;
    IntArray* limits = cam.sideViewLimits;
    if (limits != nullptr && limits->length() >= 4) cam.cameraX = limits->get(0);
    else if (focus != nullptr) cam.cameraX = saturate(int64_t{focus->x} - viewWidth / 2 * px);
    if (focus != nullptr) cam.cameraY = saturate(int64_t{focus->y} - 450 * px);
  }
  cam.cameraTarget = focus;
  cam.cameraMode = 1;
  findCameraZone();
}

void cGameWorld::setCameraTarget(cActor* actor, int32_t duration) {
  if (actor == nullptr) return;
  cGameCameraStatics& cam = camera();
  cam.panElapsed = 0;
  cam.panDuration = duration;
  cam.panStartX = cam.cameraX;
  cam.panStartY = cam.cameraY;
  cam.cameraTarget = actor;
  cam.cameraPanX = 0;
  cam.cameraPanY = 0;
  cam.cameraMode = 0;
}

void cGameWorld::setCameraFollow(cActor* actor) {
  cGameCameraStatics& cam = camera();
  if (actor == nullptr) {
    cam.cameraTarget = nullptr;
    return;
  }
  cam.cameraTarget = actor;
  cam.cameraPanX = 0;
  cam.cameraPanY = 0;
  cam.zoneClamp = true;
  cam.cameraMode = 1;
  findCameraZone();
}

void cGameWorld::startCameraShake(int32_t ms, int32_t amplitudeX, int32_t amplitudeY, int32_t halfPeriod) {
  // Without an amplitude or a period there is nothing to shake (and the
  // period divides the speed).
  if (halfPeriod == 0 || (amplitudeX == 0 && amplitudeY == 0)) return;
  cGameCameraStatics& cam = camera();
  const int32_t drawX = randomInt();
  const int32_t drawY = randomInt();
  auto startOffset = [](int32_t draw, int32_t amplitude) {
    return amplitude == 0 ? 0 : (javaRemainder(draw, amplitude) - (amplitude >> 1)) << 8;
  };
  cam.shakeOffsetX = startOffset(drawX, amplitudeX);
  cam.shakeOffsetY = startOffset(drawY, amplitudeY);
  cam.shakeSpeedX = javaDivide((amplitudeX << 8) * 2, halfPeriod);
  cam.shakeSpeedY = javaDivide((amplitudeY << 8) * 2, halfPeriod);
  cam.shakeAmplitudeX = amplitudeX << 8;
  cam.shakeAmplitudeY = amplitudeY << 8;
  cam.shakeTimeLeft = ms;
}

void cGameWorld::stopCameraShake() { camera().shakeTimeLeft = 0; }

void cGameWorld::positionMapLayers() {
  cGameCameraStatics& cam = camera();
  updateCutsceneLayerOffsets(cam);
  const int32_t x = ((cam.cameraX + 128) >> 8) + cam.mapLayerOffsetX;
  const int32_t y = ((cam.cameraY + 128) >> 8) + cam.mapLayerOffsetY;
  for (int32_t layer = 0; layer <= 3; ++layer) {
    if (shell::spriteAt(7 + layer) == nullptr) continue;
    CVLibPlayer::setLayerScroll(layer, x, y);
    if (layer == 0) {
      play().cameraPixelX = CVLibPlayer::getLayerScrollX(0);
      play().cameraPixelY = CVLibPlayer::getLayerScrollY(0);
    }
  }
}

void cGameWorld::setCameraPixelPosition(int32_t x, int32_t y) {
  camera().cameraX = x << 8;
  camera().cameraY = y << 8;
}

void cGameWorld::setCameraPosition(int32_t x, int32_t y) {
  camera().cameraX = x;
  camera().cameraY = y;
}

void cGameWorld::setCameraMode(int32_t mode) { camera().cameraMode = mode; }

void cGameWorld::clearCameraTarget() { camera().cameraTarget = nullptr; }

void cGameWorld::clearCameraPan() {
  camera().cameraPanX = 0;
  camera().cameraPanY = 0;
}
