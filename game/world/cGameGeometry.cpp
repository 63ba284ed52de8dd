// Small geometry on actors and their boxes: overlaps, reach in a facing,
// directions, angles and distances. Sums and squares are taken in 64 bits:
// far-apart actors and large boxes overflow 32.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"

namespace {

struct PlacedBox {
  int64_t x, y, w, h;
};

PlacedBox place(IntArray* box, cActor* at) {
  const int64_t ox = at != nullptr ? at->getPixelX() : 0;
  const int64_t oy = at != nullptr ? at->getPixelY() : 0;
  return {ox + box->get(0), oy + box->get(1), box->get(2), box->get(3)};
}

bool isBox(IntArray* box) { return box != nullptr && box->length() >= 4; }

}  // namespace

bool cGameWorld::boxesOverlap(IntArray* a, cActor* at, IntArray* b, cActor* bt) {
  if (!isBox(a) || !isBox(b)) return false;
  const PlacedBox p = place(a, at);
  const PlacedBox q = place(b, bt);
  return p.x + p.w >= q.x && p.x <= q.x + q.w && p.y + p.h >= q.y && p.y <= q.y + q.h;
}

bool cGameWorld::pointInActorBox(int32_t x, int32_t y, IntArray* box, cActor* at) {
  if (!isBox(box)) return false;
  const PlacedBox p = place(box, at);
  return p.x <= x && x <= p.x + p.w && p.y <= y && y <= p.y + p.h;
}

bool cGameWorld::isNearInDirection(cActor* a, cActor* b, int32_t direction, int32_t reach, int32_t vertical) {
  if (a == nullptr || b == nullptr) return false;
  const int64_t dx = int64_t{a->getPixelX()} - b->getPixelX();
  const int64_t dy = int64_t{a->getPixelY()} - b->getPixelY();
  if (std::llabs(dy) > vertical) return false;
  if (std::llabs(dx) < 3 && std::llabs(dy) < 3) return true;
  if ((direction & DirectionMask::LEFT) != 0) return -3 <= dx && dx <= reach;
  if ((direction & (DirectionMask::RIGHT | DirectionMask::UP | DirectionMask::DOWN)) != 0)
    return -int64_t{reach} <= dx && dx <= 3;
  return -int64_t{reach} <= dx && dx <= 0;
}

UnitVector cGameWorld::unitVector(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool pixels) {
  const int64_t scale = pixels ? 256 : 1;
  const int64_t dx = (int64_t{x1} - x0) * scale;
  const int64_t dy = (int64_t{y1} - y0) * scale;
  const auto length = static_cast<int64_t>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
  if (length == 0) return {0, 0};
  // Rounded to nearest from a doubled quotient.
  const int64_t doubledX = dx * 512 / length;
  const int64_t doubledY = dy * 512 / length;
  return {static_cast<int32_t>((doubledX + 1) >> 1), static_cast<int32_t>((doubledY + 1) >> 1)};
}

int32_t cGameWorld::angleBetween(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool pixels) {
  if (pixels) {
    x0 <<= 8;
    y0 <<= 8;
    x1 <<= 8;
    y1 <<= 8;
  }
  return cGame::angleOf(x1 - x0, y0 - y1);
}

int64_t cGameWorld::distanceSquared(cActor* a, cActor* b) {
  if (a == nullptr || b == nullptr) return 0;
  const int64_t dx = int64_t{a->getPixelX()} - b->getPixelX();
  const int64_t dy = int64_t{a->getPixelY()} - b->getPixelY();
  return dx * dx + dy * dy;
}
