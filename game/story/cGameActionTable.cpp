// The room's action records, copied whole from its level data, found by id
// and run by their type. Every field is read from the stored copy each time
// an action runs.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/story/EventScriptFormat.h"
#include "game/story/cGameStory.h"
#include "game/world/cActor.h"
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

namespace {

// The little-endian s16 at offset of the stored record; 0 past its end.
int32_t field(ByteArray* record, int32_t offset) {
  if (record == nullptr || offset < 0 || offset + 1 >= record->length()) return 0;
  return static_cast<int16_t>(static_cast<uint8_t>(record->get(offset)) |
                              static_cast<uint8_t>(record->get(offset + 1)) << 8);
}

bool flag(ByteArray* record, int32_t offset) {
  return record != nullptr && offset >= 0 && offset < record->length() && record->get(offset) == 1;
}

ByteArray* entry(int32_t index) {
  cGameActionsStatics& table = actions();
  if (table.actions == nullptr || index < 0 || index >= table.actionCount) return nullptr;
  return static_cast<ByteArray*>(table.actions->get(index));
}

int32_t typeOf(ByteArray* record) {
  return record != nullptr && record->length() >= 1 ? static_cast<uint8_t>(record->get(0)) : -1;
}

// A key prompt whose result no action and no cutscene will take is not
// left open on the screen.
bool promptHasTaker(int32_t success, int32_t failure) {
  return cGame::findActionById(success) >= 0 || cGame::findActionById(failure) >= 0 || cGame::isCutsceneActive();
}

constexpr int32_t promptGraceMs = 700;
constexpr int32_t cinematicForever = 0x7FFFFFFF;
constexpr int32_t chapterEndKind = 3;
constexpr int32_t heldCinematicRoom = 3;

}  // namespace

void cGameStory::runAction(int32_t index) {
  ByteArray* record = entry(index);
  if (record == nullptr) return;
  namespace act = eventscript::action;
  switch (typeOf(record)) {
    case act::line:
      cGame::queueConversationLine(field(record, 3), field(record, 9), field(record, 7), field(record, 5));
      break;
    case act::hint: cGame::showHint(field(record, 3), field(record, 5), false); break;
    case act::cutscene:
      cGame::startCutsceneEx(cGame::findCutscene(field(record, 3)), field(record, 5), flag(record, 7),
                             flag(record, 8));
      break;
    case act::keyPrompt: {
      const int32_t success = field(record, 11);
      const int32_t failure = field(record, 13);
      if (!promptHasTaker(success, failure)) {
        debugLog("Action %d opens a key prompt whose result nothing takes: it stays closed", field(record, 1));
        break;
      }
      cGame::openPopup(field(record, 3), field(record, 5), field(record, 7), field(record, 9) + promptGraceMs,
                       success, failure, false);
      break;
    }
    case act::removeZone: cGame::removeCameraZone(field(record, 3)); break;
    case act::cinematic:
      if (cGame::getProgress(shellStatics().cGameProgress.chapter) != heldCinematicRoom)
        cGame::openCinematic(cinematicForever, chapterEndKind, field(record, 4));
      else
        actions().pendingCinematicText = field(record, 4);
      break;
    case act::kill:
      if (cActor* actor = cActor::findById(field(record, 3))) actor->kill();
      break;
    case act::interaction:
      if (cActor* actor = cActor::findById(field(record, 3))) cGame::startInteraction(actor);
      break;
    case act::effect:
      cGame::spawnEffect(field(record, 7) + eventscript::scriptSpriteFirstSlot, field(record, 9), field(record, 11),
                         field(record, 3), flag(record, 13));
      break;
    default:
      // 64 and unknown types do nothing.
      break;
  }
}

bool cGameStory::runActionById(int32_t id) {
  const int32_t index = findActionById(id);
  const int32_t type = typeOf(entry(index));
  if (type < 0) return false;
  if (storyStatics().cGameCutscene.cutsceneFastForward &&
      (type == eventscript::action::keyPrompt || type == eventscript::action::inert))
    return false;
  runAction(index);
  return type == eventscript::action::cutscene;
}
