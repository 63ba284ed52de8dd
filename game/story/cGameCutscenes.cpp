// The cutscene driver: starts a cutscene by index (refusing while the player
// is defeated, deferring while a cinematic screen or a fast-forward runs),
// steps its tracks once a frame, waits for an actor's move, closes it with
// an optional pause, restarts loops, hands the camera back and lets the
// player skip.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/story/EventScriptFormat.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

namespace track = eventscript::track;

constexpr int32_t cameraHandBackMs = 500;
constexpr int32_t closingPauseMs = 500;
constexpr int32_t msPerTenth = 100;
constexpr int32_t leftSoftkey = 18;
constexpr int32_t skipArea = 200;
// Fast-forward and skip step the script with a time step of their own when
// the frame has none, and never more often than this per track or skip:
// enough for the longest track (32767 tenths) at the frame period.
constexpr int32_t fallbackStepMs = 62;
constexpr int32_t mostFastForwardSteps = 65536;
// A start whose first step starts a cutscene again (itself, or round a
// ring) nests; past this depth the start is refused.
constexpr int32_t deepestNestedStart = 8;
int32_t nestedStarts = 0;

cGameCutsceneStatics& cutscene() { return storyStatics().cGameCutscene; }
cGameEventScriptStatics& script() { return storyStatics().cGameEventScript; }
bool& fullSpeedAnimation() { return shellStatics().cGameShared.fullSpeedAnimation; }
int32_t& timeStep() { return shell::loop().timeStep; }

void clearInputUnlessMenu() {
  if (shell::states().menuSuspended) return;
  cGame::clearInput();
  cGame::clearTouchState();
}

bool focusDefeated() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0 &&
         static_cast<cActorMC*>(focus)->isDefeated();
}

void deferStart(int32_t index, int32_t tenths, bool background, bool loop) {
  cGameCutsceneStatics& c = cutscene();
  c.deferredCutscene = index;
  c.deferredFastForward = tenths;
  c.deferredBackground = background;
  c.deferredLoop = loop;
}

// The frame's time step while the script is run without real time: a frame
// without time would never use up a budget.
class ScriptTimeStep {
 public:
  ScriptTimeStep() : m_saved(timeStep()) {
    if (m_saved <= 0) timeStep() = fallbackStepMs;
  }
  ~ScriptTimeStep() { timeStep() = m_saved; }
  ScriptTimeStep(const ScriptTimeStep&) = delete;
  ScriptTimeStep& operator=(const ScriptTimeStep&) = delete;

 private:
  int32_t m_saved;
};

void fastForward(int32_t index, int32_t first, int32_t tenths) {
  cutscene().cutsceneFastForward = tenths > 0;
  const ScriptTimeStep step;
  const int32_t count = loadElement(script().cutsceneTrackCounts, index);
  for (int32_t k = 0; k < count; ++k) {
    int64_t budget = int64_t{std::max(tenths, 0)} * msPerTenth;
    int32_t steps = 0;
    do {
      cGame::stepEventTrack(first + k, index);
      budget -= timeStep();
    } while (budget > timeStep() && ++steps < mostFastForwardSteps);
  }
  cutscene().cutsceneFastForward = false;
}

// A move the cutscene waits for ends where it was going.
void completeAwaitedMove() {
  cActor* actor = cutscene().cutsceneWaitActor;
  if (actor == nullptr) return;
  if (IntArray* move = actor->moveRecord; move != nullptr && move->length() >= 2)
    cGame::placeActor(actor, move->get(0), move->get(1));
  actor->moveRecord = nullptr;
  cutscene().cutsceneWaitActor = nullptr;
}

bool deferredStartPending() { return cutscene().deferredCutscene >= 0; }

}  // namespace

