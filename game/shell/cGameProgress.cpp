// Story progress: the chapter being played, its progress value (equal to
// the chapter index) and the queries the world, the story and the loader
// make on it.
#include "game/RoomSpriteSlots.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"

namespace {

cGameProgressStatics& progress() { return shellStatics().cGameProgress; }

static_assert(roomsprite::progressValues == cGameProgressStatics::chapterCount);

}  // namespace

void cGame::clinitProgress() {
  cGameProgressStatics& state = progress();
  state.finishedChapter = -1;
  state.progress = newIntArray(cGameProgressStatics::chapterCount);
  if (state.progress != nullptr) {
    for (int32_t i = 0; i < cGameProgressStatics::chapterCount; ++i) state.progress->set(i, i);
  }
  state.idsByProgress = newObjectArray(cGameProgressStatics::chapterCount);
  if (state.idsByProgress == nullptr) return;
  for (int32_t value = 0; value < cGameProgressStatics::chapterCount; ++value) {
    const std::span<const int32_t> ids = roomsprite::listedByProgress[value];
    IntArray* list = newIntArray(static_cast<int32_t>(ids.size()));
    if (list == nullptr) return;
    int32_t i = 0;
    for (const int32_t id : ids) list->set(i++, id);
    state.idsByProgress->set(value, list);
  }
}

int32_t cGame::getProgress(int32_t i) { return loadElement(progress().progress, i); }

int32_t cGame::progressValue() { return getProgress(progress().chapter); }

void cGame::setChapter(int32_t i) {
  cGameProgressStatics& state = progress();
  debugLog("cGame: chapter %d is chosen", i + 1);
  state.chapter = i;
  const int32_t value = getProgress(i);
  state.sideViewMode = value == 1 || value == 6;
  state.chapterEnding = false;
  if (value == 1) state.chapterFlag = true;
}

int32_t cGame::nextChapter(int32_t i) {
  if (progress().chapterEnding) return -1;
  return i < cGameProgressStatics::chapterCount - 1 ? i + 1 : -1;
}

bool cGame::isProgressAt3Or7() {
  const int32_t value = cGame::progressValue();
  return value == 3 || value == 7;
}

bool cGame::isProgressAt9() { return cGame::progressValue() == 9; }

int32_t cGame::getProgressCode() {
  switch (cGame::progressValue()) {
    case 7: return 19;
    case 9: return 20;
    default: return 18;
  }
}

bool cGame::isIdInProgressList(int32_t id) {
  // Never taken through a chapter's list, though several lists name 41.
  if (id == 41 || id == 26) return false;
  ObjectArray* lists = progress().idsByProgress;
  if (!objectIsUsable(lists)) return false;
  auto* list = static_cast<IntArray*>(lists->get(cGame::progressValue()));
  if (!objectIsUsable(list)) return false;
  for (int32_t i = 0; i < list->length(); ++i) {
    if (list->get(i) == id) return true;
  }
  return false;
}

int32_t cGame::getProgressMode(int32_t id) {
  if (id != 37) return 1;
  switch (cGame::progressValue()) {
    case 4: return 2;
    case 0:
    case 1: return 4;
    default: return 1;
  }
}

bool cGame::getRoomFlag() { return progress().roomFlag; }
