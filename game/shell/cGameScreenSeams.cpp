// What the frame and the machine call of parts that land later: the message
// box and softkeys, the portrait notice and the sprites' cache tables. Each
// body here is the part's stand-in until its own file replaces it.
#include "game/shell/cGame.h"

// The message box's update: without a box there is nothing to close.
void cGame::updateMessageBox() {}
void cGame::paintMessageBox() {}
void cGame::paintContinuePrompt() {}
void cGame::paintSoftkeys() {}
void cGame::paintPortraitNotice() {}
// The sprite toolkit's two 7-entry object and int tables (its cache pools).
void cGame::createSpriteCacheTables() {}
