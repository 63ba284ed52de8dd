// What the player character does of its own beyond the shared actor. Each
// body is the stand-in until the character's own behaviour replaces it;
// until then it is painted as a plain actor is.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

namespace {

void paintAsPlainActor(cActor* actor) {
  if (actor->isKilled() && !actor->alwaysPaint) return;
  if (actor->hasFlag(ActorFlags::HIDDEN)) return;
  const cGamePlayStatics& play = worldStatics().cGamePlay;
  actor->screenX = actor->getPixelX() - play.cameraPixelX;
  actor->screenY = actor->getPixelY() - play.cameraPixelY;
  actor->paintPlayer(true);
  actor->repaintOccludingTiles();
}

}  // namespace

void cActorMC::paint() { paintAsPlainActor(this); }
int32_t cActorMC::getActionAnim() { return -1; }

// The state is taken as it is; the per-state speeds, timers and animations
// come with the character's state machine.
void cActorMC::setState(int32_t s) {
  standIn("cActorMC::setState", s);
  state = s;
}

bool cActorMC::isDefeated() { return hp < 1 || state == 14; }

void cActorMC::attachCompanion(cActorMC* actor, int32_t companionId) {
  setParam(2, param(2) | 1);
  setParam(6, companionId);
  companion = actor;
}

void cActorMC::detachCompanion() {
  setParam(2, param(2) & ~1);
  setParam(6, -1);
  companion = nullptr;
}

namespace {

// The carried-item slot {id, count}, or null.
IntArray* itemSlot(ObjectArray* items, int32_t slot) {
  auto* entry = static_cast<IntArray*>(items->get(slot));
  return entry != nullptr && entry->length() >= 2 ? entry : nullptr;
}

bool isItemId(int32_t id) {
  ObjectArray* table = storyStatics().cGameItems.itemTable;
  return id >= 1 && table != nullptr && id < table->length();
}

}  // namespace

int32_t cActorMC::findInventorySlot(int32_t id) {
  if (items == nullptr || !isItemId(id)) return -1;
  for (int32_t i = 0; i < items->length(); ++i) {
    if (IntArray* entry = itemSlot(items, i); entry != nullptr && entry->get(0) == id) return i;
  }
  return -1;
}

// Without its notice and sound, which come with the carried items' own file.
int32_t cActorMC::addItem(int32_t id, int32_t amount, bool) {
  standIn("cActorMC::addItem", id);
  if (items == nullptr || !isItemId(id)) return -1;
  int32_t slot = findInventorySlot(id);
  if (slot < 0) {
    for (int32_t i = 0; i < items->length() && slot < 0; ++i) {
      if (items->get(i) == nullptr) slot = i;
    }
    if (slot < 0) return -1;
    IntArray* entry = newIntArray(2);
    if (entry == nullptr) return -1;
    entry->set(0, id);
    items->set(slot, entry);
  }
  IntArray* entry = itemSlot(items, slot);
  if (amount >= 1 && cGame::getItemField(id, 5) >= 1) entry->set(1, entry->get(1) + amount);
  return slot;
}

bool cActorMC::hasSideViewAction(int32_t) { return false; }
void cActorMC::paintExtras() { standIn("cActorMC::paintExtras"); }

// A blow takes the damage and puts the character into its hit state; the
// damage notice, the block release and the carried object's put-down come
// with the character's own files.
bool cActorMC::enterHit(int32_t kind, int32_t direction, int32_t damage) {
  standIn("cActorMC::enterHit", damage);
  if (state == 100 || isDefeated()) return false;
  hp = std::max(hp - damage, 0);
  actionCode = kind;
  stateBeforeHit = state;
  state = 100;
  hitDirection = direction;
  return true;
}

bool cActorMC::actionKeyPressed() {
  const bool pressed = isFocusCharacter() && (cGame::isKeyPressed(5) || cGame::isKeyPressed(11));
  return standIn("cActorMC::actionKeyPressed", pressed ? 1 : 0) != 0;
}
