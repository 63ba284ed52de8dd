// A person's own speed model and its grid-aligned step mover. Nothing in
// the game asks for walking or running, so only the brake chain runs and
// the mover ends at once; people move by scripted straight moves.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActorNPC.h"

namespace {

constexpr int32_t walkingMask = 173;
constexpr int32_t stepLimit = 4096;  // 16 px
constexpr int32_t cellSize = 32;
constexpr int32_t horizontalBits = 0x3050;
constexpr int32_t verticalBits = 0xD04;

struct ModeRule {
  int32_t cap;
  int32_t add;  // added on an axis the direction has; the other axis is set to 0
};

}  // namespace

void cActorNPC::setMode(int32_t mode) {
  if (mode != moveMode || direction != modeDirection) {
    if (mode == 1 && moveMode != 1) walkWork = 0;
    moveMode = mode;
    if (mode != 4) modeDirection = direction;
  }
  const bool horizontal = (direction & horizontalBits) != 0;
  const bool vertical = (direction & verticalBits) != 0;
  int32_t cap = 0;
  switch (mode) {
    case 1:
    case 3: {
      const ModeRule rule = mode == 1 ? ModeRule{70, 1} : ModeRule{90, 70};
      cap = rule.cap;
      speedX = horizontal ? speedX + rule.add : 0;
      speedY = vertical ? speedY + rule.add : 0;
      break;
    }
    case 4:
      cap = 90;
      speedX -= 2;
      speedY -= 2;
      break;
    default:
      speedX = 0;
      speedY = 0;
      break;
  }
  speedX = std::clamp(speedX, 0, cap);
  speedY = std::clamp(speedY, 0, cap);
}

void cActorNPC::stepMode() {
  switch (moveMode) {
    case 1:
      setMode(0);
      break;
    case 3:
      setMode(4);
      break;
    case 4:
      if (speedX == 0 && speedY == 0) {
        brakeFrames = 4;
        setMode(5);
      } else {
        setMode(4);
      }
      break;
    case 5:
      if (--brakeFrames <= 0) setMode(0);
      break;
    default:
      break;
  }
}

bool cActorNPC::stepMove(int32_t mask, int32_t dx, int32_t dy, int32_t cornerOffset) {
  cornerAssisted = false;
  if (dx < 1 && dy < 1) return true;
  int32_t remainingX = std::max(dx, 0);
  int32_t remainingY = std::max(dy, 0);
  while (remainingX > 0 || remainingY > 0) {
    const int32_t stepX = std::min(remainingX, stepLimit);
    const int32_t stepY = std::min(remainingY, stepLimit);
    remainingX -= stepX;
    remainingY -= stepY;
    const int32_t fromX = x;
    const int32_t fromY = y;
    setX(x + stepX * signX);
    setY(y + stepY * signY);
    if (!cGame::isBlockedAt(getPixelX(), getPixelY(), walkingMask)) continue;
    // Blocked: back to the last free point, lined up with the cell grid
    // across the way it moves, then a corner step along it when free.
    setX(fromX);
    setY(fromY);
    const bool horizontal = (mask & horizontalBits) != 0;
    if (horizontal) setY((getPixelY() / cellSize * cellSize + cellSize / 2) << 8);
    else setX((getPixelX() / cellSize * cellSize + cellSize / 2) << 8);
    const int32_t cornerX = horizontal ? x + std::min(cornerOffset, stepX) * signX : x;
    const int32_t cornerY = horizontal ? y : y + std::min(cornerOffset, stepY) * signY;
    if (!cGame::isBlockedAt((cornerX + 128) >> 8, (cornerY + 128) >> 8, walkingMask)) {
      setX(cornerX);
      setY(cornerY);
    }
    cornerAssisted = true;
    return false;
  }
  return true;
}
