// The room's item records, filled by its level data.
#include "game/GameStatics.h"
#include "game/story/cGameStory.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t recordFields = 7;

cGameItemsStatics& items() { return storyStatics().cGameItems; }

}  // namespace

void cGameStory::createItemTable() {
  ObjectArray* table = newObjectArray(cGameItemsStatics::tableSize);
  items().itemTable = table;
  if (table != nullptr) table->set(0, newIntArray(0));
}

void cGameStory::setItemRecord(IntArray* source, int32_t n) {
  ObjectArray* table = items().itemTable;
  if (table == nullptr || source == nullptr || n < 0 || n >= cGameItemsStatics::tableSize) return;
  IntArray* record = newIntArray(recordFields);
  if (record == nullptr) return;
  for (int32_t i = 0; i < recordFields && i < source->length(); ++i) record->set(i, source->get(i));
  table->set(n, record);
}

int32_t cGameStory::getItemField(int32_t id, int32_t field) {
  ObjectArray* table = items().itemTable;
  if (table == nullptr || id < 1 || id >= cGameItemsStatics::tableSize) return -1;
  auto* record = static_cast<IntArray*>(table->get(id));
  if (record == nullptr || field < 0 || field >= record->length()) return -1;
  return record->get(field);
}

void cGameStory::releaseItemTables() {
  items().itemTable = nullptr;
  shellStatics().cGameShared.combinationTable = nullptr;
}
