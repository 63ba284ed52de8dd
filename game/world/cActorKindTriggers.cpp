// The trigger the scene objects and room actions share, and the two kinds
// that pull it: the area trigger (61) and the flag trigger (62).
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"

namespace {

cActor* focusActor() { return worldStatics().cGamePlay.focusActor; }

// The actor that progress 9's area triggers switch on while the focus
// character stands in them.
constexpr int32_t switchedBackActor = 244;

}  // namespace

void cGameWorld::runTrigger(int32_t actionId, int32_t cutscene, int32_t activateId, int32_t deactivateId,
                            int32_t killId) {
  cGame::runAction(cGame::findActionById(actionId));
  // Starting a cutscene clears the input, so a trigger without one must not
  // reach the driver at all.
  if (cutscene > 0) cGame::startCutscene(cGame::findCutscene(cutscene), 0, false, false, true);
  if (activateId > 0) {
    if (cActor* actor = cActor::findById(activateId)) actor->activate();
  }
  if (deactivateId > 0) {
    if (cActor* actor = cActor::findById(deactivateId)) actor->deactivate();
  }
  if (killId > 0) {
    if (cActor* actor = cActor::findById(killId)) actor->kill();
  }
}

void cActor::updateAreaTrigger() {
  cActor* focus = focusActor();
  if (isNotActive() || focus == nullptr) return;
  bool& switchBack = statics().areaSwitchBack;
  if (cGame::boxesOverlap(interactBox, this, focus->footprint, focus)) {
    if (!hasFlag(ActorFlags::KIND_STATE)) {
      setFlag(ActorFlags::KIND_STATE, true);
      cGame::runTrigger(param(1), param(2), param(3), param(4), param(5));
      if (param(6) == 0) kill();
    }
    if (cGame::isProgressAt9() && param(3) == switchedBackActor) switchBack = true;
  } else if (hasFlag(ActorFlags::KIND_STATE)) {
    setFlag(ActorFlags::KIND_STATE, false);
    if (switchBack) {
      cGame::runTrigger(0, 0, 0, switchedBackActor, 0);
      switchBack = false;
    }
  }
}

void cActor::updateFlagTrigger() {
  if (isNotActive()) return;
  int32_t mask = 0;
  bool wantSet = true;
  switch (param(3)) {
    case 0: mask = ActorFlags::KIND_STATE; break;
    case 1: mask = ActorFlags::KIND_STATE; wantSet = false; break;
    case 2: mask = ActorFlags::KILLED; break;
    default: break;  // an unknown condition watches nothing and never holds
  }
  bool found = false;
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t watchedId = param(i);
    if (watchedId <= 0) continue;
    cActor* watched = findById(watchedId);
    if (watched == nullptr) continue;
    found = true;
    setParam(9, watched->flags);
    if (((watched->flags & mask) != 0) != wantSet) return;
  }
  if (!found) return;
  cGame::runTrigger(param(4), param(5), param(6), param(7), param(8));
  kill();
}
