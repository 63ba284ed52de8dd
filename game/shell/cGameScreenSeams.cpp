// What the frame and the softkeys call of parts that land later: the
// in-game HUD, the story's cutscenes and the key-prompt popup. Each body
// here is the part's stand-in until its own file replaces it.
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"

void cGame::paintHudButtons() { standIn("paintHudButtons"); }
void cGame::updatePopup() { standIn("updatePopup"); }
void cGame::paintPopup() { standIn("paintPopup"); }
void cGame::paintTimerRing() { standIn("paintTimerRing"); }
