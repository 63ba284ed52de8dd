// The per-actor paint step: the painters of the simple kinds, the
// highlighted repaint and the foreground tiles repainted over an actor.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/DrawEffectsStatics.h"
#include "game/world/cActor.h"
#include "platform/java_lang/java_lang_System.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"

namespace {

cGamePlayStatics& play() { return worldStatics().cGamePlay; }

javax_microedition_lcdui_Graphics* frameGraphics() { return shellStatics().cGameLoop.graphics; }

bool ringUp() { return cGame::isAnchoredPanelActive(); }

// A barrier shows its closing picture this long before the spent one.
constexpr int64_t barrierFadeMillis = 3000;

// The shadow under a falling object: translucent black lines, widest at the
// object's foot and narrowing above and below; the higher the object, the
// smaller its shadow.
void paintFallShadow(int32_t x, int32_t y, int32_t heightPixels) {
  const int32_t widest = std::clamp(48 - heightPixels / 8, 8, 48);
  const int32_t rows = widest / 8;
  cGame::setFillColor(0x60000000);
  for (int32_t dy = -rows; dy <= rows; ++dy) {
    const int32_t width = widest - 2 * std::abs(dy);
    cGame::fillRectAlpha(frameGraphics(), x - width / 2, y + dy, width, 1);
  }
}

}  // namespace

void cActor::paintPlayer(bool withPalette) {
  if (player == nullptr) return;
  if (withPalette && player->sprite != nullptr) player->sprite->setPalette(palette);
  player->x = screenX;
  player->y = screenY;
  player->paint();
}

void cActor::paintHighlighted(int32_t colourA, int32_t colourB, int32_t alpha) {
  if (player == nullptr) return;
  player->x = screenX;
  player->y = screenY;
  // A tinted pass that pulses with the frame counter, then the plain
  // picture half see-through over it.
  const int32_t percent = (shellStatics().cGameLoop.frameCount % 10 + 10) % 10 * 10;
  cGame::enableEffect(effect::highlightBand, false);
  cGame::setEffectParameter(effect::highlightBand, 1, -128);
  cGame::setEffectParameter(effect::highlightBand, 2, 255);
  cGame::setEffectParameter(effect::highlightBand, 3, cGame::lerpColor(colourA, colourB, percent));
  player->paint();
  cGame::clearEffects(1 << effect::highlightBand);
  player->alpha = alpha;
  player->paint();
  player->alpha = -1;
}

void cActor::paintPulsing(bool highlightable) {
  // Objects the player can use pulse white and grey while the ring is up.
  if (highlightable && ringUp()) paintHighlighted(0xFFFFFF, 0xAAAAAA, 63);
  else paintPlayer(false);
}

void cActor::paint() {
  if (isKilled() && !alwaysPaint) return;
  if (hasFlag(ActorFlags::HIDDEN)) return;
  screenX = getPixelX() - play().cameraPixelX;
  screenY = getPixelY() - play().cameraPixelY;
  paintKind();
  repaintOccludingTiles();
}

// At its carried angle params[8] and offsets params[9], params[10] from the
// screen position: turned from its cached picture, or upright.
void cActor::paintAtOffsets() {
  if (player == nullptr) return;
  if (player->sprite != nullptr) player->sprite->setPalette(palette);
  if (param(8) != 0) {
    const int32_t px = screenX + param(9);
    const int32_t py = screenY + param(10) - 70;
    cGame::drawWarpedSnapshot(player->sprite, param(7), px, py, px, py, param(8), 0);
  } else if (param(9) == -1 && param(10) == -1) {
    player->x = screenX;
    player->y = screenY + 70;
    player->paint();
  } else {
    player->x = screenX + param(9);
    player->y = screenY + param(10);
    player->paint();
  }
}

void cActor::paintCarried(int32_t carrierScreenX, int32_t carrierScreenY) {
  if (!isParam13Set() || isKilled()) return;
  screenX = carrierScreenX;
  screenY = carrierScreenY;
  paintAtOffsets();
}

