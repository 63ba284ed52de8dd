// The player's carried items: fifteen slots of {item id, count} that the
// inventory, the combinations, the choices and the healing read and change.
#include <algorithm>

#include "game/story/ItemFields.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/DebugLog.h"

namespace {

constexpr int32_t noticeMillis = 3000;
constexpr int32_t noticeText = 53;
constexpr int32_t supplySound = 23;
constexpr int32_t itemSound = 30;

// The slot {id, count}, or null when empty or malformed.
IntArray* itemSlot(ObjectArray* items, int32_t slot) {
  if (items == nullptr || slot < 0 || slot >= items->length()) return nullptr;
  auto* entry = static_cast<IntArray*>(items->get(slot));
  return entry != nullptr && entry->length() >= 2 ? entry : nullptr;
}

// An id the item table has room for: 1..29.
bool isItemId(int32_t id) {
  ObjectArray* table = storyStatics().cGameItems.itemTable;
  return id >= 1 && table != nullptr && id < table->length();
}

bool hasRecord(int32_t id) {
  return isItemId(id) && storyStatics().cGameItems.itemTable->get(id) != nullptr;
}

}  // namespace

int32_t cActorMC::findInventorySlot(int32_t id) {
  if (items == nullptr || !isItemId(id)) return -1;
  for (int32_t i = 0; i < items->length(); ++i) {
    if (IntArray* entry = itemSlot(items, i); entry != nullptr && entry->get(0) == id) return i;
  }
  return -1;
}

int32_t cActorMC::firstFreeItemSlot() {
  if (items == nullptr) return -1;
  for (int32_t i = 0; i < items->length(); ++i) {
    IntArray* entry = itemSlot(items, i);
    if (entry == nullptr || entry->get(0) < 1) return i;
  }
  return -1;
}

int32_t cActorMC::addItem(int32_t id, int32_t amount, bool notify) {
  if (!isItemId(id)) return -1;
  int32_t slot = findInventorySlot(id);
  if (slot < 0) {
    slot = firstFreeItemSlot();
    if (slot < 0) return -1;
    IntArray* entry = newIntArray(2);
    if (entry == nullptr) return -1;
    entry->set(0, id);
    items->set(slot, entry);
  }
  IntArray* entry = itemSlot(items, slot);
  if (amount >= 1 && cGame::getItemField(id, itemfield::amount) >= 1) entry->set(1, entry->get(1) + amount);
  debugLog("cGame: item %d: %d held", id, entry->get(1));
  if (notify && cGame::getItemField(id, itemfield::name) >= 0) {
    String* text = cGame::formatText1(cGame::getText(noticeText), cGame::getText(cGame::getItemField(id, itemfield::name)));
    cGame::showNotice(text, noticeMillis, shell::spriteAt(cGame::getItemField(id, itemfield::iconSprite)),
                      cGame::getItemField(id, itemfield::iconAnim));
  }
  const int32_t type = cGame::getItemField(id, itemfield::useKind);
  cGame::playSound(type == 0 || type == 4 || type == 5 ? supplySound : itemSound, false);
  return slot;
}

int32_t cActorMC::giveItem(int32_t id) {
  if (hasRecord(id)) return addItem(id, cGame::getItemField(id, itemfield::amount), true);
  return addItem(id, -1, true);
}

bool cActorMC::useItem(int32_t slot) {
  IntArray* entry = itemSlot(items, slot);
  if (entry == nullptr) return false;
  const int32_t id = entry->get(0);
  if (!hasRecord(id)) return false;
  const int32_t value = cGame::getItemField(id, itemfield::value);
  switch (cGame::getItemField(id, itemfield::useKind)) {
    case 0:
      heal(param(3) * value / 100);
      break;
    case 1: case 2: case 3: case 4:
      break;
    case 5:
      setParam(5, std::min(param(5) + value, param(4)));
      break;
    default:
      return false;
  }
  if (entry->get(1) >= 1) {
    entry->set(1, entry->get(1) - 1);
    if (entry->get(1) == 0) items->set(slot, nullptr);
  }
  debugLog("cGame: item %d used", id);
  return true;
}

bool cActorMC::canUseItemSlot(int32_t slot) {
  IntArray* entry = itemSlot(items, slot);
  if (entry == nullptr) return false;
  const int32_t type = cGame::getItemField(entry->get(0), itemfield::useKind);
  return type == 0 || type == 5;
}

void cActorMC::useHealingItem() {
  for (int32_t id = 1; id <= 3; ++id) {
    const int32_t slot = findInventorySlot(id);
    IntArray* entry = itemSlot(items, slot);
    if (entry != nullptr && entry->get(1) > 0) {
      useItem(slot);
      return;
    }
  }
}
