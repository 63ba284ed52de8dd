#include "game/toolkit/ToolkitClassInitialisers.h"

#include "game/toolkit/ASprite.h"

void setToolkitClassInitialisers(ClassInitialisers& table) {
  // Each toolkit class with static state adds its initialiser here.
  table.ASprite = &ASprite::clinit;
}
