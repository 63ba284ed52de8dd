// What a creature sees: the sight test, and the view cone traced against
// the walls and drawn over the scene.
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorEnemy.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t coneColour = 0x11EE11;
constexpr int32_t cellSize = 32;
constexpr int32_t solidMask = 1;
constexpr int32_t quarterTurn = 64;

int32_t sine(int32_t angle) { return cGame::cosLookup(quarterTurn - angle); }

// Degrees to 256ths of a turn.
int32_t toTableUnits(int32_t degrees) { return static_cast<int32_t>(int64_t{degrees} * 256 / 360); }

bool withinTraceBounds(int64_t px, int64_t py) { return px >= 0 && px <= 204800 && py >= 0 && py <= 122880; }

int32_t roundToPixel(int64_t v) { return static_cast<int32_t>((v + 128) >> 8); }

}  // namespace

bool cActorEnemy::sees(cActor* actor) {
  if (actor == nullptr || actor->hp < 1) return false;
  const int32_t angle = cGame::angleBetween(getPixelX(), getPixelY(), actor->getPixelX(), actor->getPixelY(), true);
  const int32_t difference = std::abs(angle - viewAngle) * 360 / 256 % 360;
  int64_t halfAngle = param(23);
  const int64_t reach = int64_t{param(24)} * cellSize;
  int64_t reachSquared = reach * reach;
  if (actor->boundActor != nullptr) {
    halfAngle = 80;
    reachSquared = int64_t{param(24)} * param(24) * 25600 / 16;
  }
  if (difference > halfAngle && difference < 360 - halfAngle) return false;
  const int64_t dx = int64_t{actor->getPixelX()} - getPixelX();
  const int64_t dy = int64_t{actor->getPixelY()} - getPixelY();
  if (dx * dx + dy * dy < reachSquared && hasClearLine(actor, solidMask)) return true;
  if (!hasOption(OPTION_VIEW_CONE)) return false;
  const int64_t lowered = dy - 50;
  return dx * dx + lowered * lowered < reachSquared && hasClearLine(actor, solidMask);
}

void cActorEnemy::traceCone(cActor*) {
  if (coneWork == nullptr || coneWork->length() < 4) return;
  const int32_t apexX = getPixelX();
  const int32_t apexY = getPixelY();
  const int64_t length = int64_t{param(24)} * cellSize;
  const int32_t half = toTableUnits(param(23));
  const int32_t angles[2] = {viewAngle - half, viewAngle + half};
  int64_t fullX[2];
  int64_t fullY[2];
  bool anyInside = withinTraceBounds(apexX, apexY);
  for (int32_t e = 0; e < 2; ++e) {
    fullX[e] = cGame::cosLookup(angles[e]) * length / 256;
    fullY[e] = -sine(angles[e]) * length / 256;
    anyInside = anyInside || withinTraceBounds(apexX + fullX[e], apexY + fullY[e]);
  }
  if (!anyInside) return;
  for (int32_t e = 0; e < 2; ++e) {
    const int64_t fx = fullX[e];
    const int64_t fy = fullY[e];
    const int64_t steps = (std::max(std::llabs(fx) / cellSize, std::llabs(fy) / cellSize) + 1) * 2;
    const int64_t stepX = fx * 256 / steps;
    const int64_t stepY = fy * 256 / steps;
    int64_t px = int64_t{apexX} << 8;
    int64_t py = int64_t{apexY} << 8;
    int64_t dx = fx;
    int64_t dy = fy;
    for (int64_t i = 0; i < steps; ++i) {
      px += stepX;
      py += stepY;
      const int32_t column = roundToPixel(px) / cellSize;
      const int32_t row = roundToPixel(py) / cellSize;
      if (!cGame::testCollision(column, row, solidMask)) continue;
      dx = roundToPixel(px) - apexX;
      dy = roundToPixel(py) - apexY;
      // Down the screen the wall's foot hides less: the edge goes on 50 px.
      if (dy > 0 && stepY != 0) {
        dx += (12800 * stepX / stepY + 128) >> 8;
        dy += 50;
      }
      break;
    }
    if (std::llabs(dx) > std::llabs(fx)) dx = fx;
    if (std::llabs(dy) > std::llabs(fy)) dy = fy;
    coneWork->set(2 * e, static_cast<int32_t>(dx));
    coneWork->set(2 * e + 1, static_cast<int32_t>(dy));
  }
}

void cActorEnemy::paintCone() {
  if (isDefeated() || state == 100 || !hasOption(OPTION_VIEW_CONE) || !isOnScreen()) return;
  javax_microedition_lcdui_Graphics* g = shellStatics().cGameLoop.graphics;
  if (g == nullptr || coneWork == nullptr || coneWork->length() < 4) return;
  const int32_t apexX = screenX + cGame::cosLookup(viewAngle) * 10 / 256;
  const int32_t apexY = screenY - sine(viewAngle) * 10 / 256 - 107;
  g->setColor(coneColour);
  g->drawLine(apexX, apexY, apexX + coneWork->get(2), apexY + coneWork->get(3));
  g->drawLine(apexX, apexY, apexX + coneWork->get(0), apexY + coneWork->get(1));
}

void cActorEnemy::paintCones() {
  for (cActor* actor = layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    cActorEnemy* creature = asCreature(actor);
    if (creature == nullptr || creature->isKilled() || creature->hasFlag(ActorFlags::HIDDEN)) continue;
    if (creature->isActive()) creature->paintCone();
  }
}
