#include "game/toolkit/ToolkitClassInitialisers.h"

#include "game/toolkit/ASprite.h"
#include "game/toolkit/cGameToolkit.h"

void setToolkitClassInitialisers(ClassInitialisers& table) {
  // The shell's cGame initialiser replaces this entry and calls
  // clinitGameData first.
  table.cGame = &cGameToolkit::clinitGameData;
  table.ASprite = &ASprite::clinit;
}