bool cGameStory::startCutscene(int32_t index, int32_t tenths, bool background, bool loop, bool deferrable) {
  cGameCutsceneStatics& c = cutscene();
  clearInputUnlessMenu();
  if (index < 0 || focusDefeated()) return false;
  if (nestedStarts >= deepestNestedStart) {
    debugLog("Cutscene %d starts nested %d deep in other starts: it is refused", index, nestedStarts);
    return false;
  }
  if ((deferrable && cGame::isCinematicActive()) || c.cutsceneFastForward) {
    deferStart(index, tenths, background, loop);
    return false;
  }
  endCutscene(c.currentCutscene);
  fullSpeedAnimation() = background;
  c.cutsceneLoop = loop;
  c.currentCutscene = index;
  c.cutsceneSkipMode = true;
  c.cutsceneWaitActor = nullptr;
  c.cutsceneSkipOffered = false;
  const int32_t first = getCutsceneFirstTrack(index);
  if (first < 0) {
    c.currentCutscene = -1;
    return false;
  }
  ++c.startCount;
  debugLog("cGame: cutscene %d starts", index);
  c.cutsceneTransition = -1;
  if (!background) {
    cGame::setPlayerControl(false);
    cGame::closePopup();
  }
  const int32_t count = loadElement(script().cutsceneTrackCounts, index);
  for (int32_t k = 0; k < count; ++k) startEventTrack(first + k, loop);
  ++nestedStarts;
  fastForward(index, first, tenths);
  // A start deferred by the fast-forward is taken up once it is over.
  if (deferredStartPending() && !cGame::isCinematicActive()) takeUpDeferredCutscene();
  --nestedStarts;
  return true;
}

bool cGameStory::startCutsceneEx(int32_t index, int32_t tenths, bool background, bool loop) {
  return startCutscene(index, tenths, background, loop, true);
}

bool cGameStory::playCutscene(int32_t index) { return startCutscene(index, 0, false, false, true); }

void cGameStory::stepCutscene() {
  cGameCutsceneStatics& c = cutscene();
  if (c.currentCutscene < 0) return;
  if (c.cutsceneTransition == 2) {
    c.cutsceneTransitionTime -= timeStep();
    if (c.cutsceneTransitionTime > 0) return;
    if (isCutsceneFinished(c.currentCutscene)) endCutscene(c.currentCutscene);
    else c.cutsceneTransition = 1;
    return;
  }
  if (cActor* waited = c.cutsceneWaitActor) {
    if (waited->moveRecord != nullptr) return;
    c.cutsceneWaitActor = nullptr;
  }
  const int32_t running = c.currentCutscene;
  const int32_t first = getCutsceneFirstTrack(running);
  const int32_t count = first >= 0 ? loadElement(script().cutsceneTrackCounts, running) : 0;
  for (int32_t t = first; t < first + count; ++t) {
    if (loadElement(script().trackStarted, t) == 0) continue;
    const int32_t flags = loadElement(script().trackFlags, t);
    if ((flags & track::notWaitedFor) != 0 && (flags & track::steppedAnyway) == 0) continue;
    if (stepEventTrack(t, running)) break;
  }
  if (c.currentCutscene < 0 || !isCutsceneFinished(c.currentCutscene)) return;
  if (c.cutsceneLoop) {
    startCutsceneEx(c.currentCutscene, 0, fullSpeedAnimation(), true);
  } else if (c.cutsceneTransition == 1) {
    c.cutsceneTransition = 2;
    c.cutsceneTransitionTime = closingPauseMs;
  } else {
    endCutscene(c.currentCutscene);
  }
}

void cGameStory::endCutscene(int32_t index) {
  cGameCutsceneStatics& c = cutscene();
  const int32_t first = getCutsceneFirstTrack(index);
  if (first >= 0) {
    debugLog("cGame: cutscene %d ends", index);
    const int32_t count = loadElement(script().cutsceneTrackCounts, index);
    for (int32_t k = 0; k < count; ++k) resetEventTrack(first + k);
  }
  if (!fullSpeedAnimation()) cGame::setPlayerControl(true);
  c.currentCutscene = -1;
  if (cActor* focus = worldStatics().cGamePlay.focusActor) cGame::setCameraTarget(focus, cameraHandBackMs);
  cGame::closePopup();
  fullSpeedAnimation() = true;
  c.cutsceneLoop = false;
  c.cutsceneSkipOffered = false;
  c.cutsceneSkipMode = true;
  clearInputUnlessMenu();
  c.cutsceneTransition = -1;
}

