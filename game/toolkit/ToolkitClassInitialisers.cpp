#include "game/toolkit/ToolkitClassInitialisers.h"

#include "game/toolkit/cGameToolkit.h"

void setToolkitClassInitialisers(ClassInitialisers& table) {
  // Each toolkit class with static state adds its initialiser here.
  // cGame's entry runs the toolkit's share of cGame's statics; the shell's
  // cGame::clinit, which takes the entry over, begins with it.
  table.cGame = &cGameToolkit::clinit;
}

void cGameToolkit::clinit() {
  clinitGameData();
  initSoundBank();
}
