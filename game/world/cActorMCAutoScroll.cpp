// The side-view rooms' running control: the camera carries the player
// character, which steers sideways toward or away from its home direction,
// is hurt at blocked cells and struggles free when seized.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorMC.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/lang/Arrays.h"

using namespace shell;

namespace {

constexpr int32_t walkMask = 173;
constexpr int32_t baseSpeed = 3584;
constexpr int32_t steeringSpeed = 1536;
constexpr int32_t againstHomeSpeed = 20480;
constexpr int32_t freeSpeed = 5632;  // also the cap of every move
constexpr int32_t struggleWon = 120;
constexpr int32_t struggleLongest = 35;
constexpr int32_t hurtMillis = 1000;
constexpr int32_t hurtDamage = 10;
constexpr int32_t runSound = 26;
constexpr int32_t runSoundPause = 5000;
constexpr int32_t defeatCinematic = 2;

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0 ? static_cast<cActorMC*>(focus)
                                                                               : nullptr;
}

int32_t box(const cActor* actor, int32_t i) {
  return actor->footprint != nullptr && i < actor->footprint->length() ? actor->footprint->get(i) : 0;
}

bool blocked(int32_t px, int32_t py) { return cGame::isBlockedAt(px, py, walkMask); }

}  // namespace

void cActorMC::resetAutoScroll() {
  state = 0;
  stateFacing = 0;
  speedX = baseSpeed;
  speedY = 4096;
  dirX = dirY = 0;
  hurtTime = 0;
  // A retry restores the runner through here: her next defeat must open the
  // game over again.
  defeatAnnounced = false;
}

void cActorMC::tickAutoScrollHurt() {
  if (state == 14) return;
  if (hurt) {
    if (hurtTime == hurtMillis) takeDamage(hurtDamage);
    hurtTime -= loop().timeStep;
    if (hurtTime < 1) hurt = false;
  }
  // Health can also run out outside a hurt (a script's health command, whose
  // state change the side view refuses): the runner falls all the same, or
  // she would stand on with none and no game over.
  if (hp < 1) {
    setAnim(2, 1);
    state = 14;
    dirY = 0;
  }
}

void cActorMC::updateAutoScroll() {
  int32_t pressed = 0;
  int32_t held = 0;
  int32_t released = 0;
  int32_t notHeld = 0;
  if (isFocusCharacter()) {
    pressed = pressedDirectionPlain();
    held = heldDirectionPlain(pressed);
    released = releasedDirection();
    notHeld = notHeldDirection(held);
  }
  tickAutoScrollHurt();
  auto faceFromKeys = [&](bool noVertical) {
    if (pressed != 0) setFacingSingleAxis(pressed, noVertical);
    else if (held != 0) setFacingSingleAxis(held, noVertical);
    else if (released != 0) setFacingKeepAxis(released);
    else if (notHeld != 0) setFacingKeepAxis(notHeld);
  };
  cActorMC* focus = focusCharacter();
  switch (state) {
    case 0:
    case 106: {
      speedX = baseSpeed;
      contactFlagA = contactFlagB = false;
      struggleGauge = 60;
      faceFromKeys(false);
      const int32_t anim = dirX < 0 ? 8 : dirX > 0 ? 9 : dirY < 0 ? 6 : dirY > 0 ? 7 : 0;
      if (dirX != stateFacing) {
        stateFacing = dirX;
        setAnim(anim, 1);
      } else if (isAnimEnded()) {
        setAnim(anim, 1);
      }
      break;
    }
    case 104: {
      auto freeTest = [&]() {
        const int32_t px = getPixelX() + box(this, 0);
        const int32_t py = getPixelY() + box(this, 1);
        if (!cGame::isBlockedHorizontal(px - 16, py, walkMask) &&
            !cGame::isBlockedHorizontal(px + box(this, 2) + 16, py, walkMask)) {
          contactFlagA = contactFlagB = false;
          cGame::resetActionMarker();
          state = 116;
          speedX = freeSpeed;
          if (isAnimEnded()) setAnim(dirX < 0 ? 8 : 9, 1);
        } else {
          speedX = steeringSpeed;
        }
      };
      if (pressed != 0) {
        setFacingSingleAxis(pressed, true);
        if (dirX == -homeDirection) speedX = againstHomeSpeed;
        else if (dirX == homeDirection) freeTest();
      } else if (held != 0) {
        setFacingSingleAxis(held, true);
        if (dirX == homeDirection) {
          freeTest();
        } else {
          dirX = homeDirection;
          speedX = steeringSpeed;
        }
      } else {
        dirX = homeDirection;
        speedX = steeringSpeed;
      }
      dirY = 0;
      if (contactFlagA && contactFlagB) dirX = 0;
      if (isAnimEnded() && focus != nullptr) {
        if (focus->contactFlagA) setAnim(dirX < 0 ? 10 : 3, 1);
        if (focus->contactFlagB) setAnim(dirX > 0 ? 11 : 4, 1);
      }
      break;
    }
    case 105:
      if (isAnimEnded() && focus != nullptr) {
        if (focus->contactFlagA) setAnim(3, 1);
        if (focus->contactFlagB) setAnim(4, 1);
      }
      if (pressed == 0) {
        dirY = 0;
        dirX = homeDirection;
        speedX = steeringSpeed;
      } else {
        dirX = 0;
      }
      break;
    case 113:
      dirX = 0;
      if (isAnimEnded()) {
        state = 0;
        setAnim(0, 1);
      }
      break;
    case 114:
    case 117: {
      // Shaking off latched objects: when it ends, none hold on any more.
      const bool latched = state == 117;
      struggleFrames = static_cast<int8_t>(struggleFrames + 1);
      dirX = dirY = 0;
      if (struggleGauge < struggleWon) struggleGauge -= 2;
      if (actionKeyPressed()) {
        struggleGauge += 50;
        if (state == 114) {
          setAnim(seizeFlag ? 12 : 13, 1);
        } else {
          const int64_t now = java_lang_System::currentTimeMillis();
          if (now - struggleAnimTime > 300) {
            struggleAnimTime = now;
            setAnim(27, 1);
          }
        }
      } else if (state == 117 && isAnimEnded()) {
        setAnim(0, 1);
      }
      if (struggleGauge >= struggleWon) {
        struggleGauge = struggleWon;
        struggleFrames = 0;
        if (latched) worldStatics().cActor.latchCount = 0;
        state = 0;
        cGame::resetActionMarker();
      } else if (struggleGauge <= 0 || struggleFrames >= struggleLongest) {
        struggleFrames = 0;
        if (latched) worldStatics().cActor.latchCount = 0;
        setAnim(2, 1);
        state = 14;
      }
      break;
    }
    case 115: {
      const int32_t cameraTop = (worldStatics().cGameCamera.cameraY + 128) >> 8;
      const int32_t py = getPixelY();
      if (py < cameraTop + 400) {
        dirX = 0;
        dirY = 1;
        speedX = freeSpeed;
      } else if (py > cameraTop + 416) {
        dirX = 0;
        dirY = -1;
        speedX = freeSpeed;
      } else {
        state = 116;
        dirY = 0;
      }
      break;
    }
    case 116:
      dirY = 0;
      speedX = freeSpeed;
      faceFromKeys(true);
      if (isAnimEnded()) setAnim(dirX < 0 ? 8 : dirX > 0 ? 9 : 0, 1);
      break;
    case 14:
      // Opened once, on the first frame the defeat has played out.
      if (!defeatAnnounced && isAnimEnded()) {
        defeatAnnounced = true;
        cGame::openCinematic(0x7FFFFFFF, defeatCinematic, 0);
      }
      break;
    default:
      break;
  }
  moveAutoScroll(facing, speedX, speedY);
  if (param(8) > 0) setParam(8, param(8) - loop().timeStep);
  if (isDefeated()) {
    cGame::stopSound(runSound);
  } else if (!cGame::isSoundPlaying(runSound) && param(8) < 1) {
    cGame::playSound(runSound, false);
    if (cGame::isSoundPlaying(runSound)) setParam(8, runSoundPause);
  }
}

