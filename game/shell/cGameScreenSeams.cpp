// What the frame and the softkeys call of parts that land later: the
// in-game HUD and the story's cutscenes and conversations. Each body
// here is the part's stand-in until its own file replaces it.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"

void cGame::paintHudButtons() {}
bool cGame::isCutsceneRunning() { return false; }
int32_t cGame::cutsceneTransition() { return -1; }
int32_t cGame::currentCutscene() { return -1; }
bool cGame::isConversationActive() { return false; }
