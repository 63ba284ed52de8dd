// The creature's painter: its picture in its palette, a wearing-out
// creature's marker, the tiles in front of it, the health bar while it
// reels from a blow, and the stun effect over its head.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"

void cActorEnemy::paint() {
  if (isKilled() && state == 104) return;
  if (!isActive() || hasFlag(ActorFlags::HIDDEN)) return;
  const cGamePlayStatics& play = worldStatics().cGamePlay;
  screenX = getPixelX() - play.cameraPixelX;
  screenY = getPixelY() - play.cameraPixelY;
  if (!isOnScreen()) return;
  if (!(wearsOut() && isDefeated())) paintPlayer(true);
  if (wearsOut() && markerPlayer != nullptr) {
    markerPlayer->x = screenX;
    markerPlayer->y = screenY;
    markerPlayer->paint();
  }
  repaintOccludingTiles();
  paintHealthBar();
  if (hasEffect && effectPlayer != nullptr) {
    effectPlayer->x = getPixelX() - play.cameraPixelX;
    effectPlayer->y = getPixelY() - play.cameraPixelY - 70;
    effectPlayer->paint();
  }
}

void cActorEnemy::paintHealthBar() {
  if (state != 100) return;
  if (worldStatics().cGameRoom.targetActor == this && (cGame::isProgressAt3Or7() || cGame::isProgressAt9())) return;
  javax_microedition_lcdui_Graphics* g = shellStatics().cGameLoop.graphics;
  const int32_t maximum = param(22);
  if (g == nullptr || maximum <= 0) return;
  g->setColor(0xFFFFFF);
  g->drawRect(screenX - 30, screenY - 130, 60, 8);
  g->setColor(0xFF0000);
  g->fillRect(screenX - 29, screenY - 129, static_cast<int32_t>(int64_t{shownHp} * 59 / maximum), 7);
}
