// What objects stamp into the collision map (footprints counted in cells,
// and the characters' frame boxes), and the one-sided blockers that stop a
// mover crossing one edge of a rectangle.
#include <algorithm>
#include <cstdint>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

namespace {

constexpr int32_t cellSize = 32;
constexpr int32_t objectBit = 4;
constexpr int32_t liftableBit = 128;
// The sprite whose people block the full height of their frame.
constexpr int32_t tallCharacterSprite = 22;

ObjectArray* collisionMap() { return toolkitStatics().cGameCollision.collisionMap; }

// The frame box of a character or object picture (bit 8), set or cleared.
void stampFrameFootprint(cActor* actor, int32_t mode) {
  CVLibPlayer* player = actor->player;
  if (player == nullptr) return;
  ASprite* sprite = player->sprite;
  const bool fullHeight = sprite != nullptr && sprite == shell::spriteAt(tallCharacterSprite);
  cGame::markSpriteBox(actor, sprite, player->anim, actor->getPixelX(), actor->getPixelY(), fullHeight, mode);
}

// The blocker's four edges, each held from the side it faces.
struct BlockerEdges {
  int32_t left, right, top, bottom;
};

bool clipAtBlocker(const BlockerEdges& e, int32_t sides, int32_t fromX, int32_t fromY, int32_t& x, int32_t& y) {
  bool clipped = false;
  if ((sides & 1) != 0 && e.top < y && y < e.bottom && e.left < x && fromX <= e.left) {
    x = e.left;
    clipped = true;
  }
  if ((sides & 2) != 0 && e.top < y && y < e.bottom && x < e.right && fromX >= e.right) {
    x = e.right;
    clipped = true;
  }
  if ((sides & 4) != 0 && e.left < x && x < e.right && e.top < y && fromY <= e.top) {
    y = e.top;
    clipped = true;
  }
  if ((sides & 8) != 0 && e.left < x && x < e.right && y < e.bottom && fromY >= e.bottom) {
    y = e.bottom;
    clipped = true;
  }
  return clipped;
}

void placeAtPixel(cActor* actor, int32_t x, int32_t y) {
  actor->setX(x << 8);
  actor->setY(y << 8);
}

}  // namespace

bool cActor::hasCellFootprint() const {
  switch (kind) {
    case ActorKind::BARRIER:
    case ActorKind::BLOCKING_OBJECT:
    case ActorKind::MOVER:
    case ActorKind::SLIDER:
    case ActorKind::SENSOR:
    case ActorKind::BARRIER_SWITCH:
    case ActorKind::KEY_OBJECT:
      return true;
    default:
      return false;
  }
}

void cActor::clearFootprintBlocking() {
  // A footprint in pixels read as cells would clear a wide stretch of the
  // room's walls and barriers.
  if (footprint == nullptr || !hasCellFootprint()) return;
  cGame::stampFootprint(this, 1, objectBit, false);
}

void cGameWorld::stampFootprint(cActor* actor, int32_t mode, int32_t mask, bool aligned) {
  ObjectArray* map = collisionMap();
  if (actor == nullptr || actor->footprint == nullptr || actor->footprint->length() < 4 || map == nullptr) return;
  IntArray* box = actor->footprint;
  const int32_t px = actor->getPixelX();
  const int32_t py = actor->getPixelY();
  const int64_t firstColumn = int64_t{box->get(0)} + px / cellSize;
  const int64_t firstRow = int64_t{box->get(1)} + py / cellSize + (!aligned && py % cellSize != 0 ? 1 : 0);
  if (mode == 0 || mode == 1) {
    // Only the cells inside the map are walked, however large the box.
    const int64_t fromColumn = std::max<int64_t>(firstColumn, 0);
    const int64_t toColumn = std::min<int64_t>(firstColumn + box->get(2), map->length());
    for (int64_t c = fromColumn; c < toColumn; ++c) {
      auto* column = static_cast<ByteArray*>(map->get(static_cast<int32_t>(c)));
      if (column == nullptr) continue;
      const int64_t fromRow = std::max<int64_t>(firstRow, 0);
      const int64_t toRow = std::min<int64_t>(firstRow + box->get(3), column->length());
      for (int64_t r = fromRow; r < toRow; ++r) {
        const int32_t row = static_cast<int32_t>(r);
        const int32_t value = column->get(row);
        column->set(row, static_cast<int8_t>(mode == 0 ? value | mask : value & ~mask));
      }
    }
  }
  if (aligned) {
    actor->setX(px / cellSize * cellSize << 8);
    actor->setY(py / cellSize * cellSize << 8);
  }
}

void cGameWorld::restampAllFootprints() {
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    // What is out of play cleared its cells when it left and stays off
    // the map.
    if (actor->isKilled()) continue;
    switch (actor->kind) {
      case ActorKind::BARRIER:
        if (actor->isActive()) stampFootprint(actor, 0, objectBit, false);
        break;
      case ActorKind::SENSOR:
      case ActorKind::KEY_OBJECT:
        stampFootprint(actor, 0, objectBit, false);
        break;
      case ActorKind::BARRIER_SWITCH:
        if (actor->param(6) == 2) stampFootprint(actor, 0, objectBit, false);
        break;
      case ActorKind::MOVER:
      case ActorKind::SLIDER:
        stampFootprint(actor, 0, objectBit, true);
        break;
      case ActorKind::BLOCKING_OBJECT:
        stampFootprint(actor, 0, liftableBit, false);
        break;
      case ActorKind::NPC:
        stampFrameFootprint(actor, 0);
        break;
      case ActorKind::MARKER: {
        const bool shownElsewhere = actor->param(1) == 2 && actor->player != nullptr &&
                                    actor->player->anim != actor->param(11);
        stampFrameFootprint(actor, shownElsewhere ? 1 : 0);
        break;
      }
      default:
        break;
    }
  }
}

bool cGameWorld::moveWithBlockers(cActor* actor, int32_t x, int32_t y, bool commit) {
  if (actor == nullptr) return false;
  cGamePlayStatics& play = worldStatics().cGamePlay;
  const int32_t fromX = play.lastFocusX;
  const int32_t fromY = play.lastFocusY;
  bool clipped = false;
  for (cActor* blocker = cActor::layerHead(0); blocker != nullptr; blocker = blocker->nextInLayer) {
    if (blocker->kind != ActorKind::ONE_SIDED_BLOCKER || blocker->isKilled() || blocker->isActive()) continue;
    const int32_t sides = blocker->param(2);
    if (sides == 0) continue;
    // Standing still never crosses an edge.
    if (x == fromX && y == fromY) continue;
    const int32_t left = blocker->getPixelX();
    const int32_t top = blocker->getPixelY();
    const BlockerEdges edges{left, left + blocker->param(0), top, top + blocker->param(1)};
    if (!clipAtBlocker(edges, sides, fromX, fromY, x, y)) continue;
    clipped = true;
    if (commit) placeAtPixel(actor, x, y);
  }
  if (x != fromX || y != fromY) {
    const int32_t width = cGame::getMapWidth();
    const int32_t height = cGame::getMapHeight();
    const int32_t heldX = x < 16 && fromX >= 16 ? 16 : x > width && fromX <= width ? width : x;
    const int32_t heldY = y < 16 && fromY >= 16 ? 16 : y > height && fromY <= height ? height : y;
    if (heldX != x || heldY != y) {
      x = heldX;
      y = heldY;
      clipped = true;
      if (commit) placeAtPixel(actor, x, y);
    }
  }
  play.lastFocusX = actor->getPixelX();
  play.lastFocusY = actor->getPixelY();
  return clipped;
}