void cActor::paintKind() {
  if (player == nullptr) return;
  const int32_t progress = cGame::progressValue();
  switch (kind) {
    case ActorKind::EFFECT:
    case ActorKind::SENSOR:
    case ActorKind::BARRIER_SWITCH:
      paintPlayer(true);
      break;
    case ActorKind::BARRIER: {
      if (!isActive()) break;
      if (player->anim == 64 || player->anim == 65) {
        setAnim(player->anim == 64 ? 3 : 4, -1);
        kindTick = java_lang_System::currentTimeMillis();
      }
      if ((player->anim == 3 || player->anim == 4) &&
          java_lang_System::currentTimeMillis() - kindTick >= barrierFadeMillis) {
        setSprite(shell::spriteAt(27));
        setAnim(66, -1);
      }
      if (progress == 9 && player->anim == 68) {
        setSprite(shell::spriteAt(51));
        setAnim(0, -1);
      }
      paintPlayer(true);
      break;
    }
    case ActorKind::BLOCKING_OBJECT: {
      if (param(13) != 0) break;
      if (param(4) == 5) {
        paintAtOffsets();
        break;
      }
      const bool highlightable = isActive() && param(5) != 0;
      if (highlightable) play().highlightPresent = true;
      if (player->sprite != nullptr) player->sprite->setPalette(palette);
      paintPulsing(highlightable);
      break;
    }
    case ActorKind::MOVER:
      if (param(5) != 0) play().highlightPresent = true;
      paintPulsing(param(5) != 0);
      break;
    case ActorKind::COLLECTIBLE:
      if (isKilled() || !isActive() || param(0) != -1) break;
      paintPulsing(param(7) != 0);
      break;
    case ActorKind::SLIDER:
      paintPlayer(false);
      break;
    case ActorKind::PATH_HAZARD:
      if (!isKilled() && progress != 0 && progress != 1 && progress != 5 && progress != 6) paintPlayer(true);
      break;
    case ActorKind::CRITTER:
      if (!isKilled()) paintPlayer(true);
      break;
    case ActorKind::BEHAVIOUR_MACHINE: {
      if (kindState == 3 || kindState == 4 || kindState == 8) {
        const bool flashing = behaviourTimer > 0 && hp > 0;
        const int32_t shown = flashing ? 3 : kindState == 3 ? 1 : kindState == 4 ? 3 : 2;
        if (player->sprite != nullptr) player->sprite->setPalette(shown);
      }
      paintPlayer(false);
      if ((progress == 1 || progress == 6) && kindState == 3) play().hudActionHighlight = true;
      break;
    }
    case ActorKind::SPAWNER: {
      if (!isActive() || !isOnScreen() || kindState == 3 || kindState == 4 || kindState == 8) break;
      if (kindState == 9 && spawnerStep == 0) break;
      if (kindState == 11 && riserStep == 0) break;
      int32_t shown = palette;
      if (kindState == 7) shown = 2;
      else if (kindState == 1) shown = 1;
      else if (kindState == 0 || kindState == 2) shown = 0;
      if (player->sprite != nullptr) player->sprite->setPalette(shown);
      paintPlayer(false);
      break;
    }
    case ActorKind::SPAWNED:
      if (isOnScreen()) paintPlayer(true);
      break;
    case ActorKind::FALLING_OBJECT:
      if (isKilled() || !isActive()) break;
      if (param(1) == 1) paintFallShadow(screenX, screenY, getPixelZ());
      screenY -= getPixelZ();
      paintPlayer(true);
      break;
    case ActorKind::THROWN_OBJECT:
      if (isKilled()) break;
      screenY -= (param(3) + 128) >> 8;
      paintPlayer(true);
      break;
    case ActorKind::PATH: {
      if (isKilled() || !isActive() || !ringUp()) break;
      paintPlayer(true);
      // Every point of the path with the same player: {x, y, animation}.
      const int32_t points = std::clamp(param(0), 0, (params != nullptr ? params->length() - 1 : 0) / 3);
      for (int32_t i = 0; i < points; ++i) {
        player->x = param(1 + 3 * i) - play().cameraPixelX;
        player->y = param(2 + 3 * i) - play().cameraPixelY;
        player->setAnim(param(3 + 3 * i), -1);
        player->paint();
      }
      break;
    }
    case ActorKind::AREA_TRIGGER:
      if (!isActive()) break;
      if (progress == 9 && (player->anim == 68 || player->anim == 5)) setAnim(0, -1);
      paintPlayer(true);
      break;
    case ActorKind::FLAG_TRIGGER:
    case ActorKind::SNAPSHOT_TRIGGER:
      if (isActive()) paintPlayer(true);
      break;
    case ActorKind::MARKER: {
      if (isKilled() || !(isActive() || alwaysPaint)) break;
      const bool highlightable = param(8) != 0;
      if (highlightable) play().highlightPresent = true;
      paintPulsing(highlightable);
      break;
    }
    case ActorKind::KEY_OBJECT: {
      const bool highlightable = isActive() && param(12) != 0;
      if (highlightable) play().highlightPresent = true;
      if (player->sprite != nullptr) player->sprite->setPalette(palette);
      paintPulsing(highlightable);
      break;
    }
    case ActorKind::CONTACT_AREA:
      if (isActive() && (param(0) != 6 || param(2) >= 0)) paintPlayer(true);
      break;
    default:  // 18 and kinds without a painter; the characters paint themselves
      break;
  }
}

void cActor::repaintOccludingTiles() {
  IntArray* rect = getFrameRect();
  if (rect == nullptr) return;
  const int32_t left = rect->get(0);
  const int32_t top = rect->get(1);
  const int32_t columns = (rect->get(2) - left + 16) / 32 + 1;
  const int32_t rows = (rect->get(3) - top + 16) / 32 + 1;
  const int32_t firstColumn = left / 32;
  const int32_t firstRow = top / 32;
  javax_microedition_lcdui_Graphics* g = frameGraphics();
  for (int32_t layerIndex = 0; layerIndex <= 2; layerIndex += 2) {
    ASprite* tiles = shell::spriteAt(7 + layerIndex);
    if (tiles == nullptr || !CVLibPlayer::isLayerBuilt(layerIndex)) continue;
    const int32_t lastColumn = std::min(firstColumn + columns, CVLibPlayer::getLayerColumns(layerIndex));
    const int32_t lastRow = std::min(firstRow + rows, CVLibPlayer::getLayerRows(layerIndex));
    const int32_t scrollX = CVLibPlayer::getLayerScrollX(layerIndex);
    const int32_t scrollY = CVLibPlayer::getLayerScrollY(layerIndex);
    for (int32_t row = std::max(firstRow, 0); row < lastRow; ++row) {
      for (int32_t column = std::max(firstColumn, 0); column < lastColumn; ++column) {
        if (!cGame::testCollision(column, row, 2)) continue;
        const int32_t tile = CVLibPlayer::getLayerTile(layerIndex, column, row);
        if (tile > 254) continue;
        const int32_t flip = CVLibPlayer::getLayerAttribute(layerIndex, column, row) & 3;
        // A mirrored tile is drawn from its far edge, so it covers its cell.
        const int32_t cellX = column * 32 - scrollX + ((flip & 1) != 0 ? 32 : 0);
        const int32_t cellY = row * 32 - scrollY + ((flip & 2) != 0 ? 32 : 0);
        spritePainterCalls().paintFrame(tiles, g, tile, cellX, cellY, flip);
      }
    }
  }
}
