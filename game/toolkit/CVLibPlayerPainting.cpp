// The seam between the animation player and the sprite painter, which is
// being built separately: until ASprite::paintAFrame lands this draws
// nothing, and the player's own painting steps (effects) run as they will.
#include "game/toolkit/CVLibPlayer.h"

void paintPlayerAFrame(ASprite*, javax_microedition_lcdui_Graphics*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
