// The player character's painter and class initialiser: the side view's
// palette and struggle gauge, the damage tint, the beam and the overlay.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

using namespace shell;

namespace {

constexpr int32_t overlayHeight = 70;
constexpr int32_t gaugeColour = 0xFF0000;

IntArray* offsets(int32_t a, int32_t b, int32_t c) {
  IntArray* entry = newIntArray(3);
  if (entry == nullptr) return nullptr;
  entry->set(0, a);
  entry->set(1, b);
  entry->set(2, c);
  return entry;
}

// The frames after the listed ones carry empty offsets.
ObjectArray* offsetTable(std::initializer_list<std::initializer_list<int32_t>> listed, int32_t frames) {
  ObjectArray* table = newObjectArray(frames);
  if (table == nullptr) return nullptr;
  int32_t frame = 0;
  for (const auto& entry : listed) {
    const int32_t* v = entry.begin();
    table->set(frame++, offsets(v[0], v[1], v[2]));
  }
  for (; frame < frames; ++frame) table->set(frame, newIntArray(0));
  return table;
}

}  // namespace

void cActorMC::clinit() {
  cActorMCStatics& shared = worldStatics().cActorMC;
  shared.pickUpOffsets = offsetTable({{180, -2, -85}, {135, -12, -70}, {90, -35, -50}}, 7);
  shared.putDownOffsets = offsetTable({{180, -2, -85}, {190, 10, -83}, {185, -2, -85}, {90, -57, -39}}, 9);
  shared.plainDirections = newIntArray(4);
  if (shared.plainDirections != nullptr) {
    const int32_t masks[] = {DirectionMask::UP, DirectionMask::DOWN, DirectionMask::LEFT, DirectionMask::RIGHT};
    for (int32_t i = 0; i < 4; ++i) shared.plainDirections->set(i, masks[i]);
  }
  shared.targets = newObjectArray(cActorMCStatics::targetCapacity);
  shared.sectorCounts = newIntArray(8);
  shared.aimCandidates = newObjectArray(cActorMCStatics::candidateCapacity);
  shared.aimRing = newIntArray(10);
  if (shared.aimRing != nullptr) {
    shared.aimRing->set(2, 2);
    shared.aimRing->set(3, 48);
    shared.aimRing->set(4, 18);
  }
  shared.hudPoint = newIntArray(2);
}

void cActorMC::paint() {
  if (isKilled() || hasFlag(ActorFlags::HIDDEN)) return;
  const cGamePlayStatics& play = worldStatics().cGamePlay;
  screenX = getPixelX() - play.cameraPixelX;
  screenY = getPixelY() - play.cameraPixelY;
  if (shellStatics().cGameProgress.sideViewMode) {
    palette = hurt && hp > 0 ? 3 : 0;
    paintPlayer(true);
    javax_microedition_lcdui_Graphics* g = loop().graphics;
    if ((state == 114 || state == 117) && g != nullptr) {
      IntArray* frame = getLocalFrameRect();
      const int32_t top = (frame != nullptr ? frame->get(1) : 0) + screenY;
      g->setColor(0);
      g->drawRect(screenX - 61, top - 1, 120, 10);
      g->setColor(gaugeColour);
      g->fillRect(screenX - 60, top, struggleGauge, 10);
    }
  } else if (damageTimeLeft > 0) {
    const int32_t strength = 92 + (1000 - damageTimeLeft) * 96 / 1000;
    if (shellStatics().cGameProgress.roomFlag) paintHighlighted(0x9B8D79, 0x806555, strength);
    else paintHighlighted(0x008800, 0x006600, strength);
  } else {
    paintPlayer(true);
  }
  if (linkedActor != nullptr) linkedActor->paintCarried(screenX, screenY);
  if (partnerIndex == 1) paintBeam();
  repaintOccludingTiles();
  if (overlayActive && overlayPlayer != nullptr) {
    overlayPlayer->x = screenX;
    overlayPlayer->y = screenY - overlayHeight;
    overlayPlayer->paint();
  }
}
