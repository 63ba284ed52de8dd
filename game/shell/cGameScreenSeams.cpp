// What the frame and the softkeys call of parts that land later: the
// sprites' cache tables, the in-game HUD and the story's cutscenes. Each body
// here is the part's stand-in until its own file replaces it.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"

// The sprite toolkit's two 7-entry object and int tables (its cache pools).
void cGame::createSpriteCacheTables() {}
void cGame::paintHudButtons() {}
bool cGame::isCutsceneRunning() { return false; }
// The loader's steps: until they land each step only counts, so runs and
// their bars behave as they will.
void cGame::loadStep() {
  cGameLoadStatics& run = shellStatics().cGameLoad;
  if (run.loadingDone) return;
  ++run.loadStepIndex;
  run.loadingDone = run.loadStepIndex >= run.loadStepCount;
}
