// Reading a room's level-record stream. Input: the stream's bytes. Whatever
// they hold: nothing stays pending, the layer list stays well linked, the
// tables keep within their sizes, and a snapshot of the room can be taken.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_require.h"
#include "fuzz/game_fuzz_support.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/LevelRecordFormat.h"
#include "game/world/cActor.h"
#include "runtime/Application.h"
#include "runtime/lang/Arrays.h"

namespace {

// Every actor's neighbours point back at it, and the walk ends.
void requireWellLinked() {
  cActor* previous = nullptr;
  int32_t count = 0;
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    require(actor->prevInLayer == previous);
    require(actor->layer == 0);
    require(++count < 1000000);
    if (actor->kind == ActorKind::PATH) require(actor->param(0) >= 0 && actor->param(0) <= levelrecord::maxPathPoints);
    previous = actor;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startGameRuntime();
  if (size > 65536) return 0;
  cActor::initDisplayList();
  cGame::forgetRoomActors();
  cGame::createItemTable();
  shellStatics().cGameShared.combinationTable = newObjectArray(levelrecord::maxCombinations);
  cGame::resetActionTable();
  cGame::resetRoutePoints();
  cGame::initCameraZones();
  ByteArray* stream = newByteArray(static_cast<int32_t>(size));
  if (stream == nullptr) return 0;
  if (size > 0) std::memcpy(stream->m_elements, data, size);
  cGame::loadRoomObjects(stream);
  require(application->getPending() == nullptr);
  requireWellLinked();
  require(worldStatics().cGameRoom.pathNodeCount <= levelrecord::maxRoutePoints);
  require(storyStatics().cGameActions.actionCount <= levelrecord::maxActions);
  const int32_t start = worldStatics().cGameRoom.startActionIndex;
  require(start >= -1 && start < storyStatics().cGameActions.actionCount);
  cGame::snapshotRoomState(false, start);
  ByteArray* snapshot = worldStatics().cGameRoom.roomSnapshot;
  require(snapshot != nullptr);
  const int32_t length = static_cast<uint8_t>(snapshot->get(0)) | static_cast<uint8_t>(snapshot->get(1)) << 8;
  require(length >= 39 && length <= snapshot->length());
  return 0;
}
