// Effect animations anchored to a world x, the timed notice, the marker over
// an actor, the carried-object icon and the aim brackets.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

namespace {

cGameEffectsStatics& effects() { return worldStatics().cGameEffects; }
cGameNoticeStatics& notice() { return shellStatics().cGameNotice; }
cGamePlayStatics& play() { return worldStatics().cGamePlay; }
int32_t timeStep() { return shellStatics().cGameLoop.timeStep; }

CVLibPlayer* effectPlayer(int32_t slot) {
  ObjectArray* players = effects().effectPlayers;
  return players != nullptr ? static_cast<CVLibPlayer*>(players->get(slot)) : nullptr;
}

bool makeEffectArrays() {
  cGameEffectsStatics& state = effects();
  if (state.effectPlayers != nullptr) return true;
  state.effectPlayers = newObjectArray(cGameEffectsStatics::effectSlots);
  state.effectTimeLeft = newIntArray(cGameEffectsStatics::effectSlots);
  state.effectWorldX = newIntArray(cGameEffectsStatics::effectSlots);
  state.effectAtTop = newByteArray(cGameEffectsStatics::effectSlots);
  if (state.effectPlayers == nullptr || state.effectTimeLeft == nullptr || state.effectWorldX == nullptr ||
      state.effectAtTop == nullptr) {
    state.effectPlayers = nullptr;
    return false;
  }
  for (int32_t i = 0; i < cGameEffectsStatics::effectSlots; ++i) state.effectWorldX->set(i, -1);
  return true;
}

void dropEffectArrays() {
  cGameEffectsStatics& state = effects();
  state.effectPlayers = nullptr;
  state.effectTimeLeft = nullptr;
  state.effectWorldX = nullptr;
  state.effectAtTop = nullptr;
}

CVLibPlayer* newLoopingPlayer(ASprite* sprite, int32_t anim) {
  auto* player = newObject<CVLibPlayer>();
  if (player == nullptr) return nullptr;
  player->setSprite(sprite);
  player->setAnim(anim, -1);
  return player;
}

}  // namespace

void cGameWorld::spawnEffect(int32_t spriteIndex, int32_t anim, int32_t ms, int32_t worldX, bool atTop) {
  if (spriteIndex < 0 || anim < 0) return;
  // Level data and scripts name the sprite: an empty or unknown slot plays
  // nothing.
  ASprite* sprite = shell::spriteAt(spriteIndex);
  if (sprite == nullptr) {
    debugLog("Effect sprite %d is not loaded", spriteIndex);
    return;
  }
  if (!makeEffectArrays()) return;
  const int32_t slot = findFreeEffectSlot();
  if (slot < 0) return;
  CVLibPlayer* player = newLoopingPlayer(sprite, anim);
  if (player == nullptr) return;
  cGameEffectsStatics& state = effects();
  state.effectPlayers->set(slot, player);
  state.effectTimeLeft->set(slot, ms);
  state.effectWorldX->set(slot, worldX);
  state.effectAtTop->set(slot, atTop ? 1 : 0);
  player->x = worldX - play().cameraPixelX;
  player->y = atTop ? 25 : 450;
}

int32_t cGameWorld::findFreeEffectSlot() {
  if (effects().effectPlayers == nullptr) return -1;
  for (int32_t i = 0; i < cGameEffectsStatics::effectSlots; ++i) {
    if (effectPlayer(i) == nullptr) return i;
  }
  return -1;
}

void cGameWorld::removeEffect(int32_t slot) {
  cGameEffectsStatics& state = effects();
  if (state.effectPlayers == nullptr || slot < 0 || slot >= cGameEffectsStatics::effectSlots) return;
  state.effectPlayers->set(slot, nullptr);
  state.effectTimeLeft->set(slot, 0);
  state.effectWorldX->set(slot, -1);
}

void cGameWorld::updateEffects() {
  cGameEffectsStatics& state = effects();
  if (state.effectPlayers == nullptr) return;
  const int32_t step = timeStep();
  const int32_t animationStep = shellStatics().cGameShared.fullSpeedAnimation ? step : step * 10 / 16;
  bool anyLeft = false;
  for (int32_t i = 0; i < cGameEffectsStatics::effectSlots; ++i) {
    CVLibPlayer* player = effectPlayer(i);
    if (player == nullptr) continue;
    player->update(animationStep);
    const int32_t left = state.effectTimeLeft->get(i) - step;
    state.effectTimeLeft->set(i, left);
    player->x = state.effectWorldX->get(i) - play().cameraPixelX;
    if (left < 1) removeEffect(i);
    else anyLeft = true;
  }
  if (!anyLeft) dropEffectArrays();
}

