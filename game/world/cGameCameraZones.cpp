// The room's camera zones: the table the level data fills, which zone holds
// the camera's target, and the view kept inside the current zone.
#include <cstdint>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"

namespace {

cGameCameraStatics& camera() { return worldStatics().cGameCamera; }

constexpr int32_t viewWidth = 800;
constexpr int32_t viewHeight = 480;

IntArray* zoneRect(ObjectArray* table, int32_t index) {
  return table != nullptr && index >= 0 && index < table->length() ? static_cast<IntArray*>(table->get(index))
                                                                    : nullptr;
}

bool holds(IntArray* rect, int32_t x, int32_t y) { return rect != nullptr && cGame::rectContains(x, y, rect); }

IntArray* rectOf(int32_t x, int32_t y, int32_t w, int32_t h) {
  IntArray* rect = newIntArray(4);
  if (rect == nullptr) return nullptr;
  rect->set(0, x);
  rect->set(1, y);
  rect->set(2, w);
  rect->set(3, h);
  return rect;
}

// One axis of the view (24.8) kept in [start, start + size) px: a zone at
// least as large as the view bounds it; a smaller one centres it.
int32_t clampAxis(int32_t value, int32_t start, int32_t size, int32_t view) {
  const int64_t low = int64_t{start} * 256;
  if (size > view) {
    const int64_t high = (int64_t{start} + size - view) * 256;
    if (value < low) return static_cast<int32_t>(low);
    if (value > high) return static_cast<int32_t>(high);
    return value;
  }
  return static_cast<int32_t>(low + ((int64_t{size - view} * 256) >> 1));
}

}  // namespace

void cGameWorld::initCameraZones() {
  cGameCameraStatics& cam = camera();
  cam.zoneIds = newIntArray(cGameCameraStatics::zoneCapacity);
  cam.zoneOuter = newObjectArray(cGameCameraStatics::zoneCapacity);
  cam.zoneInner = newObjectArray(cGameCameraStatics::zoneCapacity);
  cam.zoneCount = 0;
  cam.currentZone = -1;
  cam.outsideZones = true;
}

void cGameWorld::addCameraZone(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dx, int32_t dy,
                               int32_t w2, int32_t h2) {
  cGameCameraStatics& cam = camera();
  if (cam.zoneIds == nullptr || cam.zoneOuter == nullptr || cam.zoneInner == nullptr) initCameraZones();
  if (cam.zoneIds == nullptr || cam.zoneOuter == nullptr || cam.zoneInner == nullptr) return;
  if (cam.zoneCount >= cGameCameraStatics::zoneCapacity) {
    debugLog("camera zones: the table holds %d zones; zone %d is dropped", cGameCameraStatics::zoneCapacity, id);
    return;
  }
  IntArray* outer = rectOf(x, y, w, h);
  IntArray* inner = rectOf(x + dx, y + dy, w2, h2);
  if (outer == nullptr || inner == nullptr) return;
  const int32_t index = cam.zoneCount;
  cam.zoneIds->set(index, id);
  cam.zoneOuter->set(index, outer);
  cam.zoneInner->set(index, inner);
  cam.zoneCount = index + 1;
}

void cGameWorld::removeCameraZone(int32_t index) {
  cGameCameraStatics& cam = camera();
  if (cam.zoneIds == nullptr || index < 0 || index >= cam.zoneCount) return;
  if (cam.currentZone == index) cam.currentZone = -1;
  // The zones after it keep being the same zones under their new indices,
  // so the camera sees no zone change where there is none.
  else if (cam.currentZone > index) --cam.currentZone;
  if (cam.lastZone > index) --cam.lastZone;
  const int32_t last = cam.zoneCount - 1;
  for (int32_t i = index; i < last; ++i) {
    cam.zoneIds->set(i, cam.zoneIds->get(i + 1));
    cam.zoneOuter->set(i, cam.zoneOuter->get(i + 1));
    cam.zoneInner->set(i, cam.zoneInner->get(i + 1));
  }
  cam.zoneIds->set(last, 0);
  cam.zoneOuter->set(last, nullptr);
  cam.zoneInner->set(last, nullptr);
  cam.zoneCount = last;
}

void cGameWorld::findCameraZone() {
  cGameCameraStatics& cam = camera();
  cActor* target = cam.cameraTarget;
  if (target == nullptr) return;
  const int32_t px = target->getPixelX();
  const int32_t py = target->getPixelY();
  const int32_t count = cam.zoneCount;
  if (cam.currentZone >= count || !holds(zoneRect(cam.zoneInner, cam.currentZone), px, py)) {
    cam.currentZone = -1;
    for (int32_t i = 0; i < count; ++i) {
      if (holds(zoneRect(cam.zoneInner, i), px, py)) {
        cam.currentZone = i;
        break;
      }
    }
  }
  bool inside = false;
  for (int32_t i = 0; i < count && !inside; ++i) inside = holds(zoneRect(cam.zoneOuter, i), px, py);
  cam.outsideZones = !inside;
}

void cGameWorld::clampCameraToZone() {
  cGameCameraStatics& cam = camera();
  if (!cam.zoneClamp || cam.currentZone < 0 || cam.currentZone >= cam.zoneCount) return;
  IntArray* outer = zoneRect(cam.zoneOuter, cam.currentZone);
  if (outer == nullptr) return;
  cam.cameraY = clampAxis(cam.cameraY, outer->get(1), outer->get(3), viewHeight);
  cam.cameraX = clampAxis(cam.cameraX, outer->get(0), outer->get(2), viewWidth);
}

int32_t cGameWorld::getCurrentZone() { return camera().currentZone; }

void cGameWorld::setCurrentZone(int32_t index) { camera().currentZone = index; }

bool cGameWorld::isOutsideZones() { return camera().outsideZones; }
