// What the frame and the softkeys call of the story's cutscene driver
// before it lands. Each body here is the part's stand-in until its own file
// replaces it.
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"

bool cGame::isCutsceneActive() { return standIn("isCutsceneActive", 0) != 0; }
int32_t cGame::cutsceneTransition() { return standIn("cutsceneTransition", -1); }
int32_t cGame::currentCutscene() { return standIn("currentCutscene", -1); }
bool cGame::cutsceneSkipOffered() { return standIn("cutsceneSkipOffered", 0) != 0; }
// Without a script no cutscene is found; a start is refused for -1 only.
int32_t cGame::findCutscene(int32_t) { return standIn("findCutscene", -1); }
bool cGame::startCutsceneEx(int32_t index, int32_t, bool, bool) { return index >= 0 && standIn("startCutsceneEx", 1) != 0; }