void cGameStory::skipCutscene() {
  cGameCutsceneStatics& c = cutscene();
  if (c.currentCutscene < 0) return;
  c.cutsceneFastForward = true;
  {
    const ScriptTimeStep step;
    int32_t steps = 0;
    while (c.currentCutscene >= 0 && !isCutsceneFinished(c.currentCutscene) && !deferredStartPending()) {
      if (++steps > mostFastForwardSteps) {
        // A looping cutscene, or a track that never gets on: it ends here.
        debugLog("Cutscene %d does not finish when skipped: it is ended", c.currentCutscene);
        c.cutsceneFastForward = false;
        endCutscene(c.currentCutscene);
        break;
      }
      // Actors do not move while skipping: a move the script waits for is
      // finished at once.
      completeAwaitedMove();
      stepCutscene();
    }
  }
  c.cutsceneFastForward = false;
  cGame::initConversationQueue();
  cGame::stopCameraShake();
  cGameCameraStatics& camera = worldStatics().cGameCamera;
  if (cActor* focus = worldStatics().cGamePlay.focusActor) {
    camera.cameraTarget = focus;
    camera.cameraPanX = 0;
    camera.cameraPanY = 0;
    camera.cameraMode = 1;
    cGame::findCameraZone();
  } else {
    camera.cameraTarget = nullptr;
  }
  camera.cameraLeadX = 0;
  camera.cameraLeadY = 0;
  cGame::updateCamera();
}

bool cGameStory::handleCinematicSkip() {
  cGameCutsceneStatics& c = cutscene();
  if (c.currentCutscene < 0 || !c.cutsceneSkipOffered || cGame::isCinematicActive()) return false;
  const cGameTouchStatics& pointer = shell::touch();
  const bool touched = pointer.touchedOverlayArea != nullptr && pointer.touchedOverlayArea->id == skipArea &&
                       pointer.pointerWasReleased;
  if (!cGame::isKeyReleased(leftSoftkey) && !touched) return false;
  if (c.cutsceneSkipMode) {
    cGame::startCutsceneAt(0, -1, -1, -1, false, false);
    c.cutsceneSkipOffered = false;
    c.cutsceneSkipMode = true;
    cGame::clearFrameKeys();
    return true;
  }
  skipCutscene();
  c.cutsceneSkipOffered = false;
  c.cutsceneSkipMode = true;
  if (cGame::isCinematicActive() && cGame::cinematicPhase() == 2) {
    cGame::clearFrameKeys();
    return true;
  }
  if (deferredStartPending()) takeUpDeferredCutscene();
  cGame::clearFrameKeys();
  return true;
}

bool cGameStory::isCutsceneActive() { return cutscene().currentCutscene >= 0; }
bool cGameStory::cutsceneSkipOffered() { return cutscene().cutsceneSkipOffered; }
bool cGameStory::isCutsceneHolding() { return cutscene().cutsceneTransition == 2; }
int32_t cGameStory::cutsceneTransition() { return cutscene().cutsceneTransition; }
int32_t cGameStory::currentCutscene() { return cutscene().currentCutscene; }

void cGameStory::takeUpDeferredCutscene() {
  cGameCutsceneStatics& c = cutscene();
  if (c.deferredCutscene < 0) return;
  const int32_t index = c.deferredCutscene;
  const int32_t tenths = c.deferredFastForward;
  const bool background = c.deferredBackground;
  const bool loop = c.deferredLoop;
  discardDeferredCutscene();
  startCutscene(index, tenths, background, loop, false);
}

void cGameStory::discardDeferredCutscene() { deferStart(-1, 0, false, false); }
