// What the frame and the softkeys call of parts that land later: the
// in-game HUD, the story's cutscenes and the key-prompt popup. Each body
// here is the part's stand-in until its own file replaces it.
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"

void cGame::paintHudButtons() { standIn("paintHudButtons"); }
bool cGame::isCutsceneActive() { return standIn("isCutsceneActive", 0) != 0; }
int32_t cGame::cutsceneTransition() { return -1; }
int32_t cGame::currentCutscene() { return -1; }
void cGame::updatePopup() { standIn("updatePopup"); }
void cGame::paintPopup() { standIn("paintPopup"); }
void cGame::paintTimerRing() { standIn("paintTimerRing"); }
void cGame::startTimerRing(int32_t ms) { standIn("startTimerRing", ms); }
void cGame::openPopup(int32_t icon0, int32_t, int32_t, int32_t, int32_t, int32_t, bool) {
  standIn("openPopup", icon0);
}
bool cGame::isPopupActive() { return standIn("isPopupActive", 0) != 0; }
void cGame::closePopup() { standIn("closePopup"); }
