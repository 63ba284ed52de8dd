// Loading a room's event script and playing it. Input: the script's bytes.
// Whatever they hold: the block is refused or its tracks lie back to back
// inside it; every cutscene can be started, stepped, fast-forwarded and
// skipped without anything staying pending, and every skip comes back.
// Seeds: scripts assembled from content/levels/room0.evs and
// fuzz/event_script_seeds/*.evs.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/fuzz_require.h"
#include "fuzz/game_fuzz_support.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/story/EventScriptFormat.h"
#include "game/world/cActor.h"
#include "runtime/Application.h"
#include "runtime/lang/Arrays.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

// The room: three actors the scripts may name (ids 1..3), listed for them.
void makeRoom() {
  cActor::initDisplayList();
  cActor::releaseLayer(0);
  cGame::forgetRoomActors();
  cGame::resetCutscenes();
  cGame::resetActionTable();
  cGame::createItemTable();
  cGame::initCameraZones();
  for (int32_t id = 1; id <= 3; ++id) {
    IntArray* position = newIntArray(3);
    if (position == nullptr) return;
    position->set(0, id * 100 << 8);
    if (cActor* actor = cActor::create(id == 3 ? ActorKind::BARRIER_SWITCH : ActorKind::NPC, 0, position)) {
      actor->id = id;
      cGame::addScriptActor(actor);
    }
  }
}

void requireTablesInsideTheBlock() {
  const cGameEventScriptStatics& s = storyStatics().cGameEventScript;
  if (s.eventScriptData == nullptr) {
    require(s.cutsceneCount == 0 && s.trackCount == 0);
    return;
  }
  int32_t total = 0;
  for (int32_t i = 0; i < s.cutsceneCount; ++i) total += s.cutsceneTrackCounts->get(i);
  require(total == s.trackCount);
  int32_t end = 1 + 3 * s.cutsceneCount;
  for (int32_t t = 0; t < s.trackCount; ++t) {
    require(s.trackOffset->get(t) == end);
    require(s.trackLength->get(t) >= eventscript::track::headerBytes(s.trackType->get(t)));
    end += s.trackLength->get(t);
  }
  require(end <= s.eventScriptData->length());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startGameRuntime();
  if (size > 16384) return 0;
  makeRoom();
  ByteArray* block = newByteArray(static_cast<int32_t>(size));
  if (block == nullptr) return 0;
  if (size > 0) std::memcpy(block->m_elements, data, size);
  cGame::loadEventScript(block);
  require(application->getPending() == nullptr);
  requireTablesInsideTheBlock();
  cGameCutsceneStatics& cutscene = storyStatics().cGameCutscene;
  const int32_t count = storyStatics().cGameEventScript.cutsceneCount;
  for (int32_t index = 0; index < count && index < 8; ++index) {
    // A start with a short fast-forward, a few frames, then the skip.
    shellStatics().cGameLoop.timeStep = 62;
    cGame::startCutscene(index, index % 3 == 0 ? 0 : 20, index % 2 == 0, index % 4 == 1, false);
    for (int32_t frame = 0; frame < 5; ++frame) cGame::stepCutscene();
    cGame::skipCutscene();
    require(!cutscene.cutsceneFastForward);
    require(application->getPending() == nullptr);
    cGame::discardDeferredCutscene();
    cGame::endCutscene(cGame::currentCutscene());
    require(cutscene.currentCutscene == -1);
  }
  return 0;
}
