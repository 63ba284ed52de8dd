// Items left in the world: a creature's drop and a broken object's contents
// become kind-16 hotspots the player picks up.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"

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
  hotspot->setSprite(shell::spriteAt(cGame::getItemField(itemId, 0)));
  hotspot->setAnim(cGame::getItemField(itemId, 1), -1);
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
