// The partners' items 1..3 carried from room to room: counted into the
// saved game's table at a chapter's results and given back as each room is
// entered.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"

namespace {

constexpr int32_t tableLength = 6;
constexpr int32_t keptItems = 3;  // ids 1, 2, 3

IntArray* counts() {
  IntArray* table = shellStatics().cGameSave.partnerItemCounts;
  return table != nullptr && table->length() >= tableLength ? table : nullptr;
}

// The second partner's counts follow the first's.
int32_t firstEntry(cActorMC* partner) { return partner == worldStatics().cGamePlay.secondPartner ? 3 : 0; }

}  // namespace

void cGameWorld::setCounterTable(IntArray* table) {
  // The saved game and the results read six entries; a shorter table would
  // lose the counts.
  if (table == nullptr || table->length() != tableLength) {
    debugLog("setCounterTable: refused a table of %d entries", table != nullptr ? table->length() : -1);
    return;
  }
  shellStatics().cGameSave.partnerItemCounts = table;
}

void cGameWorld::storePartnerItemCounts(cActorMC* partner) {
  IntArray* table = counts();
  if (partner == nullptr || table == nullptr || partner->items == nullptr) return;
  const int32_t base = firstEntry(partner);
  for (int32_t item = 1; item <= keptItems; ++item) {
    const int32_t slot = partner->findInventorySlot(item);
    if (slot < 0) continue;
    auto* entry = static_cast<IntArray*>(partner->items->get(slot));
    if (entry != nullptr && entry->length() >= 2) table->set(base + item - 1, entry->get(1));
  }
}

void cGameWorld::restorePartnerItemCounts(cActorMC* partner) {
  IntArray* table = counts();
  if (partner == nullptr || table == nullptr) return;
  const int32_t base = firstEntry(partner);
  debugLog("cGame: partner %d brings supplies %d %d %d", base / keptItems, table->get(base), table->get(base + 1),
           table->get(base + 2));
  for (int32_t item = 1; item <= keptItems; ++item) {
    const int32_t n = table->get(base + item - 1);
    if (n >= 1) partner->addItem(item, n, false);
  }
}

void cGameWorld::restorePartners() {
  findPartnerActors();
  restorePartnerItemCounts(worldStatics().cGamePlay.firstPartner);
  restorePartnerItemCounts(worldStatics().cGamePlay.secondPartner);
}

void cGameWorld::storeAllPartnerItemCounts() {
  findPartnerActors();
  storePartnerItemCounts(worldStatics().cGamePlay.firstPartner);
  storePartnerItemCounts(worldStatics().cGamePlay.secondPartner);
}
