// The liftable object of kind 14: picked up, carried, put down or thrown by
// the player character, and broken by blows, throws and walls. Also the hits
// over an area that a throw and a sliding slider deal out.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/world/cActor.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/Object.h"

namespace {

constexpr int32_t cellSize = 32;
constexpr int32_t liftableBit = 128;
constexpr int32_t throwMask = 13;
constexpr int32_t breakSound = 21;
// 200 px a second, and a throw ends after 100 px.
constexpr int32_t throwSpeed = 51200;
constexpr int32_t throwReach = 25600;
// A thrown object sits 20 px lower than it was carried.
constexpr int32_t dropHeight = 20;

enum LiftState { RESTING = 0, BREAKING = 1, LIFTED = 2, CARRIED = 3, PUT_DOWN = 4, THROWN = 5, THROWN_AT = 6 };

cActor* focusActor() { return worldStatics().cGamePlay.focusActor; }

cActorMC* asCharacter(cActor* actor) {
  if (actor == nullptr || Object::instanceOf(actor, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(actor);
}

// Columns of the collision map; none before a level makes one.
int32_t mapColumns() {
  ObjectArray* map = toolkitStatics().cGameCollision.collisionMap;
  return map != nullptr ? map->length() : 0;
}

bool insideMap(int32_t column) { return column >= 0 && column < mapColumns(); }

int32_t mapRows() {
  ObjectArray* map = toolkitStatics().cGameCollision.collisionMap;
  if (map == nullptr || map->length() < 1) return 0;
  auto* column = static_cast<ByteArray*>(map->get(0));
  return column != nullptr ? column->length() : 0;
}

// 1 toward the right (facing right, up or down), 0 toward the left.
int32_t throwSide(cActor* character) {
  cActorMC* mc = asCharacter(character);
  const int32_t facing = mc != nullptr ? mc->facing : 0;
  if ((facing & DirectionMask::LEFT) != 0) return 0;
  if ((facing & (DirectionMask::RIGHT | DirectionMask::UP | DirectionMask::DOWN)) != 0) return 1;
  return 0;
}

// Every cell the object's footprint would take standing at pixel (px, py),
// counted as the footprint stamp counts them, lies in the map and is free
// for mask. Without a footprint its own cell is asked.
bool footprintFree(const cActor* object, int32_t px, int32_t py, int32_t mask) {
  IntArray* box = object->footprint;
  if (box == nullptr || box->length() < 4) {
    return insideMap(px / cellSize) && !cGame::testCollision(px / cellSize, py / cellSize, mask);
  }
  const int32_t firstColumn = box->get(0) + px / cellSize;
  const int32_t firstRow = box->get(1) + py / cellSize + (py % cellSize != 0 ? 1 : 0);
  const int32_t rows = mapRows();
  for (int32_t c = firstColumn; c < firstColumn + box->get(2); ++c) {
    if (!insideMap(c)) return false;
    for (int32_t r = firstRow; r < firstRow + box->get(3); ++r) {
      if (r < 0 || r >= rows || cGame::testCollision(c, r, mask)) return false;
    }
  }
  return true;
}

// The cached picture a carried object was painted from.
void freePicture(cActor* object) {
  if (object->player == nullptr) return;
  cGame::freeSnapshot(cGame::findSnapshot(object->player->sprite, object->param(7)));
}

}  // namespace

void cActor::setLiftState(int32_t n) {
  setParam(4, n);
  if (n != BREAKING) return;
  cGame::playSound(breakSound, false);
  setAnim(param(0), 1);
  cGame::stampFootprint(this, 1, liftableBit, false);
}

void cActor::startPutDown() { setParam(4, PUT_DOWN); }

void cActor::throwLifted(cActor* character) {
  if (character == nullptr) {
    debugLog("throwLifted: no character");
    return;
  }
  setParam(4, THROWN);
  setParam(11, throwSide(character));
  const int32_t s = param(11) == 1 ? 1 : -1;
  const int32_t ox = getPixelX();
  const int32_t oy = getPixelY();
  int32_t d = param(9);
  const int32_t target = (ox + d) / cellSize;
  const int32_t row = oy / cellSize;
  // The columns up to the target one; a target that does not lie ahead
  // tests none, and the map's edge stops the object like a wall.
  bool blocked = false;
  for (int32_t column = ox / cellSize + s; s > 0 ? column <= target : column >= target; column += s) {
    if (!insideMap(column) || cGame::testCollision(column, row, throwMask)) {
      blocked = true;
      d = (column - s) * cellSize - ox;
      break;
    }
  }
  setX((character->getPixelX() + d) << 8);
  setY((character->getPixelY() + dropHeight) << 8);
  setParam(9, 0);
  setParam(10, param(10) - dropHeight);
  setParam(13, 0);
  cActor* focus = focusActor();
  if (focus != nullptr) {
    cGame::hitArea(focus->getPixelX(), focus->getPixelY() + dropHeight,
                   param(11) == 1 ? DirectionMask::RIGHT : DirectionMask::LEFT, 56, 60, 30, false, -1);
  }
  if (blocked) {
    setLiftState(BREAKING);
    freePicture(this);
  }
}

// Set down on the floor: in the free cell beside the carrier on the side it
// faces, else on the other side, else where the carrier stands. It rests
// there and can be lifted again.
void cActor::putDownBeside(cActor* carrier) {
  setParam(13, 0);
  if (carrier == nullptr) {
    debugLog("putDownBeside: no carrier");
    return;
  }
  if (kind != ActorKind::BLOCKING_OBJECT) return;
  const int32_t cx = carrier->getPixelX();
  const int32_t cy = carrier->getPixelY();
  const int32_t s = throwSide(carrier) == 1 ? 1 : -1;
  int32_t px = cx;
  for (int32_t side : {s, -s}) {
    if (footprintFree(this, cx + side * cellSize, cy, throwMask | liftableBit)) {
      px = cx + side * cellSize;
      break;
    }
  }
  setX(px << 8);
  setY(cy << 8);
  setParam(4, RESTING);
  setParam(8, 0);
  setParam(9, -1);
  setParam(10, -1);
  freePicture(this);
  // Where the carrier stands the object stays off the map, or it would be
  // shut in.
  if (px != cx) cGame::stampFootprint(this, 0, liftableBit, false);
}

void cActor::updateLiftable() {
  switch (param(4)) {
    case BREAKING:
      if (!isAnimationEnded()) break;
      dropItem(param(1), getPixelX(), getPixelY(), 0);
      dropItem(param(2), getPixelX(), getPixelY(), 0);
      kill();
      break;
    case LIFTED: {
      cActorMC* character = asCharacter(focusActor());
      if (character == nullptr || character->state != 107) setLiftState(CARRIED);
      break;
    }
    case CARRIED:
      if (cActor* focus = focusActor()) {
        setX(focus->x);
        setY(focus->y);
      }
      break;
    case THROWN:
    case THROWN_AT: {
      bool blocked = false;
      if (param(4) == THROWN) {
        const int32_t s = param(11) != 0 ? 1 : -1;
        const int32_t step = static_cast<int32_t>(int64_t{shellStatics().cGameLoop.timeStep} * throwSpeed / 1000);
        const int32_t fromX = x;
        int32_t toX = fromX + s * step;
        const int32_t row = (getPixelY() - dropHeight) / cellSize;
        const int32_t first = getPixelX() / cellSize;
        const int32_t last = ((toX + 128) >> 8) / cellSize;
        // Every column it passes, its own first: it stops in front of the
        // first one that blocks and never enters it.
        for (int32_t column = first; s > 0 ? column <= last : column >= last; column += s) {
          if (!insideMap(column) || cGame::testCollision(column, row, throwMask)) {
            blocked = true;
            const int32_t edge = s > 0 ? column * cellSize - 1 : (column + 1) * cellSize;
            toX = column == first ? fromX : (s > 0 ? std::min(toX, edge << 8) : std::max(toX, edge << 8));
            break;
          }
        }
        setX(toX);
        hitAlongThrow(s > 0 ? DirectionMask::RIGHT : DirectionMask::LEFT, 56, 60, 30, false, -1);
        setParam(12, param(12) + (toX > fromX ? toX - fromX : fromX - toX));
        if (!blocked && param(12) < throwReach) break;
      }
      setLiftState(BREAKING);
      freePicture(this);
      break;
    }
    default:  // resting, and being put down by the carrier
      break;
  }
}

int32_t cActor::pushDirectionMask() const {
  switch (param(3)) {
    case 1: return DirectionMask::LEFT;
    case 2: return DirectionMask::RIGHT;
    case 4: return DirectionMask::UP;
    case 8: return DirectionMask::DOWN;
    default: return 0;
  }
}

void cActor::hitAhead() { cGame::hitArea(getPixelX(), getPixelY(), pushDirectionMask(), 64, 84, 30, true, 20); }

void cActor::hitAlongThrow(int32_t direction, int32_t w, int32_t h, int32_t damage, bool hitPlayer,
                           int32_t playerDamage) {
  cGame::hitArea(getPixelX(), getPixelY(), direction, w, h, damage, hitPlayer, playerDamage);
}

void cGameWorld::hitArea(int32_t x, int32_t y, int32_t direction, int32_t w, int32_t h, int32_t damage,
                         bool hitPlayer, int32_t playerDamage) {
  cActor* next = nullptr;
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = next) {
    // Taken first: a blow may take the actor out of the list.
    next = actor->nextInLayer;
    if (actor->kind == ActorKind::CREATURE) {
      cActorEnemy* creature = cActorEnemy::asCreature(actor);
      if (creature == nullptr || creature->hp < 1 || creature->state == 104 || creature->state == 666) continue;
      if (cActor::inRegion(x, y, creature, direction, w, h)) creature->takeBlow(3, direction, damage);
    } else if (actor->kind == ActorKind::BLOCKING_OBJECT) {
      if (actor->isAwakeSensor() && cActor::inRegion(x, y, actor, direction, w, h)) actor->setLiftState(1);
    }
  }
  if (!hitPlayer) return;
  cActorMC* character = asCharacter(focusActor());
  if (character != nullptr && cActor::inRegion(x, y, character, direction, w, h)) {
    character->enterHit(2, direction, playerDamage);
  }
}
