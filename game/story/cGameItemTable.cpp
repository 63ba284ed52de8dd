// The room's item records, filled by its level data, and the combinations
// that make one item of two.
#include "game/story/ItemFields.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/story/cGameStory.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"

namespace {

// Use kinds that cActorMC::useItem knows; it takes nothing of any other.
constexpr int32_t lastUseKind = 5;

cGameItemsStatics& items() { return storyStatics().cGameItems; }
ObjectArray* combinations() { return shellStatics().cGameShared.combinationTable; }

// The slot's {id, count}, or null when it holds no item.
IntArray* carried(cActorMC* player, int32_t slot) {
  ObjectArray* slots = player->items;
  if (slots == nullptr || slot < 0 || slot >= slots->length()) return nullptr;
  auto* entry = static_cast<IntArray*>(slots->get(slot));
  return entry != nullptr && entry->length() >= 2 && entry->get(0) >= 1 ? entry : nullptr;
}

// Using the slot once empties it: a counted item down to its last one.
bool useEmpties(IntArray* entry) {
  const int32_t kind = cGame::getItemField(entry->get(0), itemfield::useKind);
  return entry->get(1) == 1 && kind >= 0 && kind <= lastUseKind;
}

// The first entry naming the pair, in either order; null when none does.
IntArray* findPair(int32_t a, int32_t b) {
  ObjectArray* table = combinations();
  if (table == nullptr) return nullptr;
  for (int32_t slot = 0; slot < table->length(); ++slot) {
    auto* entry = static_cast<IntArray*>(table->get(slot));
    if (entry == nullptr || entry->length() < 3) continue;
    if ((a == entry->get(1) && b == entry->get(2)) || (a == entry->get(2) && b == entry->get(1))) return entry;
  }
  return nullptr;
}

}  // namespace

void cGameStory::createItemTable() {
  ObjectArray* table = newObjectArray(cGameItemsStatics::tableSize);
  items().itemTable = table;
  if (table != nullptr) table->set(0, newIntArray(0));
}

void cGameStory::setItemRecord(IntArray* source, int32_t n) {
  ObjectArray* table = items().itemTable;
  if (table == nullptr || source == nullptr || n < 0 || n >= cGameItemsStatics::tableSize) return;
  IntArray* record = newIntArray(itemfield::count);
  if (record == nullptr) return;
  for (int32_t i = 0; i < itemfield::count && i < source->length(); ++i) record->set(i, source->get(i));
  table->set(n, record);
}

int32_t cGameStory::getItemField(int32_t id, int32_t field) {
  ObjectArray* table = items().itemTable;
  if (table == nullptr || id < 1 || id >= cGameItemsStatics::tableSize) return -1;
  auto* record = static_cast<IntArray*>(table->get(id));
  if (record == nullptr || field < 0 || field >= record->length()) return -1;
  return record->get(field);
}

bool cGameStory::isItemDefined(int32_t id) {
  ObjectArray* table = items().itemTable;
  return table != nullptr && id >= 1 && id < cGameItemsStatics::tableSize && table->get(id) != nullptr;
}

void cGameStory::releaseItemTables() {
  items().itemTable = nullptr;
  shellStatics().cGameShared.combinationTable = nullptr;
}

int32_t cGameStory::findFreeCombination() {
  ObjectArray* table = combinations();
  if (table == nullptr) return -1;
  for (int32_t slot = 0; slot < table->length(); ++slot)
    if (table->get(slot) == nullptr) return slot;
  return -1;
}

int32_t cGameStory::findCombination(cActorMC* player, int32_t slotI, int32_t slotJ) {
  if (player == nullptr || slotI == slotJ) return -1;
  IntArray* first = carried(player, slotI);
  IntArray* second = carried(player, slotJ);
  if (first == nullptr || second == nullptr) return -1;
  IntArray* entry = findPair(first->get(0), second->get(0));
  if (entry == nullptr) return -1;
  const int32_t result = entry->get(0);
  if (!isItemDefined(result)) {
    debugLog("Combination of items %d and %d makes item %d, which this level does not define; nothing is used",
             first->get(0), second->get(0), result);
    return -1;
  }
  // Both items go only when the result has a place to go: a slot of its
  // own already, a free one, or one that using an ingredient empties.
  const bool room = player->findInventorySlot(result) >= 0 || player->firstFreeItemSlot() >= 0 ||
                    useEmpties(first) || useEmpties(second);
  if (!room) return -1;
  player->useItem(slotI);
  player->useItem(slotJ);
  return player->addItem(result, getItemField(result, itemfield::amount), true);
}
