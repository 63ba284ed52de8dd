// Items left in the world: a creature's drop and a broken object's contents
// become kind-16 hotspots the player picks up; counted ones and, in the
// side view, healing ones are taken by walking into them.
#include "game/story/ItemFields.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

cActor* cActor::dropItem(int32_t itemId, int32_t x, int32_t y, int32_t id) {
  ObjectArray* table = storyStatics().cGameItems.itemTable;
  if (itemId < 1 || itemId >= 30 || table == nullptr || itemId >= table->length() || table->get(itemId) == nullptr) {
    return nullptr;
  }
  IntArray* position = newIntArray(3);
  if (position == nullptr) return nullptr;
  position->set(0, x << 8);
  position->set(1, y << 8);
  cActor* hotspot = create(ActorKind::COLLECTIBLE, 0, position);
  if (hotspot == nullptr) return nullptr;
  hotspot->id = id;
  hotspot->setSprite(shell::spriteAt(cGame::getItemField(itemId, itemfield::iconSprite)));
  hotspot->setAnim(cGame::getItemField(itemId, itemfield::iconAnim), -1);
  IntArray* params = newIntArray(9);
  if (params != nullptr) {
    params->set(0, -1);
    params->set(2, -1);
    params->set(6, itemId);
  }
  hotspot->params = params;
  hotspot->paramCount = 9;
  hotspot->flags |= ActorFlags::RESTORED | ActorFlags::ACTIVE;
  return hotspot;
}

namespace {

constexpr int32_t countedType = 4;
constexpr int32_t healingType = 0;
constexpr int32_t collectSound = 23;

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

}  // namespace

bool cActor::frameTouches(cActor* other) {
  if (other == nullptr || isNotActive() || param(0) != -1) return false;
  IntArray* rect = getFrameRect();
  if (rect == nullptr || rect->length() < 4) return false;
  // The middle band of the picture: where a character's feet would meet it.
  const int32_t height = rect->get(3) - rect->get(1);
  IntArray* band = newIntArray(4);
  if (band == nullptr) return false;
  band->set(0, rect->get(0));
  band->set(1, rect->get(1) + height * 3 / 8);
  band->set(2, rect->get(2) - rect->get(0));
  band->set(3, height / 4);
  return cGame::boxesOverlap(band, nullptr, other->footprint, other);
}

void cActor::updateCollectible() {
  if (isKilled() || isNotActive() || param(0) != -1) return;
  cActorMC* character = focusCharacter();
  const int32_t item = param(6);
  const int32_t type = cGame::getItemField(item, itemfield::useKind);
  if (type == countedType) {
    if (!frameTouches(character)) return;
    const int32_t counter = character->variantFlag ? 6 : 7;
    character->setParam(counter, character->param(counter) + 1);
    if (IntArray* results = shellStatics().cGameShared.results; results != nullptr && results->length() > 1) {
      results->set(1, results->get(1) + 1);
    }
    cGame::playSound(collectSound, false);
    debugLog("cGame: collectible %d taken", item);
    kill();
  } else if (shellStatics().cGameProgress.sideViewMode && type == healingType && frameTouches(character)) {
    character->addHitPointsCapped(cGame::getItemField(item, itemfield::value));
    kill();
  }
}