void cActorMC::moveAutoScroll(int32_t mask, int32_t sx, int32_t sy) {
  nudged = false;
  const int32_t fromX = getPixelX();
  const int64_t t = loop().timeStep;
  const int64_t dx = t * std::min(sx, freeSpeed) * 32 / 1000;
  verticalStep = static_cast<int32_t>(t * sy * 32 / 1000);
  int64_t carry = t * worldStatics().cGameCamera.sideViewSpeed * 32 / 1000;
  if (hp < 1 || state == 14) {
    dirX = dirY = 0;
    carry = 0;
  }
  setX(static_cast<int32_t>(x + dx * dirX));
  setY(static_cast<int32_t>(y + int64_t{verticalStep} * dirY + carry));
  const int32_t cameraY = worldStatics().cGameCamera.cameraY;
  const int32_t footHeight = box(this, 3);
  if (y > cameraY + (480 << 8)) setY(cameraY + (480 << 8));
  else if (y <= cameraY + (footHeight << 8)) setY(cameraY + (footHeight << 8));
  cActorMC* focus = focusCharacter();
  if ((state == 111 || state == 112) && focus != nullptr) {
    setX((focus->getPixelX() + (state == 111 ? -32 : 32)) << 8);
    state = 0;
    cGame::resetActionMarker();
  }
  const int32_t columnX =
      (mask & (DirectionMask::LEFT | DirectionMask::RIGHT)) != 0 ? fromX / 32 * 32 + 16 : fromX;
  const int32_t px = getPixelX();
  const int32_t py = getPixelY();
  const int32_t bx = box(this, 0);
  const int32_t by = box(this, 1);
  const int32_t bw = box(this, 2);
  if (!blocked(px, py) && !blocked(px + bx, py + by) && !blocked(px + bx + bw, py + by) && !blocked(px + bx, py) &&
      !blocked(px + bx + bw, py)) {
    return;
  }
  if (state == 14) return;
  if (!hurt && (contactFlagA || contactFlagB)) {
    hurtTime = hurtMillis;
    hurt = true;
  }
  auto verticalFree = [](int32_t qx, int32_t qy) { return !cGame::isBlockedVertical(qx, qy, walkMask); };
  int32_t toX = px;
  if (verticalFree(columnX + bx, py + by) && verticalFree(columnX + bx + bw, py + by) &&
      verticalFree(columnX + bx, py) && verticalFree(columnX + bx + bw, py)) {
    toX = columnX;
  } else if (cGame::isBlockedHorizontal(columnX + bx, py + by, walkMask)) {
    // A row blocked across the map (a channel) shoves to the right in every
    // frame; by the right edge that would end in the edge's own blocked
    // cells, or past the map, for good. There the shove goes left.
    toX = px + 32 < cGame::getMapWidth() - 32 ? px + 32 : px - 32;
  } else if (cGame::isBlockedHorizontal(columnX + bx + bw, py + by, walkMask)) {
    toX = px - 32;
  }
  setX(toX << 8);
  setY(py << 8);
  if (focus == this) cGame::moveWithBlockers(this, getPixelX(), getPixelY(), true);
}
