// The camera stops at one-sided blockers: while the focus character stands
// before a blocker's blocking edge, the view does not look past that edge,
// unless the camera already looked past it the frame before.
#include <cstdint>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"

namespace {

constexpr int32_t viewWidth = 800;
constexpr int32_t viewHeight = 480;

namespace Side {
constexpr int32_t left = 1, right = 2, top = 4, bottom = 8;
}  // namespace Side

int32_t pixelOf(int32_t v) { return (v + 128) >> 8; }

struct View {
  int32_t left, top, right, bottom;
};

// Applies the blocker's sides in the order left, right, top, bottom; true
// when one of them moved the view.
bool stopAt(const cActor* blocker, int32_t fx, int32_t fy, int32_t lastX, int32_t lastY, View& view) {
  const int32_t bx = blocker->getPixelX();
  const int32_t by = blocker->getPixelY();
  const int32_t bw = blocker->param(0);
  const int32_t bh = blocker->param(1);
  const int32_t sides = blocker->param(2);
  const bool besideRows = by <= fy && fy <= by + bh;
  const bool besideColumns = bx <= fx && fx <= bx + bw;
  bool moved = false;
  if ((sides & Side::left) != 0 && fx <= bx && besideRows && view.right > bx && lastX <= bx) {
    view.right = bx;
    view.left = bx - viewWidth;
    moved = true;
  }
  if ((sides & Side::right) != 0 && fx >= bx + bw && besideRows && view.left < bx + bw && lastX >= bx + bw) {
    view.left = bx + bw;
    view.right = view.left + viewWidth;
    moved = true;
  }
  if ((sides & Side::top) != 0 && fy <= by && besideColumns && view.bottom > by && lastY <= by) {
    view.bottom = by;
    view.top = by - viewHeight;
    moved = true;
  }
  if ((sides & Side::bottom) != 0 && fy >= by + bh && besideColumns && view.top < by + bh && lastY >= by + bh) {
    view.top = by + bh;
    view.bottom = view.top + viewHeight;
    moved = true;
  }
  return moved;
}

}  // namespace

void cGame::clampCameraAtBlockers() {
  const cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr) return;
  cGameCameraStatics& camera = worldStatics().cGameCamera;
  const int32_t fx = focus->getPixelX();
  const int32_t fy = focus->getPixelY();
  const int32_t lastX = camera.lastCameraPixelX;
  const int32_t lastY = camera.lastCameraPixelY;
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    if (actor->kind != ActorKind::ONE_SIDED_BLOCKER || actor->isKilled() || !actor->isActive() || actor->param(2) == 0)
      continue;
    const int32_t left = pixelOf(camera.cameraX);
    const int32_t top = pixelOf(camera.cameraY);
    View view{left, top, left + viewWidth, top + viewHeight};
    if (!stopAt(actor, fx, fy, lastX, lastY, view)) continue;
    camera.cameraX = view.left << 8;
    camera.cameraY = view.top << 8;
    cGame::positionMapLayers();
  }
  camera.lastCameraPixelX = pixelOf(camera.cameraX);
  camera.lastCameraPixelY = pixelOf(camera.cameraY);
}
