// The room's action records, copied whole from its level data and found
// by id.
#include "game/GameStatics.h"
#include "game/story/cGameStory.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

cGameActionsStatics& actions() { return storyStatics().cGameActions; }

// The id at offset 1, little-endian s16.
int32_t actionId(ByteArray* record) {
  if (record == nullptr || record->length() < 3) return 0;
  return static_cast<int16_t>(static_cast<uint8_t>(record->get(1)) | static_cast<uint8_t>(record->get(2)) << 8);
}

}  // namespace

void cGameStory::resetActionTable() {
  actions().actions = newObjectArray(cGameActionsStatics::capacity);
  actions().actionCount = 0;
  worldStatics().cGameRoom.startActionIndex = -1;
}

void cGameStory::clearActionTable() {
  actions().actions = nullptr;
  actions().actionCount = 0;
  worldStatics().cGameRoom.startActionIndex = -1;
}

void cGameStory::addAction(ByteArray* record) {
  cGameActionsStatics& table = actions();
  if (table.actions == nullptr || record == nullptr) return;
  if (table.actionCount >= cGameActionsStatics::capacity) {
    debugLog("Action table full: action %d left out", actionId(record));
    return;
  }
  table.actions->set(table.actionCount++, record);
}

int32_t cGameStory::findActionById(int32_t id) {
  cGameActionsStatics& table = actions();
  if (table.actions == nullptr) return -1;
  for (int32_t i = 0; i < table.actionCount; ++i) {
    if (actionId(static_cast<ByteArray*>(table.actions->get(i))) == id) return i;
  }
  return -1;
}