void cGameWorld::paintEffects() {
  if (effects().effectPlayers == nullptr) return;
  for (int32_t i = 0; i < cGameEffectsStatics::effectSlots; ++i) {
    CVLibPlayer* player = effectPlayer(i);
    if (player != nullptr && player->anim >= 0) player->paint();
  }
}

void cGameWorld::showNotice(String* text, int32_t ms, ASprite* iconSprite, int32_t iconAnim) {
  cGameNoticeStatics& state = notice();
  state.noticeY = 0;
  if (text == nullptr) return;
  state.noticeText = text;
  state.noticeRemaining = ms;
  state.noticeIcon = iconSprite != nullptr && iconAnim >= 0 ? newLoopingPlayer(iconSprite, iconAnim) : nullptr;
}

void cGameWorld::showHint(int32_t textId, int32_t ms, bool raw) {
  notice().noticeY = 0;
  if (textId < 0) return;
  if (String* text = cGame::getText(raw ? textId : textId + 272)) showNotice(text, ms, nullptr, -1);
}

bool cGameWorld::isHintShown() { return notice().noticeText != nullptr; }

void cGameWorld::updateNotice() {
  cGameNoticeStatics& state = notice();
  if (state.noticeText == nullptr) return;
  state.noticeRemaining -= timeStep();
  if (state.noticeRemaining <= 0) clearHint();
}

void cGameWorld::paintActorMarker() {
  cGameEffectsStatics& state = effects();
  if (state.markerShown && state.markerPlayer != nullptr) {
    state.markerPlayer->x = state.markerX - play().cameraPixelX;
    state.markerPlayer->y = state.markerY - play().cameraPixelY;
    state.markerPlayer->paint();
    state.markerPainted = true;
  }
  cActor* focus = play().focusActor;
  if (focus == nullptr || !state.carriedIconShown || !Object::instanceOf(focus, classid::cActorMC)) return;
  CVLibPlayer* icon = static_cast<cActorMC*>(focus)->carriedIcon;
  if (icon == nullptr) return;
  icon->x = 400;
  icon->y = 412;
  icon->paint();
}

void cActorMC::showCarriedIcon(int32_t anim) {
  if (carriedIcon == nullptr) {
    carriedIcon = newObject<CVLibPlayer>();
    if (carriedIcon == nullptr) return;
    carriedIcon->setSprite(shell::spriteAt(27));
  }
  carriedIcon->setAnimEx(anim, 1, true);
  worldStatics().cGameEffects.carriedIconShown = true;
}

void cActorMC::updateCarriedIcon() {
  if (worldStatics().cGameEffects.carriedIconShown && carriedIcon != nullptr) carriedIcon->update(timeStep());
}

void cActorMC::hideCarriedIcon() {
  worldStatics().cGameEffects.carriedIconShown = false;
  carriedIcon = nullptr;
}

void cGameWorld::paintAimBrackets() {
  cGameEffectsStatics& state = effects();
  IntArray* record = state.aimRecord;
  if (record == nullptr || record->length() < 9) return;
  if (state.aimCornerPlayer == nullptr) {
    state.aimCornerPlayer = newObject<CVLibPlayer>();
    if (state.aimCornerPlayer == nullptr) return;
    state.aimCornerPlayer->setSprite(shell::spriteAt(27));
  }
  CVLibPlayer* corner = state.aimCornerPlayer;
  const int32_t size = record->get(0);
  const int32_t half = size / 2;
  const int32_t x = record->get(7);
  const int32_t y = record->get(8) - 40;
  const int32_t firstAnim = size < 30 ? 48 : 52;
  const int32_t cornerX[4] = {x - half, x + half, x - half, x + half};
  const int32_t cornerY[4] = {y - half - 36, y - half - 36, y + half - 36, y + half - 36};
  for (int32_t i = 0; i < 4; ++i) {
    corner->setAnim(firstAnim + i, -1);
    corner->x = cornerX[i];
    corner->y = cornerY[i];
    corner->paint();
  }
}

void cGameWorld::clearTransientEffects() {
  cGameEffectsStatics& state = effects();
  resetActionMarker();
  state.particleX = nullptr;
  state.particleY = nullptr;
  state.particleMode = 0;
  state.particlesStopping = false;
  dropEffectArrays();
  clearHint();
}
