#include "game/toolkit/ToolkitClassInitialisers.h"

#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/cGameToolkit.h"

void setToolkitClassInitialisers(ClassInitialisers& table) {
  // cGame's entry runs the toolkit's share of cGame's statics; the shell's
  // cGame::clinit, which takes the entry over, begins with it.
  table.cGame = &cGameToolkit::clinit;
  table.ASprite = &ASprite::clinit;
  table.CVLibPlayer = &CVLibPlayer::clinit;
}

void cGameToolkit::clinit() {
  clinitGameData();
  initSoundBank();
}
