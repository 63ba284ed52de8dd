// The timer ring: opened by the HUD's action button, it runs the world in
// slow motion for its duration; while it opens and closes (500 ms each)
// the world stands still and only the camera moves.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"

namespace {

namespace RingMode {
constexpr int32_t off = -1;
constexpr int32_t opening = 0;
constexpr int32_t running = 1;
constexpr int32_t closing = 2;
}  // namespace RingMode

constexpr int32_t turnMilliseconds = 500;
// The longest frame the slow motion stretches; anything longer counts as it.
constexpr int32_t longestSlowFrame = 333;

cGamePlayStatics& play() { return worldStatics().cGamePlay; }

}  // namespace

bool cGameWorld::isAnchoredPanelActive() { return play().ringMode != RingMode::off; }

bool cGameWorld::isRingFrozen() {
  const int32_t mode = play().ringMode;
  return mode == RingMode::opening || mode == RingMode::closing;
}

void cGameWorld::resetTimerRing() {
  cGamePlayStatics& ring = play();
  ring.ringMode = RingMode::off;
  ring.ringElapsed = 0;
  ring.ringDuration = 0;
  ring.ringAnchor = nullptr;
  ring.ringX = 0;
  ring.ringY = 0;
}

void cGameWorld::closeAnchoredPanel() {
  cGamePlayStatics& ring = play();
  ring.ringMode = RingMode::closing;
  ring.ringElapsed = 0;
  if (cActor* anchor = ring.ringAnchor) {
    ring.ringX = anchor->screenX;
    ring.ringY = anchor->screenY - 45;
  } else {
    ring.ringX = 400;
    ring.ringY = 240;
  }
}

void cGameWorld::updateTimerRing() {
  cGamePlayStatics& ring = play();
  if (ring.ringMode == RingMode::off) return;
  cGameLoopStatics& frame = shellStatics().cGameLoop;
  ring.ringElapsed += frame.frameTime;
  switch (ring.ringMode) {
    case RingMode::opening:
      if (ring.ringElapsed >= turnMilliseconds) {
        ring.ringElapsed = 0;
        ring.ringMode = RingMode::running;
      }
      break;
    case RingMode::running:
      if (cActor* anchor = ring.ringAnchor) anchor->setParam(5, anchor->param(5) - frame.frameTime);
      if (ring.ringElapsed >= ring.ringDuration) {
        closeAnchoredPanel();
        return;
      }
      frame.timeStep = std::min(frame.frameTime, longestSlowFrame) * 3 / 16;
      break;
    case RingMode::closing:
      if (ring.ringElapsed >= turnMilliseconds) {
        ring.ringElapsed = 0;
        ring.ringMode = RingMode::off;
      }
      break;
    default:
      break;
  }
}
